#include "platform/preferences/PSListItemsController.hpp"

namespace {
[[maybe_unused]] const Class registeredAtLoad = PSListItemsController::registerRuntimeClass();

bool sameChoice(const foundation::Value& a, const foundation::Value& b) {
    return a == b || (a.isNumber() && b.isNumber() && a.doubleValue() == b.doubleValue());
}
} // namespace

Class PSListItemsController::registerRuntimeClass() {
    PSListController::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<PSListItemsController, PSListController>("PSListItemsController")
            .method<&PSListItemsController::specifiers>("specifiers")
            .method<&PSListItemsController::tableViewCellForRowAtIndexPath>(
                "tableView:cellForRowAtIndexPath:")
            .method<&PSListItemsController::tableViewDidSelectRowAtIndexPath>(
                "tableView:didSelectRowAtIndexPath:");
    return cls;
}

PSSpecifierList PSListItemsController::specifiers() {
    PSSpecifierList& items = mutableSpecifiers();
    if (!items.empty())
        return items;
    PSSpecifier* list = specifier();
    if (!list)
        return items;
    auto group = PSSpecifier::groupSpecifierWithName("");
    group->setPropertyForKey(list->propertyForKey("footerText"), "footerText");
    items.push_back(group);
    for (std::size_t i = 0; i < list->values().size() && i < list->titles().size(); ++i) {
        auto item = PSSpecifier::preferenceSpecifierNamed(list->titles()[i], this, nullptr, nullptr,
                                                          Nil, PSListItemCell, Nil);
        item->setPropertyForKey(list->values()[i], "value");
        items.push_back(item);
    }
    return items;
}

foundation::Value PSListItemsController::currentValue() const {
    PSSpecifier* list = specifier();
    return list ? list->performGetter() : foundation::Value();
}

objc::Ref<UITableViewCell>
PSListItemsController::tableViewCellForRowAtIndexPath(UITableView* table, NSIndexPath* indexPath) {
    objc::Ref<UITableViewCell> cell =
        PSListController::tableViewCellForRowAtIndexPath(table, indexPath);
    PSSpecifier* item = specifierAtIndexPath(indexPath);
    const bool chosen = item && sameChoice(item->propertyForKey("value"), currentValue());
    cell->setAccessoryType(chosen ? UITableViewCellAccessoryCheckmark
                                  : UITableViewCellAccessoryNone);
    return cell;
}

void PSListItemsController::tableViewDidSelectRowAtIndexPath(UITableView* table,
                                                             NSIndexPath* indexPath) {
    objc::Ref<PSSpecifier> item(specifierAtIndexPath(indexPath));
    objc::Ref<PSSpecifier> list(specifier());
    if (table)
        table->deselectRowAtIndexPath(indexPath, true);
    if (!item || !list)
        return;
    list->performSetterWithValue(item->propertyForKey("value"));
    reload();
}
