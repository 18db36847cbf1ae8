// UIDatePicker: a date (seconds since the platform's reference date, foundation::Date) held
// within an optional minimum and maximum, shown by its mode (time, date, date and time) as
// text. Code sets dates silently; a user's spin (simulated) sends value changed (4096).
//   picker->setDatePickerMode(UIDatePickerModeDateAndTime);
//   picker->setMinimumDate(foundation::Date{now + 60});  picker->setDate(...);
#pragma once

#include "platform/foundation/value.hpp"
#include "platform/uikit/UIControl.hpp"
#include "platform/uikit/UILabel.hpp"

#include <optional>

using UIDatePickerMode = NSInteger;
inline constexpr UIDatePickerMode UIDatePickerModeTime = 0;
inline constexpr UIDatePickerMode UIDatePickerModeDate = 1;
inline constexpr UIDatePickerMode UIDatePickerModeDateAndTime = 2;
inline constexpr UIDatePickerMode UIDatePickerModeCountDownTimer = 3;

class UIDatePicker : public UIControl {
public:
    static Class registerRuntimeClass();

    UIDatePicker();

    // Starts as the time the picker was made, on the main run loop's clock.
    foundation::Date date() const { return m_date; }
    // Held within the minimum and maximum dates.
    void setDate(foundation::Date date);
    void setDateAnimated(foundation::Date date, bool animated);
    std::optional<foundation::Date> minimumDate() const { return m_minimumDate; }
    // Nothing (the platform's nil) removes the limit; the date moves into the new range.
    void setMinimumDate(std::optional<foundation::Date> date);
    std::optional<foundation::Date> maximumDate() const { return m_maximumDate; }
    void setMaximumDate(std::optional<foundation::Date> date);
    UIDatePickerMode datePickerMode() const { return m_mode; }
    void setDatePickerMode(UIDatePickerMode mode);

    // The date as the wheels show it (UTC), e.g. "2026-12-10 10:15" in date-and-time mode.
    std::string displayedText() const;
    // A user's spin of the wheels to date: the date (held within range) and value changed.
    void simulateSpinToDate(foundation::Date date);

    void layoutSubviews();

private:
    foundation::Date clamped(foundation::Date date) const;

    foundation::Date m_date;
    std::optional<foundation::Date> m_minimumDate;
    std::optional<foundation::Date> m_maximumDate;
    UIDatePickerMode m_mode{UIDatePickerModeDateAndTime};
    objc::Ref<UILabel> m_label;
};
