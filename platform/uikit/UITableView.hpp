// UITableView: rows in sections, asked of the data source and delegate (both held weakly)
// through the runtime, each question only when they respond to it, as UIKit does. Their
// runtime forms (self and _cmd first, then the table as id):
//   data source: numberOfSectionsInTableView: -> NSInteger (1 when not answered),
//     tableView:numberOfRowsInSection: (NSInteger) -> NSInteger,
//     tableView:cellForRowAtIndexPath: (id) -> objc::Ref<NSObject> (a new or dequeued cell),
//     tableView:titleForHeaderInSection: / tableView:titleForFooterInSection: (NSInteger)
//       -> std::string (empty for none), tableView:canMoveRowAtIndexPath: (id) -> bool,
//     tableView:moveRowAtIndexPath:toIndexPath: (id, id),
//     tableView:commitEditingStyle:forRowAtIndexPath: (NSInteger, id)
//   delegate: tableView:heightForRowAtIndexPath: (id) -> double,
//     tableView:heightForHeaderInSection: (NSInteger) -> double,
//     tableView:willDisplayCell:forRowAtIndexPath: (id, id),
//     tableView:willSelectRowAtIndexPath: (id) -> objc::Ref<NSObject> (nil refuses),
//     tableView:didSelectRowAtIndexPath: / tableView:didDeselectRowAtIndexPath: (id),
//     tableView:editingStyleForRowAtIndexPath: (id) -> NSInteger,
//     tableView:shouldIndentWhileEditingRowAtIndexPath: (id) -> bool,
//     tableView:targetIndexPathForMoveFromRowAtIndexPath:toProposedIndexPath: (id, id)
//       -> objc::Ref<NSObject>
// Rows are stacked from the top, each section below its header. As on the device, only the
// rows in view (the bounds, plus a little above and below) have cells: layoutSubviews asks the
// data source for the rows that came into view and puts the cells of rows that left it into the
// reuse queues, where dequeueReusableCellWithIdentifier: finds them. So a table of 100,000 rows
// holds a screenful of cells, and scrolling (setContentOffset:, then layout) fills the rest.
// Heights are asked for every row at reload. Taps, moves and deletes are simulated with
// tapRowAtIndexPath, simulateMoveRow and simulateCommitEditingStyle.
#pragma once

#include "platform/uikit/NSIndexPath.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIScrollView.hpp"
#include "platform/uikit/UITableViewCell.hpp"

#include <map>
#include <string>
#include <vector>

using UITableViewStyle = NSInteger;
inline constexpr UITableViewStyle UITableViewStylePlain = 0;
inline constexpr UITableViewStyle UITableViewStyleGrouped = 1;

using UITableViewScrollPosition = NSInteger;
inline constexpr UITableViewScrollPosition UITableViewScrollPositionNone = 0;

class UITableView : public UIScrollView {
public:
    static Class registerRuntimeClass();

    // A new table through initWithFrame:style:.
    static objc::Ref<UITableView> withFrameAndStyle(CGRect frame, UITableViewStyle style);
    UITableView* initWithFrameStyle(CGRect frame, UITableViewStyle style);

    UITableViewStyle style() const { return m_style; }
    id dataSource() const { return m_dataSource.get(); }
    void setDataSource(id dataSource);
    id delegate() const { return m_delegate.get(); }
    void setDelegate(id delegate);
    double rowHeight() const { return m_rowHeight; }
    void setRowHeight(double height);

    // Asks the data source again and lays every row out; clears the selection.
    void reloadData();
    NSInteger numberOfSections() const { return static_cast<NSInteger>(m_sections.size()); }
    // 0 for a section that does not exist.
    NSInteger numberOfRowsInSection(NSInteger section) const;

    // A queued cell of that identifier (prepareForReuse sent through the runtime), or nil.
    objc::Ref<UITableViewCell> dequeueReusableCellWithIdentifier(std::string identifier);
    // The cell of a row in view; nil for a row out of view or one that does not exist.
    UITableViewCell* cellForRowAtIndexPath(NSIndexPath* indexPath) const;
    // The row of a cell in view; nil otherwise.
    objc::Ref<NSIndexPath> indexPathForCell(UITableViewCell* cell) const;
    // The row under a point of the table's content (its bounds); nil when none.
    objc::Ref<NSIndexPath> indexPathForRowAtPoint(CGPoint point) const;
    // Where the row lies in the content, whether in view or not; zero for no row.
    CGRect rectForRowAtIndexPath(NSIndexPath* indexPath) const;
    // The cells of the rows in view, in row order.
    std::vector<UITableViewCell*> visibleCells() const;
    std::vector<objc::Ref<NSIndexPath>> indexPathsForVisibleRows() const;
    // Cells in the reuse queues (made, out of view, not yet dequeued).
    std::size_t queuedCellCount() const;
    // The header label of a section with a title; nil otherwise.
    UILabel* headerLabelForSection(NSInteger section) const;

    // Selection in code: no delegate message.
    void selectRowAtIndexPath(NSIndexPath* indexPath, bool animated,
                              UITableViewScrollPosition position);
    void deselectRowAtIndexPath(NSIndexPath* indexPath, bool animated);
    // The first selected row (section, then row order); nil when none.
    objc::Ref<NSIndexPath> indexPathForSelectedRow() const;
    std::vector<objc::Ref<NSIndexPath>> indexPathsForSelectedRows() const;
    bool allowsSelection() const { return m_allowsSelection; }
    void setAllowsSelection(bool allows) { m_allowsSelection = allows; }
    bool allowsMultipleSelection() const { return m_allowsMultipleSelection; }
    void setAllowsMultipleSelection(bool allows) { m_allowsMultipleSelection = allows; }
    bool allowsSelectionDuringEditing() const { return m_allowsSelectionDuringEditing; }
    void setAllowsSelectionDuringEditing(bool allows) { m_allowsSelectionDuringEditing = allows; }
    bool allowsMultipleSelectionDuringEditing() const {
        return m_allowsMultipleSelectionDuringEditing;
    }
    void setAllowsMultipleSelectionDuringEditing(bool allows) {
        m_allowsMultipleSelectionDuringEditing = allows;
    }

    bool isEditing() const { return m_editing; }
    void setEditing(bool editing);
    // Tells every cell (setEditing:animated:) and shows or hides the editing controls.
    void setEditingAnimated(bool editing, bool animated);

    // A user's tap on a row: willSelect (which may redirect or refuse), the selection, then
    // didSelect. Returns whether a row was selected (or, with multiple selection, toggled).
    bool tapRowAtIndexPath(NSIndexPath* indexPath);
    // A user's drag of a row by its reorder control (editing only) from `from` to the
    // proposed place: the delegate may retarget it, then the table moves its row and tells
    // the data source (not when it lands where it started). Returns where it landed, or nil
    // when the row could not be moved.
    objc::Ref<NSIndexPath> simulateMoveRow(NSIndexPath* from, NSIndexPath* proposed);
    // A user's tap on a row's delete (or insert) control: tells the data source.
    bool simulateCommitEditingStyle(UITableViewCellEditingStyle style, NSIndexPath* indexPath);

    // Row and section updates, after the data source has changed: the table asks it again
    // (headless there is nothing to animate), so the rows always match what it answers.
    void insertRowsAtIndexPaths(std::vector<objc::Ref<NSIndexPath>> paths, NSInteger animation);
    void deleteRowsAtIndexPaths(std::vector<objc::Ref<NSIndexPath>> paths, NSInteger animation);
    void reloadRowsAtIndexPaths(std::vector<objc::Ref<NSIndexPath>> paths, NSInteger animation);
    void beginUpdates() {}
    void endUpdates();
    // Sets the content offset so that the row's top shows at the top (within the content).
    void scrollToRowAtIndexPath(NSIndexPath* indexPath, UITableViewScrollPosition position,
                                bool animated);

    // Reloads first when needed, and places the rows for the current width.
    void layoutSubviews();

private:
    struct Row {
        objc::Ref<UITableViewCell> cell; // only while the row is in view
        CGFloat height{44};
        CGFloat top{0};
    };
    struct Section {
        std::string header;
        std::string footer;
        CGFloat headerHeight{0};
        objc::Ref<UILabel> headerLabel;
        objc::Ref<UILabel> footerLabel;
        std::vector<Row> rows;
    };

    bool validPath(NSInteger section, NSInteger row) const;
    const Row* rowAt(NSIndexPath* indexPath) const;
    void configureCell(UITableViewCell* cell, NSIndexPath* indexPath);
    bool canMoveRow(NSIndexPath* indexPath) const;
    // Places headers, footers and rows for the width, then fills the rows in view.
    void layoutRows();
    void tileRows();
    void enqueue(Row& row);
    void showCell(NSInteger section, NSInteger row);
    bool isSelected(NSInteger section, NSInteger row) const;
    bool selectionAllowed() const;
    bool multipleSelection() const;

    UITableViewStyle m_style{UITableViewStylePlain};
    objc::WeakRef<NSObject> m_dataSource;
    objc::WeakRef<NSObject> m_delegate;
    double m_rowHeight{44};
    std::vector<Section> m_sections;
    std::map<std::string, std::vector<objc::Ref<UITableViewCell>>> m_reuseQueues;
    std::vector<std::pair<NSInteger, NSInteger>> m_selected; // (section, row), sorted
    // The rows that have cells now, in row order: tiling looks at these, not at every row.
    std::vector<std::pair<NSInteger, NSInteger>> m_shownRows;
    CGFloat m_placedWidth{-1}; // the width headers, footers and rows were placed for
    bool m_needsReload{true};
    bool m_editing{false};
    bool m_allowsSelection{true};
    bool m_allowsMultipleSelection{false};
    bool m_allowsSelectionDuringEditing{false};
    bool m_allowsMultipleSelectionDuringEditing{false};
};
