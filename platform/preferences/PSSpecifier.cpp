#include "platform/preferences/PSSpecifier.hpp"

namespace {
[[maybe_unused]] const Class registeredAtLoad = PSSpecifier::registerRuntimeClass();

objc::Ref<NSObject> preferenceSpecifierNamedMethod(Class, SEL, std::string name, id target, SEL set,
                                                   SEL get, Class detail, PSCellType cell,
                                                   Class edit) {
    return PSSpecifier::preferenceSpecifierNamed(std::move(name), target, set, get, detail, cell,
                                                 edit);
}

objc::Ref<NSObject> groupSpecifierWithNameMethod(Class, SEL, std::string name) {
    return PSSpecifier::groupSpecifierWithName(std::move(name));
}

} // namespace

Class PSSpecifier::registerRuntimeClass() {
    static const Class cls =
        objc::ClassBuilder<PSSpecifier>("PSSpecifier")
            .classMethod("preferenceSpecifierNamed:target:set:get:detail:cell:edit:",
                         &preferenceSpecifierNamedMethod)
            .classMethod("groupSpecifierWithName:", &groupSpecifierWithNameMethod)
            .method<&PSSpecifier::name>("name")
            .method<&PSSpecifier::setName>("setName:")
            .method<&PSSpecifier::identifier>("identifier")
            .method<&PSSpecifier::setIdentifier>("setIdentifier:")
            .method<&PSSpecifier::propertyForKey>("propertyForKey:")
            .method<&PSSpecifier::setPropertyForKey>("setProperty:forKey:")
            .method<&PSSpecifier::properties>("properties")
            .method<&PSSpecifier::setProperties>("setProperties:")
            .method<&PSSpecifier::cellType>("cellType")
            .method<&PSSpecifier::setCellType>("setCellType:")
            .method<&PSSpecifier::target>("target")
            .method<&PSSpecifier::setTarget>("setTarget:")
            .method<&PSSpecifier::detailControllerClass>("detailControllerClass")
            .method<&PSSpecifier::setDetailControllerClass>("setDetailControllerClass:")
            .method<&PSSpecifier::editPaneClass>("editPaneClass")
            .method<&PSSpecifier::setEditPaneClass>("setEditPaneClass:")
            .method<&PSSpecifier::values>("values")
            .method<&PSSpecifier::titleDictionary>("titleDictionary")
            .method<&PSSpecifier::setValuesTitles>("setValues:titles:")
            .method<&PSSpecifier::performGetter>("performGetter")
            .method<&PSSpecifier::performSetterWithValue>("performSetterWithValue:")
            .ivar<&PSSpecifier::m_action>("action")
            .ivar<&PSSpecifier::m_properties>("_properties");
    return cls;
}

objc::Ref<PSSpecifier> PSSpecifier::preferenceSpecifierNamed(std::string name, id target, SEL set,
                                                             SEL get, Class detail, PSCellType cell,
                                                             Class edit) {
    auto specifier = objc::make<PSSpecifier>();
    specifier->m_name = std::move(name);
    specifier->m_target = target;
    specifier->m_setter = set;
    specifier->m_getter = get;
    specifier->m_detailControllerClass = detail;
    specifier->m_cellType = cell;
    specifier->m_editPaneClass = edit;
    return specifier;
}

objc::Ref<PSSpecifier> PSSpecifier::groupSpecifierWithName(std::string name) {
    return preferenceSpecifierNamed(std::move(name), nullptr, nullptr, nullptr, Nil, PSGroupCell,
                                    Nil);
}

foundation::Value PSSpecifier::propertyForKey(std::string key) const {
    const foundation::Value* found = foundation::find(m_properties, key);
    return found ? *found : foundation::Value();
}

void PSSpecifier::setPropertyForKey(foundation::Value value, std::string key) {
    if (value.isNull())
        m_properties.erase(key);
    else
        m_properties.insert_or_assign(std::move(key), std::move(value));
}

void PSSpecifier::setSetterGetter(SEL setter, SEL getter) {
    m_setter = setter;
    m_getter = getter;
}

void PSSpecifier::setValuesTitles(foundation::Array values, std::vector<std::string> titles) {
    m_values = std::move(values);
    m_titles = std::move(titles);
}

std::optional<std::string> PSSpecifier::titleForValue(const foundation::Value& value) const {
    for (std::size_t i = 0; i < m_values.size() && i < m_titles.size(); ++i)
        if (m_values[i] == value)
            return m_titles[i];
    // A stored number may come back as another number kind (an integer 1 for a real 1.0).
    if (value.isNumber())
        for (std::size_t i = 0; i < m_values.size() && i < m_titles.size(); ++i)
            if (m_values[i].isNumber() && m_values[i].doubleValue() == value.doubleValue())
                return m_titles[i];
    return std::nullopt;
}

foundation::Dictionary PSSpecifier::titleDictionary() const {
    foundation::Dictionary titles;
    for (std::size_t i = 0; i < m_values.size() && i < m_titles.size(); ++i)
        titles.insert_or_assign(foundation::descriptionOf(m_values[i]),
                                foundation::Value(m_titles[i]));
    return titles;
}

bool PSSpecifier::isEnabled() const {
    const foundation::Value* enabled = foundation::find(m_properties, "enabled");
    return !enabled || enabled->boolValue();
}

foundation::Value PSSpecifier::performGetter() const {
    id target = m_target.get();
    if (!target || !m_getter || !target->respondsToSelector(m_getter))
        return {};
    return objc::msgSend<foundation::Value(PSSpecifier*)>(target, m_getter,
                                                          const_cast<PSSpecifier*>(this));
}

bool PSSpecifier::performSetterWithValue(foundation::Value value) {
    id target = m_target.get();
    if (!target || !m_setter || !target->respondsToSelector(m_setter))
        return false;
    objc::Ref<PSSpecifier> self(this);
    objc::msgSend<void(foundation::Value, PSSpecifier*)>(target, m_setter, std::move(value), this);
    return true;
}
