// UIStatusBar: the strip above an app's screen with the time of day, read from the main run
// loop's clock (so tests on the virtual clock see a fixed time) each time it is laid out.
// The navigation controller puts one above its bar; a live window lays it out again when the
// minute changes.
#pragma once

#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIView.hpp"

#include <string>

class UIStatusBar : public UIView {
public:
    static Class registerRuntimeClass();
    static constexpr CGFloat kHeight = 20;

    UIStatusBar();

    // "9:41 AM": the local time at `secondsSinceReferenceDate`.
    static std::string timeText(double secondsSinceReferenceDate);
    UILabel* timeLabel() const { return m_timeLabel.get(); }

    void layoutSubviews();

private:
    objc::Ref<UILabel> m_timeLabel;
};
