#include "platform/preferences/PSListController.hpp"

#include "platform/corefoundation/darwin_notify_center.hpp"
#include "platform/foundation/property_list.hpp"
#include "platform/preferences/NSBundle.hpp"
#include "platform/preferences/PSTableCell.hpp"
#include "platform/preferences/preferences_domain.hpp"
#include "platform/preferences/specifier_list.hpp"
#include "platform/uikit/UIScreen.hpp"

#include <cstdio>
#include <iostream>

namespace {
[[maybe_unused]] const Class registeredAtLoad = PSListController::registerRuntimeClass();

constexpr double kDefaultRowHeight = 44;

SEL sel(const char* name) {
    return sel_registerName(name);
}

std::string stringProperty(const PSSpecifier* specifier, const char* key) {
    foundation::Value value = specifier->propertyForKey(key);
    const std::string* text = value.asString();
    return text ? *text : std::string();
}

// The cell types whose rows show a stored value.
bool showsValue(PSCellType type) {
    switch (type) {
    case PSLinkListCell:
    case PSTitleValueCell:
    case PSSliderCell:
    case PSSwitchCell:
    case PSEditTextCell:
    case PSSecureEditTextCell:
    case PSSegmentCell:
        return true;
    default:
        return false;
    }
}

// One reuse identifier per specifier and cell class, so that a row gets its own cell back.
std::string reuseIdentifierFor(Class cellClass, const PSSpecifier* specifier) {
    char address[32];
    std::snprintf(address, sizeof address, "%p", static_cast<const void*>(specifier));
    return std::string(class_getName(cellClass)) + "@" + address;
}
} // namespace

Class PSListController::registerRuntimeClass() {
    PSViewController::registerRuntimeClass();
    PSTableCell::registerRuntimeClass();
    NSBundle::registerRuntimeClass();
    UITableView::registerRuntimeClass();
    NSIndexPath::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<PSListController, PSViewController>("PSListController")
            .method<&PSListController::initForContentSize>("initForContentSize:")
            .method<&PSListController::loadView>("loadView")
            .method<&PSListController::specifiers>("specifiers")
            .method<&PSListController::setSpecifiers>("setSpecifiers:")
            .method<&PSListController::loadSpecifiersFromPlistName>(
                "loadSpecifiersFromPlistName:target:")
            .method<&PSListController::specifierForID>("specifierForID:")
            .method<&PSListController::table>("table")
            .method<&PSListController::reload>("reload")
            .method<&PSListController::reloadSpecifiers>("reloadSpecifiers")
            .method<&PSListController::viewWillAppear>("viewWillAppear:")
            .method<&PSListController::readPreferenceValue>("readPreferenceValue:")
            .method<&PSListController::setPreferenceValueSpecifier>("setPreferenceValue:specifier:")
            .method<&PSListController::numberOfSectionsInTableView>("numberOfSectionsInTableView:")
            .method<&PSListController::tableViewNumberOfRowsInSection>(
                "tableView:numberOfRowsInSection:")
            .method<&PSListController::tableViewTitleForHeaderInSection>(
                "tableView:titleForHeaderInSection:")
            .method<&PSListController::tableViewTitleForFooterInSection>(
                "tableView:titleForFooterInSection:")
            .method<&PSListController::tableViewCellForRowAtIndexPath>(
                "tableView:cellForRowAtIndexPath:")
            .method<&PSListController::tableViewHeightForRowAtIndexPath>(
                "tableView:heightForRowAtIndexPath:")
            .method<&PSListController::tableViewDidSelectRowAtIndexPath>(
                "tableView:didSelectRowAtIndexPath:")
            .method<&PSListController::cachedCellForSpecifier>("cachedCellForSpecifier:")
            .ivar<&PSListController::m_specifiers>("_specifiers")
            .ivar<&PSListController::m_table>("_table");
    return cls;
}

PSListController* PSListController::initForContentSize(CGSize size) {
    PSViewController::initForContentSize(size);
    return this;
}

void PSListController::loadView() {
    CGRect bounds = UIScreen::mainScreen()->bounds();
    m_table = UITableView::withFrameAndStyle(bounds, UITableViewStyleGrouped);
    m_table->setAutoresizingMask(UIViewAutoresizingFlexibleWidth |
                                 UIViewAutoresizingFlexibleHeight);
    m_table->setDataSource(this);
    m_table->setDelegate(this);
    setView(m_table.get());
}

PSSpecifierList PSListController::specifiers() {
    // A plain list pane opened from a link loads the list its specifier names.
    if (m_specifiers.empty())
        if (PSSpecifier* own = specifier())
            if (std::string list = stringProperty(own, "plist"); !list.empty())
                m_specifiers = loadSpecifiersFromPlistName(list, this);
    return m_specifiers;
}

void PSListController::setSpecifiers(PSSpecifierList specifiers) {
    m_specifiers = std::move(specifiers);
    if (m_table)
        reload();
}

PSSpecifierList PSListController::loadSpecifiersFromPlistName(std::string name, id target) {
    NSBundle* bundle = NSBundle::bundleForClass(object_getClass(this));
    std::filesystem::path path =
        bundle ? bundle->pathForResourceOfType(name, "plist") : std::filesystem::path();
    if (path.empty()) {
        std::cerr << "specifier list " << name << ".plist: not found in "
                  << (bundle ? bundle->bundlePath().string() : std::string("no bundle")) << '\n';
        return {};
    }
    std::string error;
    auto list = foundation::dictionaryWithContentsOfFile(path, &error);
    if (!list) {
        std::cerr << "specifier list " << path.string() << ": " << error << '\n';
        return {};
    }
    std::vector<std::string> errors;
    PSSpecifierList specifiers = preferences::specifiersFromList(*list, target, &errors);
    for (const std::string& line : errors)
        std::cerr << "specifier list " << path.string() << ": " << line << '\n';
    if (const foundation::Value* title = foundation::find(*list, "title"))
        if (title->asString() && this->title().empty())
            setTitle(*title->asString());
    return specifiers;
}

PSSpecifier* PSListController::specifierForID(std::string identifier) {
    for (const auto& specifier : objc::msgSend<PSSpecifierList()>(this, sel("specifiers")))
        if (specifier && specifier->identifier() == identifier)
            return specifier.get();
    return nullptr;
}

UITableView* PSListController::table() {
    view();
    if (!m_table) // a subclass's loadView made another view: the table goes into it
        PSListController::loadView();
    return m_table.get();
}

void PSListController::reload() {
    rebuildSections();
    table()->reloadData();
}

void PSListController::reloadSpecifiers() {
    m_specifiers.clear();
    reload();
}

void PSListController::viewWillAppear(bool animated) {
    PSViewController::viewWillAppear(animated);
    if (m_table)
        reload();
}

foundation::Value PSListController::readPreferenceValue(PSSpecifier* specifier) {
    if (!specifier)
        return {};
    std::string domain = stringProperty(specifier, "defaults");
    std::string key = stringProperty(specifier, "key");
    if (!domain.empty() && !key.empty())
        if (auto stored = preferences::readDomainValue(domain, key))
            return *stored;
    return specifier->propertyForKey("default");
}

void PSListController::setPreferenceValueSpecifier(foundation::Value value,
                                                   PSSpecifier* specifier) {
    if (!specifier)
        return;
    std::string domain = stringProperty(specifier, "defaults");
    std::string key = stringProperty(specifier, "key");
    if (domain.empty() || key.empty())
        return;
    std::string error;
    if (!preferences::writeDomainValue(domain, key, value, &error)) {
        // Nothing was stored, so nobody is told of a change.
        std::cerr << "setPreferenceValue: " << key << ": " << error << '\n';
        return;
    }
    if (std::string name = stringProperty(specifier, "PostNotification"); !name.empty())
        corefoundation::DarwinNotifyCenter::shared().post(name);
}

void PSListController::rebuildSections() {
    m_sections.clear();
    for (const auto& specifier : objc::msgSend<PSSpecifierList()>(this, sel("specifiers"))) {
        if (!specifier)
            continue;
        if (specifier->cellType() == PSGroupCell)
            m_sections.push_back(Section{specifier, {}});
        else {
            if (m_sections.empty())
                m_sections.push_back(Section{});
            m_sections.back().rows.push_back(specifier);
        }
    }
}

NSInteger PSListController::numberOfSectionsInTableView(UITableView*) {
    rebuildSections();
    return static_cast<NSInteger>(m_sections.size());
}

NSInteger PSListController::tableViewNumberOfRowsInSection(UITableView*, NSInteger section) {
    if (section < 0 || section >= static_cast<NSInteger>(m_sections.size()))
        return 0;
    return static_cast<NSInteger>(m_sections[static_cast<std::size_t>(section)].rows.size());
}

std::string PSListController::tableViewTitleForHeaderInSection(UITableView*, NSInteger section) {
    if (section < 0 || section >= static_cast<NSInteger>(m_sections.size()))
        return {};
    const auto& group = m_sections[static_cast<std::size_t>(section)].group;
    return group ? group->name() : std::string();
}

std::string PSListController::tableViewTitleForFooterInSection(UITableView*, NSInteger section) {
    if (section < 0 || section >= static_cast<NSInteger>(m_sections.size()))
        return {};
    const auto& group = m_sections[static_cast<std::size_t>(section)].group;
    return group ? stringProperty(group.get(), "footerText") : std::string();
}

objc::Ref<UITableViewCell>
PSListController::tableViewCellForRowAtIndexPath(UITableView* table, NSIndexPath* indexPath) {
    PSSpecifier* specifier = specifierAtIndexPath(indexPath);
    if (!specifier) // a row the data source added beyond the specifiers
        return UITableViewCell::withStyle(UITableViewCellStyleDefault, "");

    Class cellClass = PSTableCell::cellClassForCellType(specifier->cellType());
    if (std::string custom = stringProperty(specifier, "cellClass"); !custom.empty()) {
        Class named = objc_getClass(custom);
        if (class_isSubclassOfClass(named, objc::classOf<PSTableCell>()))
            cellClass = named;
    }
    const std::string reuseIdentifier = reuseIdentifierFor(cellClass, specifier);
    objc::Ref<PSTableCell> cell;
    if (table)
        if (auto reused = table->dequeueReusableCellWithIdentifier(reuseIdentifier)) {
            cell = objc::Ref<PSTableCell>(static_cast<PSTableCell*>(reused.get()));
            objc::msgSend<void(PSSpecifier*)>(cell, sel("refreshCellContentsWithSpecifier:"),
                                              specifier);
        }
    if (!cell) {
        const bool detailed =
            specifier->cellType() == PSLinkListCell || specifier->cellType() == PSTitleValueCell;
        cell = PSTableCell::createCell(
            cellClass, detailed ? UITableViewCellStyleValue1 : UITableViewCellStyleDefault,
            reuseIdentifier, specifier);
    }
    if (showsValue(specifier->cellType()) && specifier->getter())
        objc::msgSend<void(foundation::Value)>(cell, sel("setValue:"), specifier->performGetter());
    return cell;
}

double PSListController::tableViewHeightForRowAtIndexPath(UITableView*, NSIndexPath* indexPath) {
    PSSpecifier* specifier = specifierAtIndexPath(indexPath);
    if (!specifier)
        return kDefaultRowHeight;
    foundation::Value height = specifier->propertyForKey("height");
    return height.isNumber() || height.isString() ? height.doubleValue() : kDefaultRowHeight;
}

void PSListController::tableViewDidSelectRowAtIndexPath(UITableView* table,
                                                        NSIndexPath* indexPath) {
    objc::Ref<PSSpecifier> specifier(specifierAtIndexPath(indexPath));
    if (table)
        table->deselectRowAtIndexPath(indexPath, true);
    if (!specifier || !specifier->isEnabled())
        return;
    switch (specifier->cellType()) {
    case PSLinkCell:
        openLink(specifier.get());
        break;
    case PSLinkListCell:
        openChoices(specifier.get());
        break;
    case PSButtonCell:
        sendButtonAction(specifier.get());
        break;
    default:
        break;
    }
}

PSSpecifier* PSListController::specifierAtIndexPath(NSIndexPath* indexPath) const {
    return indexPath ? specifierAt(indexPath->section(), indexPath->row()) : nullptr;
}

PSSpecifier* PSListController::specifierAt(NSInteger section, NSInteger row) const {
    if (section < 0 || section >= static_cast<NSInteger>(m_sections.size()))
        return nullptr;
    const auto& rows = m_sections[static_cast<std::size_t>(section)].rows;
    if (row < 0 || row >= static_cast<NSInteger>(rows.size()))
        return nullptr;
    return rows[static_cast<std::size_t>(row)].get();
}

std::optional<std::pair<NSInteger, NSInteger>>
PSListController::indexOfSpecifier(const PSSpecifier* specifier) const {
    for (std::size_t section = 0; section < m_sections.size(); ++section)
        for (std::size_t row = 0; row < m_sections[section].rows.size(); ++row)
            if (m_sections[section].rows[row].get() == specifier)
                return std::pair{static_cast<NSInteger>(section), static_cast<NSInteger>(row)};
    return std::nullopt;
}

UITableViewCell* PSListController::cachedCellForSpecifier(PSSpecifier* specifier) {
    auto index = indexOfSpecifier(specifier);
    if (!index)
        return nullptr;
    auto path = NSIndexPath::indexPathForRow(index->second, index->first);
    return table()->cellForRowAtIndexPath(path.get());
}

void PSListController::openLink(PSSpecifier* specifier) {
    Class detail = specifier->detailControllerClass();
    if (!detail)
        return;
    CGSize size = UIScreen::mainScreen()->bounds().size;
    auto pane = PSViewController::createPane(detail, size);
    if (!pane) {
        std::cerr << "link " << specifier->name() << ": " << class_getName(detail)
                  << " is not a settings pane\n";
        return;
    }
    pane->setSpecifier(specifier);
    pane->setParentController(this);
    pane->setRootController(rootController() ? rootController() : this);
    if (pane->title().empty())
        pane->setTitle(specifier->name());
    objc::msgSend<void(PSViewController*)>(this, sel("pushController:"), pane.get());
}

void PSListController::openChoices(PSSpecifier* specifier) {
    if (!specifier->detailControllerClass())
        specifier->setDetailControllerClass(objc_getClass("PSListItemsController"));
    openLink(specifier);
}

void PSListController::sendButtonAction(PSSpecifier* specifier) {
    SEL action = specifier->action();
    id target = specifier->target();
    if (!action || !target)
        return;
    // An action with an argument gets the specifier; one without (openFAQ) gets nothing.
    const std::string name = sel_getName(action);
    if (!name.empty() && name.back() == ':')
        objc::msgSend<void(PSSpecifier*)>(target, action, specifier);
    else
        objc::msgSend<void()>(target, action);
}
