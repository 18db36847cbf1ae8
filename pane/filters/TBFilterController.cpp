#include "pane/filters/TBFilterController.hpp"

#include "pane/filters/TBFilterSelectorController.hpp"
#include "pane/filters/filter_swatch.hpp"
#include "pane/settings_file.hpp"
#include "platform/dispatch/main_queue.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UITableViewCell.hpp"

#include <array>

namespace tintbox::pane {
namespace {

[[maybe_unused]] const Class registeredAtLoad = TBFilterController::registerRuntimeClass();

constexpr const char* kTitle = "Filters";
constexpr const char* kCellIdentifier = "Cell";
constexpr const char* kAddRowText = "Tap, to add new filter";
constexpr std::array<const char*, kFilterSectionCount> kSectionHeaders{"ENABLED", "DISABLED",
                                                                       "DRAG BELOW, TO DELETE"};
constexpr double kReloadDelaySeconds = 0.25;

FilterPlace placeOf(const NSIndexPath* indexPath) {
    return {static_cast<int>(indexPath->section()), static_cast<int>(indexPath->row())};
}

bool isAddRow(const NSIndexPath* indexPath) {
    return indexPath && placeOf(indexPath) == kAddRow;
}

bool sameShape(const FilterLists& a, const FilterLists& b) {
    return a.enabled.size() == b.enabled.size() && a.disabled.size() == b.disabled.size();
}

void paintFilterRow(UITableViewCell& cell, const foundation::Dictionary& settings,
                    const foundation::Value& record, bool enabled) {
    cell.textLabel()->setText(filterRowText(record));
    cell.textLabel()->setTextColor(UIColor::blackColor().get());
    const std::optional<FilterSwatch> swatch =
        enabled ? filterSwatch(settings, record) : std::nullopt;
    if (!swatch) {
        cell.setBackgroundColor(UIColor::whiteColor().get());
        return;
    }
    const engine::Rgb8 colour = swatch->background;
    cell.textLabel()->setTextColor(swatch->whiteText ? UIColor::whiteColor().get()
                                                     : UIColor::blackColor().get());
    cell.setBackgroundColor(
        UIColor::colorWithRed(colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0, 1.0)
            .get());
}

} // namespace

Class TBFilterController::registerRuntimeClass() {
    PSViewController::registerRuntimeClass();
    UITableView::registerRuntimeClass();
    TBFilterSelectorController::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<TBFilterController, PSViewController>("TBFilterController")
            .method<&TBFilterController::init>("init")
            .method<&TBFilterController::viewDidLoad>("viewDidLoad")
            .method<&TBFilterController::viewWillAppear>("viewWillAppear:")
            .method<&TBFilterController::viewWillDisappear>("viewWillDisappear:")
            .method<&TBFilterController::tableViewTitleForHeaderInSection>(
                "tableView:titleForHeaderInSection:")
            .method<&TBFilterController::numberOfSectionsInTableView>(
                "numberOfSectionsInTableView:")
            .method<&TBFilterController::tableViewNumberOfRowsInSection>(
                "tableView:numberOfRowsInSection:")
            .method<&TBFilterController::tableViewCellForRowAtIndexPath>(
                "tableView:cellForRowAtIndexPath:")
            .method<&TBFilterController::tableViewEditingStyleForRowAtIndexPath>(
                "tableView:editingStyleForRowAtIndexPath:")
            .method<&TBFilterController::tableViewCanEditRowAtIndexPath>(
                "tableView:canEditRowAtIndexPath:")
            .method<&TBFilterController::tableViewCanMoveRowAtIndexPath>(
                "tableView:canMoveRowAtIndexPath:")
            .method<&TBFilterController::tableViewShouldIndentWhileEditingRowAtIndexPath>(
                "tableView:shouldIndentWhileEditingRowAtIndexPath:")
            .method<&TBFilterController::tableViewCommitEditingStyleForRowAtIndexPath>(
                "tableView:commitEditingStyle:forRowAtIndexPath:")
            .method<&TBFilterController::tableViewDidSelectRowAtIndexPath>(
                "tableView:didSelectRowAtIndexPath:")
            .method<&TBFilterController::tableViewMoveRowAtIndexPathToIndexPath>(
                "tableView:moveRowAtIndexPath:toIndexPath:")
            .method<&TBFilterController::reloadSortOrder>("reloadSortOrder")
            .method<&TBFilterController::settings>("settings")
            .method<&TBFilterController::setSettings>("setSettings:")
            .ivar<&TBFilterController::m_settings>("_settings")
            .ivar<&TBFilterController::m_tableView>("_tableView");
    return cls;
}

TBFilterController* TBFilterController::init() {
    PSViewController::init();
    reloadSortOrder();
    const CGRect screen = UIScreen::mainScreen()->bounds();
    m_tableView = UITableView::withFrameAndStyle(CGRectMake(0, 0, screen.width(), screen.height()),
                                                 UITableViewStylePlain);
    m_tableView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth |
                                     UIViewAutoresizingFlexibleHeight);
    m_tableView->setDataSource(this);
    m_tableView->setDelegate(this);
    m_tableView->setEditing(true);
    m_tableView->setAllowsSelection(true);
    m_tableView->setAllowsMultipleSelection(false);
    m_tableView->setAllowsSelectionDuringEditing(true);
    m_tableView->setAllowsMultipleSelectionDuringEditing(false);
    return this;
}

void TBFilterController::viewDidLoad() {
    setTitle(kTitle);
    setView(m_tableView.get());
    PSViewController::viewDidLoad();
}

void TBFilterController::viewWillAppear(bool animated) {
    // The block keeps the pane alive until it has run, even if the pane is closed meanwhile.
    objc::Ref<TBFilterController> self(this);
    dispatch::dispatch_after(
        dispatch::dispatch_time(
            dispatch::DISPATCH_TIME_NOW,
            static_cast<std::int64_t>(kReloadDelaySeconds * dispatch::NSEC_PER_SEC)),
        dispatch::dispatch_get_main_queue(), [self] {
            self->reloadSortOrder();
            self->m_tableView->reloadData();
        });
    PSViewController::viewWillAppear(animated);
}

void TBFilterController::viewWillDisappear(bool animated) {
    PSViewController::viewWillDisappear(animated);
}

void TBFilterController::reloadSortOrder() {
    m_settings = loadSettingsFile();
}

std::string TBFilterController::tableViewTitleForHeaderInSection(UITableView*, NSInteger section) {
    if (section < 0 || section >= kFilterSectionCount)
        return {};
    return kSectionHeaders[static_cast<std::size_t>(section)];
}

NSInteger TBFilterController::numberOfSectionsInTableView(UITableView*) {
    return kFilterSectionCount;
}

NSInteger TBFilterController::tableViewNumberOfRowsInSection(UITableView*, NSInteger section) {
    return FilterLists::of(m_settings).rowCount(static_cast<int>(section));
}

objc::Ref<UITableViewCell>
TBFilterController::tableViewCellForRowAtIndexPath(UITableView* table, NSIndexPath* indexPath) {
    objc::Ref<UITableViewCell> cell =
        table ? table->dequeueReusableCellWithIdentifier(kCellIdentifier) : nullptr;
    if (!cell)
        cell = UITableViewCell::withStyle(UITableViewCellStyleSubtitle, kCellIdentifier);
    if (isAddRow(indexPath)) {
        cell->textLabel()->setText(kAddRowText);
        cell->textLabel()->setTextColor(UIColor::redColor().get());
        cell->setBackgroundColor(UIColor::whiteColor().get());
        return cell;
    }
    const FilterLists lists = FilterLists::of(m_settings);
    const foundation::Value* record = indexPath ? lists.recordAt(placeOf(indexPath)) : nullptr;
    paintFilterRow(*cell, m_settings, record ? *record : foundation::Value(),
                   indexPath && indexPath->section() == static_cast<int>(FilterSection::Enabled));
    return cell;
}

UITableViewCellEditingStyle
TBFilterController::tableViewEditingStyleForRowAtIndexPath(UITableView*, NSIndexPath*) {
    return UITableViewCellEditingStyleNone;
}

bool TBFilterController::tableViewCanEditRowAtIndexPath(UITableView*, NSIndexPath* indexPath) {
    return !isAddRow(indexPath);
}

bool TBFilterController::tableViewCanMoveRowAtIndexPath(UITableView*, NSIndexPath* indexPath) {
    return !isAddRow(indexPath);
}

bool TBFilterController::tableViewShouldIndentWhileEditingRowAtIndexPath(UITableView*,
                                                                         NSIndexPath*) {
    return false;
}

void TBFilterController::tableViewCommitEditingStyleForRowAtIndexPath(
    UITableView*, UITableViewCellEditingStyle style, NSIndexPath* indexPath) {
    if (style != UITableViewCellEditingStyleDelete || !indexPath || isAddRow(indexPath))
        return;
    const FilterPlace at = placeOf(indexPath);
    saveChange([at](FilterLists& lists) { return lists.remove(at); }, true);
}

void TBFilterController::tableViewDidSelectRowAtIndexPath(UITableView* table,
                                                          NSIndexPath* indexPath) {
    if (!indexPath)
        return;
    if (indexPath->section() == static_cast<int>(FilterSection::Enabled)) {
        auto editor = objc::make<TBFilterSelectorController>();
        objc::msgSend<TBFilterSelectorController*(std::int32_t)>(
            editor, sel_registerName("initWithRow:"), static_cast<std::int32_t>(indexPath->row()));
        editor->setRootController(rootController() ? rootController() : this);
        editor->setParentController(this);
        objc::msgSend<void(PSViewController*)>(this, sel_registerName("pushController:"),
                                               editor.get());
    } else if (isAddRow(indexPath)) {
        saveChange(
            [](FilterLists& lists) {
                lists.add();
                return true;
            },
            false);
    }
    if (table)
        table->deselectRowAtIndexPath(indexPath, true);
}

void TBFilterController::tableViewMoveRowAtIndexPathToIndexPath(UITableView*, NSIndexPath* from,
                                                                NSIndexPath* to) {
    if (!from || !to)
        return;
    const FilterPlace source = placeOf(from);
    const FilterPlace destination = placeOf(to);
    saveChange([&](FilterLists& lists) { return lists.move(source, destination); }, true);
}

void TBFilterController::saveChange(const std::function<bool(FilterLists&)>& change,
                                    bool needsShownShape) {
    const FilterLists shown = FilterLists::of(m_settings);
    m_settings = updateSettingsFile([&](foundation::Dictionary& fresh) {
        FilterLists lists = FilterLists::of(fresh);
        if (needsShownShape && !sameShape(lists, shown))
            return false;
        if (!change(lists))
            return false;
        lists.storeInto(fresh);
        return true;
    });
    m_tableView->reloadData();
}

} // namespace tintbox::pane
