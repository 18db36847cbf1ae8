// The colour selector pane's one row: the colour as a hex value, three previews painted as the
// mail extension will show the colour ("MailBox", "List", "Message"), red, green and blue
// sliders with typed entry, one HSB picker and a help text. Every finished gesture writes the
// colour to the settings file and posts the change notification. Made by name from the
// "TintboxColorSelector" specifier list, whose first specifier carries "key" (the colour key),
// "defaults", "PostNotification", "min", "max", "default" and optionally "type".
#pragma once

#include "pane/colour/TBColorPickerView.hpp"
#include "pane/colour/colour_key.hpp"
#include "pane/colour/colour_settings.hpp"
#include "platform/preferences/PSTableCell.hpp"
#include "platform/uikit/UIAlertView.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UISlider.hpp"

#include <array>
#include <string>

namespace tintbox::pane {

// Tags of the cell's entry alerts.
inline constexpr NSInteger kRedEntryTag = 2626;
inline constexpr NSInteger kGreenEntryTag = 2627;
inline constexpr NSInteger kBlueEntryTag = 2628;
inline constexpr NSInteger kHexEntryTag = 2629;

// The pane's row height, which holds the whole cell.
inline constexpr double kColorCellHeight = 860.0;

class TBColorCell : public PSTableCell {
public:
    enum Channel { Red, Green, Blue };

    static Class registerRuntimeClass();

    // initWithStyle:reuseIdentifier:specifier: (the base always gets style 0).
    TBColorCell* initWithStyle(NSInteger style, std::string reuseIdentifier,
                               PSSpecifier* specifier);

    void askUserForInputHex();
    void askUserForInputR() { askUserForChannel(Red); }
    void askUserForInputG() { askUserForChannel(Green); }
    void askUserForInputB() { askUserForChannel(Blue); }
    void alertViewClickedButtonAtIndex(UIAlertView* alert, NSInteger index);

    // True when text on the colour at that opacity reads better in white.
    bool useWhiteFont(int red, int green, int blue, float opacity) const;
    // The hex value and previews from the sliders; the picker too when updatePicker.
    void setColors(bool updatePicker);
    void sliderValueChangedAction(UISlider* slider);
    // Refreshes the hex value and previews from the sliders and saves.
    void sliderTouchUpInsideOutsideAction(UISlider* slider);

    // The picker's callbacks, as the picker calls them.
    void pickerColorsHaveChanged(UIColor* color);
    void pickerSaveChanges();

    UILabel* hexColorField() const { return m_hexColorField.get(); }
    UILabel* mailBoxColorField() const { return m_previews[0].get(); }
    UILabel* listColorField() const { return m_previews[1].get(); }
    UILabel* messageColorField() const { return m_previews[2].get(); }
    UILabel* valueLabel(Channel channel) const { return m_values[channel].get(); }
    UISlider* slider(Channel channel) const { return m_sliders[channel].get(); }
    UIButton* hexButton() const { return m_hexButton.get(); }
    UIButton* valueButton(Channel channel) const { return m_valueButtons[channel].get(); }
    TBColorPickerView* colorPickerView() const { return m_colorPicker.get(); }
    UILabel* helpLabel() const { return m_helpLabel.get(); }
    // The fields under their runtime names, for code that reaches the cell by messages.
    UILabel* titleR() const { return m_titles[Red].get(); }
    UILabel* titleG() const { return m_titles[Green].get(); }
    UILabel* titleB() const { return m_titles[Blue].get(); }
    UILabel* valueR() const { return m_values[Red].get(); }
    UILabel* valueG() const { return m_values[Green].get(); }
    UILabel* valueB() const { return m_values[Blue].get(); }
    UISlider* sliderR() const { return m_sliders[Red].get(); }
    UISlider* sliderG() const { return m_sliders[Green].get(); }
    UISlider* sliderB() const { return m_sliders[Blue].get(); }
    // The picker when it is of that type, else nil: only the chosen one exists.
    TBColorPickerView* colorPickerView_H() const { return pickerOfType(0); }
    TBColorPickerView* colorPickerView_S() const { return pickerOfType(1); }
    TBColorPickerView* colorPickerView_B() const { return pickerOfType(2); }

    const ColourKey& colourKey() const { return m_colourKey; }
    const PreviewAlphas& alphaLevels() const { return m_alphas; }
    int colorPickerType() const { return m_colorPickerType; }

private:
    void buildSubviews(double width, bool pickerFirst);
    void showColourString(const std::string& stored);
    void paintPreviews(int red, int green, int blue, bool textColours);
    void showWholeValue(Channel channel);
    void askUserForChannel(Channel channel);
    void saveHexValue();
    std::array<int, 3> sliderChannels() const;
    TBColorPickerView* pickerOfType(int type) const;

    objc::Ref<UILabel> m_hexColorField;
    std::array<objc::Ref<UILabel>, 3> m_previews;
    std::array<objc::Ref<UILabel>, 3> m_titles;
    std::array<objc::Ref<UILabel>, 3> m_values;
    std::array<objc::Ref<UISlider>, 3> m_sliders;
    std::array<objc::Ref<UIButton>, 3> m_valueButtons;
    objc::Ref<UIButton> m_hexButton;
    objc::Ref<TBColorPickerView> m_colorPicker;
    objc::Ref<UILabel> m_helpLabel;
    float m_min{0};
    float m_max{0};
    PreviewAlphas m_alphas;
    ColourKey m_colourKey;
    std::string m_defaults;
    std::string m_postNotification;
    int m_colorPickerType{0};
};

} // namespace tintbox::pane
