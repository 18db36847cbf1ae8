// PSSpecifier: one row of a settings pane (or a group header) - its name, identifier, cell
// type, property dictionary ("key", "default", "defaults", "PostNotification", ...), the
// target with the setter and getter selectors that store and read its value, the detail
// controller class that a link opens, the action of a button and the choices of a list.
//   auto row = PSSpecifier::preferenceSpecifierNamed("Work", pane, nullptr, nullptr,
//                                                    objc_getClass("ColorSelectorController"),
//                                                    PSLinkCell, Nil);
//   row->setPropertyForKey("Work", "title");
// Properties are property-list values; class- and selector-valued attributes are fields.
#pragma once

#include "platform/foundation/value.hpp"
#include "platform/objc/objc.hpp"

#include <optional>
#include <string>
#include <vector>

// The platform's cell types, as specifiers and specifier lists name them.
using PSCellType = NSInteger;
inline constexpr PSCellType PSDefaultCell = -1; // a plain row (custom cells often use it)
inline constexpr PSCellType PSGroupCell = 0;
inline constexpr PSCellType PSLinkCell = 1;
inline constexpr PSCellType PSLinkListCell = 2; // a choice list: shows the chosen title
inline constexpr PSCellType PSListItemCell = 3; // one choice inside a choice list
inline constexpr PSCellType PSTitleValueCell = 4;
inline constexpr PSCellType PSSliderCell = 5;
inline constexpr PSCellType PSSwitchCell = 6;
inline constexpr PSCellType PSStaticTextCell = 7;
inline constexpr PSCellType PSEditTextCell = 8;
inline constexpr PSCellType PSSegmentCell = 9;
inline constexpr PSCellType PSSecureEditTextCell = 12;
inline constexpr PSCellType PSButtonCell = 13;

class PSSpecifier : public NSObject {
public:
    static Class registerRuntimeClass();

    // A new specifier (the class method preferenceSpecifierNamed:target:set:get:detail:cell:
    // edit:). set and get may be null; detail and edit may be Nil. The target is held weakly.
    static objc::Ref<PSSpecifier> preferenceSpecifierNamed(std::string name, id target, SEL set,
                                                           SEL get, Class detail, PSCellType cell,
                                                           Class edit);
    // A group header (cell type 0) with no target (groupSpecifierWithName:).
    static objc::Ref<PSSpecifier> groupSpecifierWithName(std::string name);

    std::string name() const { return m_name; }
    void setName(std::string name) { m_name = std::move(name); }
    // The identifier given by "id" in a specifier list; the name when none was given.
    std::string identifier() const { return m_identifier.empty() ? m_name : m_identifier; }
    void setIdentifier(std::string identifier) { m_identifier = std::move(identifier); }

    // The property; a null Value when the specifier has none.
    foundation::Value propertyForKey(std::string key) const;
    // setProperty:forKey:; a null value removes the property.
    void setPropertyForKey(foundation::Value value, std::string key);
    const foundation::Dictionary& properties() const { return m_properties; }
    void setProperties(foundation::Dictionary properties) { m_properties = std::move(properties); }

    PSCellType cellType() const { return m_cellType; }
    void setCellType(PSCellType type) { m_cellType = type; }
    id target() const { return m_target.get(); }
    void setTarget(id target) { m_target = target; }
    SEL setter() const { return m_setter; }
    SEL getter() const { return m_getter; }
    void setSetterGetter(SEL setter, SEL getter);
    Class detailControllerClass() const { return m_detailControllerClass; }
    void setDetailControllerClass(Class cls) { m_detailControllerClass = cls; }
    Class editPaneClass() const { return m_editPaneClass; }
    void setEditPaneClass(Class cls) { m_editPaneClass = cls; }
    // The button's action (the platform's public `action` field, also an instance variable of
    // that name): sent to the target with the specifier as its argument.
    SEL action() const { return m_action; }
    void setAction(SEL action) { m_action = action; }

    // The choices of a list (setValues:titles:): values and their titles, pairwise.
    const foundation::Array& values() const { return m_values; }
    const std::vector<std::string>& titles() const { return m_titles; }
    void setValuesTitles(foundation::Array values, std::vector<std::string> titles);
    // The title of the choice whose value equals value; nullopt when there is none.
    std::optional<std::string> titleForValue(const foundation::Value& value) const;
    // The choices as a dictionary from each value's text to its title (titleDictionary).
    foundation::Dictionary titleDictionary() const;

    // The "enabled" property's reading; true when absent.
    bool isEnabled() const;

    // The value through the getter on the target (readPreferenceValue: for list rows); a null
    // Value when there is no target or getter.
    foundation::Value performGetter() const;
    // Stores value through the setter on the target (setPreferenceValue:specifier:); false
    // when there is no target or setter.
    bool performSetterWithValue(foundation::Value value);

private:
    std::string m_name;
    std::string m_identifier;
    foundation::Dictionary m_properties;
    PSCellType m_cellType{PSGroupCell};
    objc::WeakRef<NSObject> m_target;
    SEL m_setter{nullptr};
    SEL m_getter{nullptr};
    Class m_detailControllerClass{Nil};
    Class m_editPaneClass{Nil};
    SEL m_action{nullptr};
    foundation::Array m_values;
    std::vector<std::string> m_titles;
};

using PSSpecifierList = std::vector<objc::Ref<PSSpecifier>>;
