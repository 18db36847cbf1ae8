#include "cli/table_walk.hpp"

namespace tintbox::cli {
namespace {

// The table places and fills the rows in view; with Frames the cells lay themselves out too.
void layOut(UITableView& table, CellReading reading) {
    if (reading == CellReading::Frames) {
        table.layoutIfNeeded();
        return;
    }
    table.layoutSelfIfNeeded();
}

} // namespace

bool bringRowIntoView(UITableView& table, NSIndexPath* indexPath, CellReading reading) {
    layOut(table, reading);
    if (table.cellForRowAtIndexPath(indexPath))
        return true;
    if (!indexPath || indexPath->section() < 0 ||
        indexPath->section() >= table.numberOfSections() || indexPath->row() < 0 ||
        indexPath->row() >= table.numberOfRowsInSection(indexPath->section()))
        return false;
    const CGRect rect = table.rectForRowAtIndexPath(indexPath);
    table.setContentOffset(
        table.clampedContentOffset(CGPointMake(table.contentOffset().x, rect.minY())));
    layOut(table, reading);
    return table.cellForRowAtIndexPath(indexPath) != nullptr;
}

void forEachRowByScrolling(UITableView& table, NSInteger section,
                           const std::function<void(NSInteger row, UITableViewCell& cell)>& visit,
                           CellReading reading) {
    objc::Ref<UITableView> keep(&table);
    const CGPoint start = table.contentOffset();
    const NSInteger rows = table.numberOfRowsInSection(section);
    for (NSInteger row = 0; row < rows; ++row) {
        auto path = NSIndexPath::indexPathForRow(row, section);
        if (!bringRowIntoView(table, path.get(), reading))
            continue;
        // The visit may lay the table out again; the cell stays alive through it.
        objc::Ref<UITableViewCell> cell(table.cellForRowAtIndexPath(path.get()));
        visit(row, *cell);
    }
    if (table.contentOffset() != start) {
        table.setContentOffset(start);
        layOut(table, reading);
    }
}

} // namespace tintbox::cli
