#include "cli/table_walk.hpp"

namespace tintbox::cli {

bool bringRowIntoView(UITableView& table, NSIndexPath* indexPath) {
    table.layoutIfNeeded();
    if (table.cellForRowAtIndexPath(indexPath))
        return true;
    if (!indexPath || indexPath->section() < 0 ||
        indexPath->section() >= table.numberOfSections() || indexPath->row() < 0 ||
        indexPath->row() >= table.numberOfRowsInSection(indexPath->section()))
        return false;
    const CGRect rect = table.rectForRowAtIndexPath(indexPath);
    table.setContentOffset(
        table.clampedContentOffset(CGPointMake(table.contentOffset().x, rect.minY())));
    table.layoutIfNeeded();
    return table.cellForRowAtIndexPath(indexPath) != nullptr;
}

void forEachRowByScrolling(UITableView& table, NSInteger section,
                           const std::function<void(NSInteger row, UITableViewCell& cell)>& visit) {
    objc::Ref<UITableView> keep(&table);
    const CGPoint start = table.contentOffset();
    const NSInteger rows = table.numberOfRowsInSection(section);
    for (NSInteger row = 0; row < rows; ++row) {
        auto path = NSIndexPath::indexPathForRow(row, section);
        if (!bringRowIntoView(table, path.get()))
            continue;
        // The visit may lay the table out again; the cell stays alive through it.
        objc::Ref<UITableViewCell> cell(table.cellForRowAtIndexPath(path.get()));
        visit(row, *cell);
    }
    if (table.contentOffset() != start) {
        table.setContentOffset(start);
        table.layoutIfNeeded();
    }
}

} // namespace tintbox::cli
