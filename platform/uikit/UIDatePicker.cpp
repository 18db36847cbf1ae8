#include "platform/uikit/UIDatePicker.hpp"

#include "platform/dispatch/clock.hpp"
#include "platform/dispatch/run_loop.hpp"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace {
[[maybe_unused]] const Class registeredAtLoad = UIDatePicker::registerRuntimeClass();
} // namespace

Class UIDatePicker::registerRuntimeClass() {
    UIControl::registerRuntimeClass();
    UILabel::registerRuntimeClass();
    static const Class cls = objc::ClassBuilder<UIDatePicker, UIControl>("UIDatePicker")
                                 .method<&UIDatePicker::date>("date")
                                 .method<&UIDatePicker::setDate>("setDate:")
                                 .method<&UIDatePicker::setDateAnimated>("setDate:animated:")
                                 .method<&UIDatePicker::minimumDate>("minimumDate")
                                 .method<&UIDatePicker::setMinimumDate>("setMinimumDate:")
                                 .method<&UIDatePicker::maximumDate>("maximumDate")
                                 .method<&UIDatePicker::setMaximumDate>("setMaximumDate:")
                                 .method<&UIDatePicker::datePickerMode>("datePickerMode")
                                 .method<&UIDatePicker::setDatePickerMode>("setDatePickerMode:")
                                 .method<&UIDatePicker::layoutSubviews>("layoutSubviews");
    return cls;
}

UIDatePicker::UIDatePicker() : m_date{dispatch::RunLoop::main().now()} {
    m_label = objc::make<UILabel>();
    m_label->setTextAlignment(NSTextAlignmentCenter);
    m_label->setUserInteractionEnabled(false);
    addSubview(m_label.get());
    m_label->setText(displayedText());
}

foundation::Date UIDatePicker::clamped(foundation::Date date) const {
    double seconds = date.secondsSinceReferenceDate;
    if (m_maximumDate)
        seconds = std::min(seconds, m_maximumDate->secondsSinceReferenceDate);
    if (m_minimumDate)
        seconds = std::max(seconds, m_minimumDate->secondsSinceReferenceDate);
    return {seconds};
}

void UIDatePicker::setDate(foundation::Date date) {
    m_date = clamped(date);
    m_label->setText(displayedText());
}

void UIDatePicker::setDateAnimated(foundation::Date date, bool) {
    objc::msgSend<void(foundation::Date)>(this, sel_registerName("setDate:"), date);
}

void UIDatePicker::setMinimumDate(std::optional<foundation::Date> date) {
    m_minimumDate = date;
    setDate(m_date);
}

void UIDatePicker::setMaximumDate(std::optional<foundation::Date> date) {
    m_maximumDate = date;
    setDate(m_date);
}

void UIDatePicker::setDatePickerMode(UIDatePickerMode mode) {
    m_mode = mode;
    m_label->setText(displayedText());
}

std::string UIDatePicker::displayedText() const {
    const double unixSeconds = std::floor(m_date.secondsSinceReferenceDate) +
                               static_cast<double>(dispatch::kReferenceDateSinceUnixEpoch.count());
    const std::time_t time = static_cast<std::time_t>(unixSeconds);
    std::tm parts{};
    gmtime_r(&time, &parts);
    const char* format = m_mode == UIDatePickerModeTime             ? "%H:%M"
                         : m_mode == UIDatePickerModeDate           ? "%Y-%m-%d"
                         : m_mode == UIDatePickerModeCountDownTimer ? "%H:%M"
                                                                    : "%Y-%m-%d %H:%M";
    char text[64] = {};
    std::strftime(text, sizeof text, format, &parts);
    return text;
}

void UIDatePicker::simulateSpinToDate(foundation::Date date) {
    if (!isEnabled())
        return;
    objc::Ref<UIDatePicker> self(this);
    objc::msgSend<void(foundation::Date)>(this, sel_registerName("setDate:"), date);
    sendActionsForControlEvents(UIControlEventValueChanged);
}

void UIDatePicker::layoutSubviews() {
    m_label->setFrame(bounds());
}
