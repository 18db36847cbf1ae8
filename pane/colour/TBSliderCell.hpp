// A settings row that edits one number: its name, the value (tappable for typed entry, with
// an optional unit) and a slider below. Releasing the slider or confirming a typed value
// stores the whole number in the settings file named by "defaults" and posts the change
// notification. Placed by the option panes' specifier lists ("cellClass" TBSliderCell) with
// "key", "defaults", "PostNotification", "min", "max", "default" and optionally "type".
#pragma once

#include "platform/preferences/PSTableCell.hpp"
#include "platform/uikit/UIAlertView.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UISlider.hpp"
#include "platform/uikit/UITextField.hpp"

#include <string>

namespace tintbox::pane {

inline constexpr NSInteger kSliderEntryTag = 2626;

class TBSliderCell : public PSTableCell {
public:
    static Class registerRuntimeClass();

    // initWithStyle:reuseIdentifier:specifier: (the base always gets style 0).
    TBSliderCell* initWithStyle(NSInteger style, std::string reuseIdentifier,
                                PSSpecifier* specifier);

    // Dims and disables the title, the value and the slider (not the entry button).
    // A reused row is refreshed by the list; the base would show its title label again.
    void refreshCellContentsWithSpecifier(PSSpecifier* specifier);
    void enableControls(bool enabled);
    void askUserForInput();
    void alertViewClickedButtonAtIndex(UIAlertView* alert, NSInteger index);
    void sliderValueChangedAction(NSObject* sender);
    void sliderTouchUpInsideOutsideAction(NSObject* sender);

    UILabel* titleLabel() const { return m_title.get(); }
    UITextField* valueField() const { return m_value.get(); }
    UISlider* slider() const { return m_slider.get(); }
    UIButton* valueButton() const { return m_valueButton.get(); }

private:
    void showWholeValue();
    void hideBaseTitle();

    objc::Ref<UILabel> m_title;
    objc::Ref<UITextField> m_value;
    objc::Ref<UISlider> m_slider;
    objc::Ref<UIButton> m_valueButton;
    std::string m_key;
    std::string m_defaults;
    std::string m_postNotification;
    float m_min{0};
    float m_max{0};
};

} // namespace tintbox::pane
