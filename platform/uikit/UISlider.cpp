#include "platform/uikit/UISlider.hpp"

#include "platform/uikit/UIColor.hpp"

#include <algorithm>
#include <cmath>

namespace {
[[maybe_unused]] const Class registeredAtLoad = UISlider::registerRuntimeClass();

constexpr CGFloat kThumbSize = 28;
constexpr CGFloat kTrackHeight = 2;
} // namespace

Class UISlider::registerRuntimeClass() {
    UIControl::registerRuntimeClass();
    static const Class cls = objc::ClassBuilder<UISlider, UIControl>("UISlider")
                                 .method<&UISlider::value>("value")
                                 .method<&UISlider::setValue>("setValue:")
                                 .method<&UISlider::setValueAnimated>("setValue:animated:")
                                 .method<&UISlider::minimumValue>("minimumValue")
                                 .method<&UISlider::setMinimumValue>("setMinimumValue:")
                                 .method<&UISlider::maximumValue>("maximumValue")
                                 .method<&UISlider::setMaximumValue>("setMaximumValue:")
                                 .method<&UISlider::isContinuous>("isContinuous")
                                 .method<&UISlider::setContinuous>("setContinuous:")
                                 .method<&UISlider::layoutSubviews>("layoutSubviews");
    return cls;
}

UISlider::UISlider() {
    m_maximumTrack = objc::make<UIView>();
    m_maximumTrack->setBackgroundColor(UIColor::colorWithWhite(0.72, 1).get());
    m_minimumTrack = objc::make<UIView>();
    m_minimumTrack->setBackgroundColor(UIColor::colorWithRed(0, 0.478, 1, 1).get());
    m_thumb = objc::make<UIView>();
    m_thumb->setBackgroundColor(UIColor::whiteColor().get());
    m_thumb->layer()->setCornerRadius(kThumbSize / 2);
    m_thumb->layer()->setBorderWidth(0.5);
    m_thumb->layer()->setBorderColor(quartz::Color::white(0.6, 1));
    for (UIView* part : {m_maximumTrack.get(), m_minimumTrack.get(), m_thumb.get()}) {
        part->setUserInteractionEnabled(false);
        addSubview(part);
    }
}

void UISlider::setValue(float value) {
    // Not a number would escape every range check later on: it reads as the minimum.
    m_value =
        std::isnan(value) ? m_minimumValue : std::clamp(value, m_minimumValue, m_maximumValue);
    setNeedsLayout();
}

void UISlider::setValueAnimated(float value, bool) {
    objc::msgSend<void(float)>(this, sel_registerName("setValue:"), value);
}

void UISlider::setMinimumValue(float minimum) {
    m_minimumValue = minimum;
    m_maximumValue = std::max(m_maximumValue, minimum);
    setValue(m_value);
}

void UISlider::setMaximumValue(float maximum) {
    m_maximumValue = maximum;
    m_minimumValue = std::min(m_minimumValue, maximum);
    setValue(m_value);
}

CGRect UISlider::trackRect() const {
    const CGRect area = bounds();
    return {{area.minX() + kThumbSize / 2, area.midY() - kTrackHeight / 2},
            {std::max<CGFloat>(area.width() - kThumbSize, 0), kTrackHeight}};
}

CGPoint UISlider::thumbCenter() const {
    const CGRect track = trackRect();
    const float range = m_maximumValue - m_minimumValue;
    const double fraction = range > 0 ? (m_value - m_minimumValue) / range : 0.0;
    return {track.minX() + fraction * track.width(), track.midY()};
}

float UISlider::valueAt(CGPoint point) const {
    const CGRect track = trackRect();
    if (track.width() <= 0)
        return m_minimumValue;
    const double fraction = std::clamp((point.x - track.minX()) / track.width(), 0.0, 1.0);
    return static_cast<float>(m_minimumValue + fraction * (m_maximumValue - m_minimumValue));
}

void UISlider::simulateDragToValue(float value) {
    const CGPoint from = thumbCenter();
    const CGRect track = trackRect();
    const float range = m_maximumValue - m_minimumValue;
    const double fraction =
        range > 0 ? (std::clamp(value, m_minimumValue, m_maximumValue) - m_minimumValue) / range
                  : 0.0;
    const CGPoint to{track.minX() + fraction * track.width(), from.y};
    simulateTouch({from, {(from.x + to.x) / 2, from.y}, to});
}

bool UISlider::beginTracking(CGPoint point) {
    m_valueAtTouchDown = m_value;
    moveWithFinger(point);
    return true;
}

bool UISlider::continueTracking(CGPoint point) {
    moveWithFinger(point);
    return true;
}

void UISlider::endTracking(CGPoint point) {
    moveWithFinger(point);
    if (!m_continuous && m_value != m_valueAtTouchDown)
        sendEvents(UIControlEventValueChanged);
}

void UISlider::moveWithFinger(CGPoint point) {
    const float before = m_value;
    setValue(valueAt(point));
    if (m_continuous && m_value != before)
        sendEvents(UIControlEventValueChanged);
}

void UISlider::layoutSubviews() {
    const CGRect track = trackRect();
    const CGPoint thumb = thumbCenter();
    m_minimumTrack->setFrame(
        CGRectMake(track.minX(), track.minY(), thumb.x - track.minX(), track.height()));
    m_maximumTrack->setFrame(
        CGRectMake(thumb.x, track.minY(), track.maxX() - thumb.x, track.height()));
    m_thumb->setFrame(
        CGRectMake(thumb.x - kThumbSize / 2, thumb.y - kThumbSize / 2, kThumbSize, kThumbSize));
}
