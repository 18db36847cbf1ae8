#include "platform/uikit/UIStatusBar.hpp"

#include "platform/dispatch/clock.hpp"
#include "platform/dispatch/run_loop.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIFont.hpp"

#include <cmath>
#include <ctime>

namespace {
[[maybe_unused]] const Class registeredAtLoad = UIStatusBar::registerRuntimeClass();
} // namespace

Class UIStatusBar::registerRuntimeClass() {
    UIView::registerRuntimeClass();
    static const Class cls = objc::ClassBuilder<UIStatusBar, UIView>("UIStatusBar")
                                 .method<&UIStatusBar::layoutSubviews>("layoutSubviews");
    return cls;
}

UIStatusBar::UIStatusBar() {
    setUserInteractionEnabled(false);
    m_timeLabel = objc::make<UILabel>();
    m_timeLabel->setFont(UIFont::boldSystemFontOfSize(12).get());
    m_timeLabel->setTextAlignment(NSTextAlignmentCenter);
    m_timeLabel->setTextColor(UIColor::blackColor().get());
    m_timeLabel->setUserInteractionEnabled(false);
    addSubview(m_timeLabel.get());
}

std::string UIStatusBar::timeText(double secondsSinceReferenceDate) {
    const double unixSeconds = secondsSinceReferenceDate +
                               static_cast<double>(dispatch::kReferenceDateSinceUnixEpoch.count());
    const std::time_t when = static_cast<std::time_t>(std::floor(unixSeconds));
    std::tm local{};
    if (!::localtime_r(&when, &local))
        return {};
    const int hour = local.tm_hour % 12 == 0 ? 12 : local.tm_hour % 12;
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d %s", hour, local.tm_min,
                  local.tm_hour < 12 ? "AM" : "PM");
    return text;
}

void UIStatusBar::layoutSubviews() {
    m_timeLabel->setText(timeText(dispatch::RunLoop::main().now()));
    m_timeLabel->setFrame(bounds());
}
