// Walking every row of a long table as a user paging through it would: the table is scrolled
// a screen at a time, so each row is filled by its data source as it comes into view, into a
// cell the table made or reused, and only a screenful of cells exists at once. The content
// offset is put back afterwards.
//   forEachRowByScrolling(*table, 0, [&](NSInteger row, UITableViewCell& cell) { ... });
#pragma once

#include "platform/uikit/UITableView.hpp"

#include <functional>

namespace tintbox::cli {

// What a walk reads of each cell. A reader of texts and colours alone leaves the cells' own
// layout pending, as the platform does until something asks for frames: a cell laid out for
// nobody would measure its labels for nothing.
enum class CellReading {
    Frames,   // the cell is laid out before it is visited (pictures, view dumps, band frames)
    Contents, // only what filling the cell set (texts, colours, flags)
};

void forEachRowByScrolling(UITableView& table, NSInteger section,
                           const std::function<void(NSInteger row, UITableViewCell& cell)>& visit,
                           CellReading reading = CellReading::Frames);

// Scrolls the row into view when it is not, and lays the table out; false for no such row.
bool bringRowIntoView(UITableView& table, NSIndexPath* indexPath,
                      CellReading reading = CellReading::Frames);

} // namespace tintbox::cli
