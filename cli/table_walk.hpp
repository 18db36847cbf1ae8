// Walking every row of a long table as a user paging through it would: the table is scrolled
// a screen at a time, so each row is filled by its data source as it comes into view, into a
// cell the table made or reused, and only a screenful of cells exists at once. The content
// offset is put back afterwards.
//   forEachRowByScrolling(*table, 0, [&](NSInteger row, UITableViewCell& cell) { ... });
#pragma once

#include "platform/uikit/UITableView.hpp"

#include <functional>

namespace tintbox::cli {

void forEachRowByScrolling(UITableView& table, NSInteger section,
                           const std::function<void(NSInteger row, UITableViewCell& cell)>& visit);

// Scrolls the row into view when it is not, and lays the table out; false for no such row.
bool bringRowIntoView(UITableView& table, NSIndexPath* indexPath);

} // namespace tintbox::cli
