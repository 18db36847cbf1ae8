#include "platform/uikit/UISegmentedControl.hpp"

#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIFont.hpp"

#include <algorithm>

namespace {
[[maybe_unused]] const Class registeredAtLoad = UISegmentedControl::registerRuntimeClass();

objc::Ref<UIColor> tint() {
    return UIColor::colorWithRed(0, 0.478, 1, 1);
}
} // namespace

Class UISegmentedControl::registerRuntimeClass() {
    UIControl::registerRuntimeClass();
    UILabel::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<UISegmentedControl, UIControl>("UISegmentedControl")
            .method<&UISegmentedControl::initWithItems>("initWithItems:", "@@:@")
            .method<&UISegmentedControl::numberOfSegments>("numberOfSegments")
            .method<&UISegmentedControl::titleForSegmentAtIndex>("titleForSegmentAtIndex:")
            .method<&UISegmentedControl::setTitleForSegmentAtIndex>("setTitle:forSegmentAtIndex:",
                                                                    "v@:@q")
            .method<&UISegmentedControl::insertSegmentWithTitle>(
                "insertSegmentWithTitle:atIndex:animated:", "v@:@qB")
            .method<&UISegmentedControl::removeSegmentAtIndex>("removeSegmentAtIndex:animated:")
            .method<&UISegmentedControl::removeAllSegments>("removeAllSegments")
            .method<&UISegmentedControl::selectedSegmentIndex>("selectedSegmentIndex")
            .method<&UISegmentedControl::setSelectedSegmentIndex>("setSelectedSegmentIndex:")
            .method<&UISegmentedControl::isMomentary>("isMomentary")
            .method<&UISegmentedControl::setMomentary>("setMomentary:")
            .method<&UISegmentedControl::layoutSubviews>("layoutSubviews");
    return cls;
}

objc::Ref<UISegmentedControl> UISegmentedControl::withItems(const std::vector<std::string>& items) {
    auto control = UIView::withFrame<UISegmentedControl>(CGRectZero);
    objc::msgSend<UISegmentedControl*(std::vector<std::string>)>(
        control, sel_registerName("initWithItems:"), items);
    return control;
}

UISegmentedControl* UISegmentedControl::initWithItems(std::vector<std::string> items) {
    m_titles = std::move(items);
    m_selectedIndex = UISegmentedControlNoSegment;
    layer()->setBorderWidth(1);
    layer()->setBorderColor(tint()->CGColor());
    layer()->setCornerRadius(4);
    layer()->setMasksToBounds(true);
    rebuildSegments();
    return this;
}

std::string UISegmentedControl::titleForSegmentAtIndex(NSInteger index) const {
    if (index < 0 || index >= numberOfSegments())
        return {};
    return m_titles[static_cast<std::size_t>(index)];
}

void UISegmentedControl::setTitleForSegmentAtIndex(std::string title, NSInteger index) {
    if (index < 0 || index >= numberOfSegments())
        return;
    m_titles[static_cast<std::size_t>(index)] = std::move(title);
    rebuildSegments();
}

void UISegmentedControl::insertSegmentWithTitle(std::string title, NSInteger index, bool) {
    const NSInteger at = std::clamp<NSInteger>(index, 0, numberOfSegments());
    m_titles.insert(m_titles.begin() + at, std::move(title));
    if (m_selectedIndex >= at)
        ++m_selectedIndex;
    rebuildSegments();
}

void UISegmentedControl::removeSegmentAtIndex(NSInteger index, bool) {
    if (index < 0 || index >= numberOfSegments())
        return;
    m_titles.erase(m_titles.begin() + index);
    if (m_selectedIndex == index)
        m_selectedIndex = UISegmentedControlNoSegment;
    else if (m_selectedIndex > index)
        --m_selectedIndex;
    rebuildSegments();
}

void UISegmentedControl::removeAllSegments() {
    m_titles.clear();
    m_selectedIndex = UISegmentedControlNoSegment;
    rebuildSegments();
}

void UISegmentedControl::setSelectedSegmentIndex(NSInteger index) {
    m_selectedIndex =
        index >= 0 && index < numberOfSegments() ? index : UISegmentedControlNoSegment;
    setNeedsLayout();
}

CGRect UISegmentedControl::rectForSegmentAtIndex(NSInteger index) const {
    const CGRect area = bounds();
    if (index < 0 || index >= numberOfSegments())
        return CGRectZero;
    const CGFloat width = area.width() / static_cast<CGFloat>(numberOfSegments());
    return {{area.minX() + width * static_cast<CGFloat>(index), area.minY()},
            {width, area.height()}};
}

NSInteger UISegmentedControl::segmentAtPoint(CGPoint point) const {
    for (NSInteger i = 0; i < numberOfSegments(); ++i) {
        if (rectForSegmentAtIndex(i).contains(point))
            return i;
    }
    return UISegmentedControlNoSegment;
}

void UISegmentedControl::tapSegmentAtIndex(NSInteger index) {
    const CGPoint middle = rectForSegmentAtIndex(index).center();
    simulateTouch({middle, middle});
}

void UISegmentedControl::endTracking(CGPoint point) {
    const NSInteger chosen = segmentAtPoint(point);
    if (chosen == UISegmentedControlNoSegment)
        return;
    if (m_momentary) {
        sendEvents(UIControlEventValueChanged);
        return;
    }
    if (chosen == m_selectedIndex)
        return; // the platform reports changes only
    objc::msgSend<void(NSInteger)>(this, sel_registerName("setSelectedSegmentIndex:"), chosen);
    sendEvents(UIControlEventValueChanged);
}

void UISegmentedControl::rebuildSegments() {
    for (const auto& label : m_segmentLabels)
        label->removeFromSuperview();
    m_segmentLabels.clear();
    for (const std::string& title : m_titles) {
        auto label = objc::make<UILabel>();
        label->setText(title);
        label->setTextAlignment(NSTextAlignmentCenter);
        label->setFont(UIFont::systemFontOfSize(13).get());
        label->setUserInteractionEnabled(false);
        addSubview(label.get());
        m_segmentLabels.push_back(label);
    }
    setNeedsLayout();
}

void UISegmentedControl::layoutSubviews() {
    for (NSInteger i = 0; i < numberOfSegments(); ++i) {
        UILabel* label = m_segmentLabels[static_cast<std::size_t>(i)].get();
        const bool selected = i == m_selectedIndex;
        label->setFrame(rectForSegmentAtIndex(i));
        label->setBackgroundColor(selected ? tint().get() : nullptr);
        label->setTextColor(selected ? UIColor::whiteColor().get() : tint().get());
    }
}
