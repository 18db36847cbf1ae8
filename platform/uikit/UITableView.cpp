#include "platform/uikit/UITableView.hpp"

#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIFont.hpp"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace {
[[maybe_unused]] const Class registeredAtLoad = UITableView::registerRuntimeClass();

constexpr CGFloat kHeaderHeight = 28;
constexpr CGFloat kGroupedGap = 18;
constexpr CGFloat kTextMargin = 15;
// How far beyond the bounds rows keep their cells, so a small scroll needs no new one.
constexpr CGFloat kOverscan = 44;

SEL sel(const char* name) {
    return sel_registerName(name);
}

bool responds(NSObject* object, SEL selector) {
    return object && object->respondsToSelector(selector);
}

objc::Ref<NSIndexPath> path(NSInteger section, NSInteger row) {
    return NSIndexPath::indexPathForRow(row, section);
}

objc::Ref<UILabel> sectionLabel(const std::string& text) {
    auto label = objc::make<UILabel>();
    label->setText(text);
    label->setFont(UIFont::systemFontOfSize(13).get());
    label->setTextColor(UIColor::colorWithWhite(0.43, 1).get());
    label->setNumberOfLines(0);
    label->setUserInteractionEnabled(false);
    return label;
}
} // namespace

Class UITableView::registerRuntimeClass() {
    UIScrollView::registerRuntimeClass();
    UITableViewCell::registerRuntimeClass();
    NSIndexPath::registerRuntimeClass();
    static const Class cls =
        objc::ClassBuilder<UITableView, UIScrollView>("UITableView")
            .method<&UITableView::initWithFrameStyle>("initWithFrame:style:")
            .method<&UITableView::style>("style")
            .method<&UITableView::dataSource>("dataSource")
            .method<&UITableView::setDataSource>("setDataSource:")
            .method<&UITableView::delegate>("delegate")
            .method<&UITableView::setDelegate>("setDelegate:")
            .method<&UITableView::rowHeight>("rowHeight")
            .method<&UITableView::setRowHeight>("setRowHeight:")
            .method<&UITableView::reloadData>("reloadData")
            .method<&UITableView::numberOfSections>("numberOfSections")
            .method<&UITableView::numberOfRowsInSection>("numberOfRowsInSection:")
            .method<&UITableView::dequeueReusableCellWithIdentifier>(
                "dequeueReusableCellWithIdentifier:")
            .method<&UITableView::cellForRowAtIndexPath>("cellForRowAtIndexPath:")
            .method<&UITableView::indexPathForCell>("indexPathForCell:")
            .method<&UITableView::indexPathForRowAtPoint>("indexPathForRowAtPoint:")
            .method<&UITableView::rectForRowAtIndexPath>("rectForRowAtIndexPath:")
            .method<&UITableView::visibleCells>("visibleCells")
            .method<&UITableView::indexPathsForVisibleRows>("indexPathsForVisibleRows")
            .method<&UITableView::selectRowAtIndexPath>(
                "selectRowAtIndexPath:animated:scrollPosition:")
            .method<&UITableView::deselectRowAtIndexPath>("deselectRowAtIndexPath:animated:")
            .method<&UITableView::indexPathForSelectedRow>("indexPathForSelectedRow")
            .method<&UITableView::indexPathsForSelectedRows>("indexPathsForSelectedRows")
            .method<&UITableView::allowsSelection>("allowsSelection")
            .method<&UITableView::setAllowsSelection>("setAllowsSelection:")
            .method<&UITableView::allowsMultipleSelection>("allowsMultipleSelection")
            .method<&UITableView::setAllowsMultipleSelection>("setAllowsMultipleSelection:")
            .method<&UITableView::allowsSelectionDuringEditing>("allowsSelectionDuringEditing")
            .method<&UITableView::setAllowsSelectionDuringEditing>(
                "setAllowsSelectionDuringEditing:")
            .method<&UITableView::allowsMultipleSelectionDuringEditing>(
                "allowsMultipleSelectionDuringEditing")
            .method<&UITableView::setAllowsMultipleSelectionDuringEditing>(
                "setAllowsMultipleSelectionDuringEditing:")
            .method<&UITableView::isEditing>("isEditing")
            .method<&UITableView::setEditing>("setEditing:")
            .method<&UITableView::setEditingAnimated>("setEditing:animated:")
            .method<&UITableView::insertRowsAtIndexPaths>(
                "insertRowsAtIndexPaths:withRowAnimation:")
            .method<&UITableView::deleteRowsAtIndexPaths>(
                "deleteRowsAtIndexPaths:withRowAnimation:")
            .method<&UITableView::reloadRowsAtIndexPaths>(
                "reloadRowsAtIndexPaths:withRowAnimation:")
            .method<&UITableView::beginUpdates>("beginUpdates")
            .method<&UITableView::endUpdates>("endUpdates")
            .method<&UITableView::scrollToRowAtIndexPath>(
                "scrollToRowAtIndexPath:atScrollPosition:animated:")
            .method<&UITableView::layoutSubviews>("layoutSubviews");
    return cls;
}

objc::Ref<UITableView> UITableView::withFrameAndStyle(CGRect frame, UITableViewStyle style) {
    auto table = objc::make<UITableView>();
    objc::msgSend<UITableView*(CGRect, NSInteger)>(table, sel("initWithFrame:style:"), frame,
                                                   style);
    return table;
}

UITableView* UITableView::initWithFrameStyle(CGRect frame, UITableViewStyle style) {
    m_style = style;
    setBackgroundColor(style == UITableViewStyleGrouped ? UIColor::colorWithWhite(0.94, 1).get()
                                                        : UIColor::whiteColor().get());
    objc::msgSend<UIView*(CGRect)>(this, initWithFrameSelector(), frame);
    return this;
}

void UITableView::setDataSource(id dataSource) {
    m_dataSource = dataSource;
    m_needsReload = true;
    setNeedsLayout();
}

void UITableView::setDelegate(id delegate) {
    m_delegate = delegate;
    m_needsReload = true;
    setNeedsLayout();
}

void UITableView::setRowHeight(double height) {
    m_rowHeight = height;
    m_needsReload = true;
    setNeedsLayout();
}

NSInteger UITableView::numberOfRowsInSection(NSInteger section) const {
    if (section < 0 || section >= numberOfSections())
        return 0;
    return static_cast<NSInteger>(m_sections[static_cast<std::size_t>(section)].rows.size());
}

void UITableView::reloadData() {
    // The data source and delegate stay alive while they are asked.
    objc::Ref<UITableView> self(this);
    objc::Ref<NSObject> dataSource = m_dataSource.lock();
    objc::Ref<NSObject> delegate = m_delegate.lock();
    m_needsReload = false;

    // Cells that the last round left unused are dropped, so the queues never outgrow a screen.
    m_reuseQueues.clear();
    for (Section& section : m_sections) {
        for (Row& row : section.rows)
            enqueue(row);
        if (section.headerLabel)
            section.headerLabel->removeFromSuperview();
        if (section.footerLabel)
            section.footerLabel->removeFromSuperview();
    }
    m_sections.clear();
    m_selected.clear();
    m_shownRows.clear();
    m_placedWidth = -1;
    if (!dataSource)
        return layoutRows();

    static const SEL sectionsSel = sel("numberOfSectionsInTableView:");
    static const SEL rowsSel = sel("tableView:numberOfRowsInSection:");
    static const SEL headerSel = sel("tableView:titleForHeaderInSection:");
    static const SEL footerSel = sel("tableView:titleForFooterInSection:");
    static const SEL headerHeightSel = sel("tableView:heightForHeaderInSection:");
    static const SEL heightSel = sel("tableView:heightForRowAtIndexPath:");

    const NSInteger sectionCount = responds(dataSource.get(), sectionsSel)
                                       ? objc::msgSend<NSInteger(id)>(dataSource, sectionsSel, this)
                                       : 1;
    for (NSInteger s = 0; s < sectionCount; ++s) {
        Section section;
        if (responds(dataSource.get(), headerSel))
            section.header =
                objc::msgSend<std::string(id, NSInteger)>(dataSource, headerSel, this, s);
        if (responds(dataSource.get(), footerSel))
            section.footer =
                objc::msgSend<std::string(id, NSInteger)>(dataSource, footerSel, this, s);
        section.headerHeight = !section.header.empty()              ? kHeaderHeight
                               : m_style == UITableViewStyleGrouped ? kGroupedGap
                                                                    : 0;
        if (responds(delegate.get(), headerHeightSel))
            section.headerHeight =
                objc::msgSend<double(id, NSInteger)>(delegate, headerHeightSel, this, s);
        m_sections.push_back(std::move(section));
    }
    const bool asksHeights = responds(delegate.get(), heightSel);
    for (NSInteger s = 0; s < sectionCount; ++s) {
        const NSInteger rowCount =
            responds(dataSource.get(), rowsSel)
                ? objc::msgSend<NSInteger(id, NSInteger)>(dataSource, rowsSel, this, s)
                : 0;
        auto& rows = m_sections[static_cast<std::size_t>(s)].rows;
        rows.reserve(static_cast<std::size_t>(std::max<NSInteger>(rowCount, 0)));
        for (NSInteger r = 0; r < rowCount; ++r) {
            Row row{nullptr, m_rowHeight};
            if (asksHeights)
                row.height =
                    objc::msgSend<double(id, id)>(delegate, heightSel, this, path(s, r).get());
            rows.push_back(row);
        }
    }
    layoutRows();
}

void UITableView::enqueue(Row& row) {
    if (!row.cell)
        return;
    row.cell->removeFromSuperview();
    const std::string identifier = row.cell->reuseIdentifier();
    if (!identifier.empty())
        m_reuseQueues[identifier].push_back(row.cell);
    row.cell = nullptr;
}

// A row that came into view gets its cell from the data source, configured as the table
// stands (editing, selection), then the delegate hears willDisplayCell.
void UITableView::showCell(NSInteger s, NSInteger r) {
    static const SEL cellSel = sel("tableView:cellForRowAtIndexPath:");
    static const SEL willDisplaySel = sel("tableView:willDisplayCell:forRowAtIndexPath:");
    static const SEL setSelectedSel = sel("setSelected:animated:");
    objc::Ref<NSObject> dataSource = m_dataSource.lock();
    objc::Ref<NSObject> delegate = m_delegate.lock();
    auto indexPath = path(s, r);
    auto cell = objc::msgSend<objc::Ref<UITableViewCell>(id, id)>(dataSource, cellSel, this,
                                                                  indexPath.get());
    if (!cell)
        throw std::logic_error("tableView:cellForRowAtIndexPath: gave no cell for row " +
                               std::to_string(r) + " of section " + std::to_string(s));
    // The data source may have reloaded the table while it was asked.
    if (!validPath(s, r))
        return;
    Row& row = m_sections[static_cast<std::size_t>(s)].rows[static_cast<std::size_t>(r)];
    row.cell = cell;
    configureCell(cell.get(), indexPath.get());
    if (cell->isSelected() != isSelected(s, r))
        objc::msgSend<void(bool, bool)>(cell, setSelectedSel, isSelected(s, r), false);
    if (responds(delegate.get(), willDisplaySel))
        objc::msgSend<void(id, id, id)>(delegate, willDisplaySel, this, cell.get(),
                                        indexPath.get());
}

bool UITableView::isSelected(NSInteger section, NSInteger row) const {
    return std::binary_search(m_selected.begin(), m_selected.end(), std::pair{section, row});
}

void UITableView::configureCell(UITableViewCell* cell, NSIndexPath* indexPath) {
    static const SEL styleSel = sel("tableView:editingStyleForRowAtIndexPath:");
    static const SEL indentSel = sel("tableView:shouldIndentWhileEditingRowAtIndexPath:");
    static const SEL commitSel = sel("tableView:commitEditingStyle:forRowAtIndexPath:");
    static const SEL setEditingSel = sel("setEditing:animated:");
    objc::Ref<NSObject> dataSource = m_dataSource.lock();
    objc::Ref<NSObject> delegate = m_delegate.lock();

    UITableViewCellEditingStyle style = responds(dataSource.get(), commitSel)
                                            ? UITableViewCellEditingStyleDelete
                                            : UITableViewCellEditingStyleNone;
    if (responds(delegate.get(), styleSel))
        style = objc::msgSend<NSInteger(id, id)>(delegate, styleSel, this, indexPath);
    cell->setEditingStyle(style);
    bool indent = true;
    if (responds(delegate.get(), indentSel))
        indent = objc::msgSend<bool(id, id)>(delegate, indentSel, this, indexPath);
    cell->setShouldIndentWhileEditing(indent);
    cell->setShowsReorderControl(canMoveRow(indexPath));
    if (cell->isEditing() != m_editing)
        objc::msgSend<void(bool, bool)>(cell, setEditingSel, m_editing, false);
}

bool UITableView::canMoveRow(NSIndexPath* indexPath) const {
    static const SEL moveSel = sel("tableView:moveRowAtIndexPath:toIndexPath:");
    static const SEL canMoveSel = sel("tableView:canMoveRowAtIndexPath:");
    objc::Ref<NSObject> dataSource = m_dataSource.lock();
    if (!responds(dataSource.get(), moveSel))
        return false;
    if (!responds(dataSource.get(), canMoveSel))
        return true;
    return objc::msgSend<bool(id, id)>(dataSource, canMoveSel, const_cast<UITableView*>(this),
                                       indexPath);
}

void UITableView::layoutRows() {
    const CGFloat width = bounds().width();
    if (width == m_placedWidth)
        return tileRows(); // a scroll: the rows stand where they were
    m_placedWidth = width;
    CGFloat y = 0;
    for (Section& section : m_sections) {
        if (!section.header.empty()) {
            if (!section.headerLabel)
                section.headerLabel = sectionLabel(section.header);
            section.headerLabel->setFrame(CGRectMake(kTextMargin, y + section.headerHeight - 22,
                                                     std::max<CGFloat>(width - 2 * kTextMargin, 0),
                                                     20));
            if (section.headerLabel->superview() != this)
                addSubview(section.headerLabel.get());
        }
        y += section.headerHeight;
        for (Row& row : section.rows) {
            row.top = y;
            y += row.height;
        }
        if (!section.footer.empty()) {
            if (!section.footerLabel)
                section.footerLabel = sectionLabel(section.footer);
            const CGFloat textWidth = std::max<CGFloat>(width - 2 * kTextMargin, 0);
            const CGFloat height =
                section.footerLabel->sizeThatFits(CGSizeMake(textWidth, 0)).height + 12;
            section.footerLabel->setFrame(CGRectMake(kTextMargin, y + 6, textWidth, height - 12));
            if (section.footerLabel->superview() != this)
                addSubview(section.footerLabel.get());
            y += height;
        }
    }
    setContentSize(CGSizeMake(width, y));
    tileRows();
}

// The rows within the bounds and a margin around them have cells; the others have none.
// Cells leave first, so the rows coming into view reuse them.
void UITableView::tileRows() {
    static const SEL setFrameSel = sel("setFrame:");
    objc::Ref<UITableView> self(this);
    const CGRect shown = bounds();
    const CGFloat margin = std::max<CGFloat>(m_rowHeight, kOverscan);
    const CGFloat low = shown.minY() - margin;
    const CGFloat high = shown.maxY() + margin;
    const bool anyArea = shown.height() > 0 && shown.width() > 0;
    const auto inView = [&](const Row& row) {
        return anyArea && row.top + row.height > low && row.top < high;
    };
    // The first row whose bottom lies below `low`, by binary search over the stacked rows.
    const auto firstInView = [&](std::vector<Row>& rows) {
        return std::partition_point(rows.begin(), rows.end(),
                                    [&](const Row& row) { return row.top + row.height <= low; });
    };
    std::vector<std::pair<NSInteger, NSInteger>> nowShown;
    for (auto [s, r] : std::exchange(m_shownRows, {})) {
        if (!validPath(s, r))
            continue;
        Row& row = m_sections[static_cast<std::size_t>(s)].rows[static_cast<std::size_t>(r)];
        if (row.cell && !inView(row))
            enqueue(row);
    }
    if (!m_dataSource.lock())
        return;
    for (std::size_t s = 0; s < m_sections.size(); ++s) {
        auto r =
            static_cast<std::size_t>(firstInView(m_sections[s].rows) - m_sections[s].rows.begin());
        for (; r < m_sections[s].rows.size() && inView(m_sections[s].rows[r]); ++r) {
            if (!m_sections[s].rows[r].cell)
                showCell(static_cast<NSInteger>(s), static_cast<NSInteger>(r));
            if (s >= m_sections.size() || r >= m_sections[s].rows.size())
                return; // reloaded from inside the data source
            Row& row = m_sections[s].rows[r];
            if (!row.cell)
                continue;
            const CGRect frame = CGRectMake(0, row.top, shown.width(), row.height);
            if (row.cell->frame() != frame)
                objc::msgSend<void(CGRect)>(row.cell, setFrameSel, frame);
            if (row.cell->superview() != this)
                addSubview(row.cell.get());
            nowShown.emplace_back(static_cast<NSInteger>(s), static_cast<NSInteger>(r));
        }
    }
    m_shownRows = std::move(nowShown);
}

void UITableView::layoutSubviews() {
    if (m_needsReload)
        reloadData();
    else
        layoutRows();
}

void UITableView::insertRowsAtIndexPaths(std::vector<objc::Ref<NSIndexPath>>, NSInteger) {
    objc::msgSend<void()>(this, sel("reloadData"));
}

void UITableView::deleteRowsAtIndexPaths(std::vector<objc::Ref<NSIndexPath>>, NSInteger) {
    objc::msgSend<void()>(this, sel("reloadData"));
}

void UITableView::reloadRowsAtIndexPaths(std::vector<objc::Ref<NSIndexPath>>, NSInteger) {
    objc::msgSend<void()>(this, sel("reloadData"));
}

void UITableView::endUpdates() {
    objc::msgSend<void()>(this, sel("reloadData"));
}

void UITableView::scrollToRowAtIndexPath(NSIndexPath* indexPath, UITableViewScrollPosition,
                                         bool animated) {
    const Row* row = rowAt(indexPath);
    if (!row)
        return;
    const CGFloat y = clampedContentOffset(CGPointMake(contentOffset().x, row->top)).y;
    setContentOffsetAnimated(CGPointMake(contentOffset().x, y), animated);
}

bool UITableView::validPath(NSInteger section, NSInteger row) const {
    return section >= 0 && section < numberOfSections() && row >= 0 &&
           row < numberOfRowsInSection(section);
}

const UITableView::Row* UITableView::rowAt(NSIndexPath* indexPath) const {
    if (!indexPath || !validPath(indexPath->section(), indexPath->row()))
        return nullptr;
    return &m_sections[static_cast<std::size_t>(indexPath->section())]
                .rows[static_cast<std::size_t>(indexPath->row())];
}

objc::Ref<UITableViewCell> UITableView::dequeueReusableCellWithIdentifier(std::string identifier) {
    auto queue = m_reuseQueues.find(identifier);
    if (queue == m_reuseQueues.end() || queue->second.empty())
        return nullptr;
    objc::Ref<UITableViewCell> cell = queue->second.back();
    queue->second.pop_back();
    objc::msgSend<void()>(cell, sel("prepareForReuse"));
    return cell;
}

UITableViewCell* UITableView::cellForRowAtIndexPath(NSIndexPath* indexPath) const {
    const Row* row = rowAt(indexPath);
    return row ? row->cell.get() : nullptr;
}

objc::Ref<NSIndexPath> UITableView::indexPathForCell(UITableViewCell* cell) const {
    if (!cell)
        return nullptr;
    for (auto [s, r] : m_shownRows)
        if (validPath(s, r) &&
            m_sections[static_cast<std::size_t>(s)].rows[static_cast<std::size_t>(r)].cell == cell)
            return path(s, r);
    return nullptr;
}

objc::Ref<NSIndexPath> UITableView::indexPathForRowAtPoint(CGPoint point) const {
    if (point.x < 0 || point.x >= bounds().width())
        return nullptr;
    for (std::size_t s = 0; s < m_sections.size(); ++s) {
        const auto& rows = m_sections[s].rows;
        const auto it = std::partition_point(rows.begin(), rows.end(), [&](const Row& row) {
            return row.top + row.height <= point.y;
        });
        if (it != rows.end() && it->top <= point.y)
            return path(static_cast<NSInteger>(s), static_cast<NSInteger>(it - rows.begin()));
    }
    return nullptr;
}

CGRect UITableView::rectForRowAtIndexPath(NSIndexPath* indexPath) const {
    const Row* row = rowAt(indexPath);
    return row ? CGRectMake(0, row->top, bounds().width(), row->height) : CGRectZero;
}

std::vector<UITableViewCell*> UITableView::visibleCells() const {
    std::vector<UITableViewCell*> cells;
    for (auto [s, r] : m_shownRows)
        if (validPath(s, r))
            if (UITableViewCell* cell = m_sections[static_cast<std::size_t>(s)]
                                            .rows[static_cast<std::size_t>(r)]
                                            .cell.get())
                cells.push_back(cell);
    return cells;
}

std::vector<objc::Ref<NSIndexPath>> UITableView::indexPathsForVisibleRows() const {
    std::vector<objc::Ref<NSIndexPath>> paths;
    for (auto [s, r] : m_shownRows)
        if (validPath(s, r) &&
            m_sections[static_cast<std::size_t>(s)].rows[static_cast<std::size_t>(r)].cell)
            paths.push_back(path(s, r));
    return paths;
}

std::size_t UITableView::queuedCellCount() const {
    std::size_t count = 0;
    for (const auto& [identifier, queue] : m_reuseQueues)
        count += queue.size();
    return count;
}

UILabel* UITableView::headerLabelForSection(NSInteger section) const {
    if (section < 0 || section >= numberOfSections())
        return nullptr;
    return m_sections[static_cast<std::size_t>(section)].headerLabel.get();
}

void UITableView::selectRowAtIndexPath(NSIndexPath* indexPath, bool animated,
                                       UITableViewScrollPosition) {
    const Row* row = rowAt(indexPath);
    if (!row)
        return;
    if (!multipleSelection()) {
        for (auto [s, r] : std::vector(m_selected)) {
            if (s != indexPath->section() || r != indexPath->row())
                deselectRowAtIndexPath(path(s, r).get(), animated);
        }
    }
    const std::pair key{indexPath->section(), indexPath->row()};
    if (std::find(m_selected.begin(), m_selected.end(), key) == m_selected.end()) {
        m_selected.push_back(key);
        std::sort(m_selected.begin(), m_selected.end());
    }
    if (row->cell)
        objc::msgSend<void(bool, bool)>(row->cell, sel("setSelected:animated:"), true, animated);
}

void UITableView::deselectRowAtIndexPath(NSIndexPath* indexPath, bool animated) {
    if (!indexPath)
        return;
    std::erase(m_selected, std::pair{indexPath->section(), indexPath->row()});
    if (const Row* row = rowAt(indexPath); row && row->cell)
        objc::msgSend<void(bool, bool)>(row->cell, sel("setSelected:animated:"), false, animated);
}

objc::Ref<NSIndexPath> UITableView::indexPathForSelectedRow() const {
    if (m_selected.empty())
        return nullptr;
    return path(m_selected.front().first, m_selected.front().second);
}

std::vector<objc::Ref<NSIndexPath>> UITableView::indexPathsForSelectedRows() const {
    std::vector<objc::Ref<NSIndexPath>> paths;
    for (auto [s, r] : m_selected)
        paths.push_back(path(s, r));
    return paths;
}

bool UITableView::selectionAllowed() const {
    return m_editing ? m_allowsSelectionDuringEditing : m_allowsSelection;
}

bool UITableView::multipleSelection() const {
    return m_editing ? m_allowsMultipleSelectionDuringEditing : m_allowsMultipleSelection;
}

void UITableView::setEditing(bool editing) {
    setEditingAnimated(editing, false);
}

void UITableView::setEditingAnimated(bool editing, bool animated) {
    if (editing == m_editing)
        return;
    m_editing = editing;
    for (std::size_t s = 0; s < m_sections.size(); ++s) {
        for (std::size_t r = 0; r < m_sections[s].rows.size(); ++r) {
            objc::Ref<UITableViewCell> cell = m_sections[s].rows[r].cell;
            if (!cell)
                continue; // configured when it comes into view
            auto indexPath = path(static_cast<NSInteger>(s), static_cast<NSInteger>(r));
            configureCell(cell.get(), indexPath.get());
            objc::msgSend<void(bool, bool)>(cell, sel("setEditing:animated:"), editing, animated);
        }
    }
    setNeedsLayout();
}

bool UITableView::tapRowAtIndexPath(NSIndexPath* indexPath) {
    static const SEL willSelectSel = sel("tableView:willSelectRowAtIndexPath:");
    static const SEL didSelectSel = sel("tableView:didSelectRowAtIndexPath:");
    static const SEL didDeselectSel = sel("tableView:didDeselectRowAtIndexPath:");
    if (!rowAt(indexPath) || !selectionAllowed())
        return false;
    objc::Ref<UITableView> self(this);
    objc::Ref<NSObject> delegate = m_delegate.lock();
    objc::Ref<NSIndexPath> target(indexPath);

    const std::pair tapped{indexPath->section(), indexPath->row()};
    const bool selected =
        std::find(m_selected.begin(), m_selected.end(), tapped) != m_selected.end();
    if (multipleSelection() && selected) {
        deselectRowAtIndexPath(indexPath, false);
        if (responds(delegate.get(), didDeselectSel))
            objc::msgSend<void(id, id)>(delegate, didDeselectSel, this, indexPath);
        return true;
    }
    if (responds(delegate.get(), willSelectSel)) {
        target =
            objc::msgSend<objc::Ref<NSIndexPath>(id, id)>(delegate, willSelectSel, this, indexPath);
        if (!rowAt(target.get()))
            return false;
    }
    std::vector<std::pair<NSInteger, NSInteger>> deselected;
    if (!multipleSelection()) {
        for (auto pair : m_selected) {
            if (pair != std::pair{target->section(), target->row()})
                deselected.push_back(pair);
        }
    }
    selectRowAtIndexPath(target.get(), false, UITableViewScrollPositionNone);
    for (auto [s, r] : deselected) {
        if (responds(delegate.get(), didDeselectSel))
            objc::msgSend<void(id, id)>(delegate, didDeselectSel, this, path(s, r).get());
    }
    if (responds(delegate.get(), didSelectSel))
        objc::msgSend<void(id, id)>(delegate, didSelectSel, this, target.get());
    return true;
}

objc::Ref<NSIndexPath> UITableView::simulateMoveRow(NSIndexPath* from, NSIndexPath* proposed) {
    static const SEL targetSel =
        sel("tableView:targetIndexPathForMoveFromRowAtIndexPath:toProposedIndexPath:");
    static const SEL moveSel = sel("tableView:moveRowAtIndexPath:toIndexPath:");
    if (!m_editing || !rowAt(from) || !proposed || numberOfSections() == 0 || !canMoveRow(from))
        return nullptr;
    objc::Ref<UITableView> self(this);
    objc::Ref<NSObject> dataSource = m_dataSource.lock();
    objc::Ref<NSObject> delegate = m_delegate.lock();

    // A drop place the table can hold: an existing section, at most one past its last row
    // (none past it within the row's own section, which loses the row first).
    auto holdable = [&](NSIndexPath* place) {
        const NSInteger section =
            std::clamp<NSInteger>(place->section(), 0, numberOfSections() - 1);
        const NSInteger limit =
            numberOfRowsInSection(section) - (section == from->section() ? 1 : 0);
        return path(section, std::clamp<NSInteger>(place->row(), 0, limit));
    };
    objc::Ref<NSIndexPath> to = holdable(proposed);
    if (responds(delegate.get(), targetSel)) {
        objc::Ref<NSIndexPath> retargeted = objc::msgSend<objc::Ref<NSIndexPath>(id, id, id)>(
            delegate, targetSel, this, from, to.get());
        if (retargeted)
            to = holdable(retargeted.get());
    }

    // The selection follows the rows: the moved row's, and those of the rows it passed.
    const auto fromKey = std::pair{from->section(), from->row()};
    const bool movedSelected = isSelected(fromKey.first, fromKey.second);
    std::vector<std::pair<NSInteger, NSInteger>> selection;
    for (auto [s, r] : m_selected) {
        if (std::pair{s, r} == fromKey)
            continue;
        if (s == fromKey.first && r > fromKey.second)
            --r;
        if (s == to->section() && r >= to->row())
            ++r;
        selection.emplace_back(s, r);
    }
    if (movedSelected)
        selection.emplace_back(to->section(), to->row());
    std::sort(selection.begin(), selection.end());
    m_selected = std::move(selection);

    auto& source = m_sections[static_cast<std::size_t>(from->section())].rows;
    Row moved = source[static_cast<std::size_t>(from->row())];
    source.erase(source.begin() + from->row());
    auto& destination = m_sections[static_cast<std::size_t>(to->section())].rows;
    destination.insert(destination.begin() + to->row(), moved);
    // Every row that had a cell may stand elsewhere now.
    m_shownRows.clear();
    for (std::size_t s = 0; s < m_sections.size(); ++s)
        for (std::size_t r = 0; r < m_sections[s].rows.size(); ++r)
            if (m_sections[s].rows[r].cell)
                m_shownRows.emplace_back(static_cast<NSInteger>(s), static_cast<NSInteger>(r));
    m_placedWidth = -1;
    layoutRows();

    if (!sameIndexPath(from, to.get()))
        objc::msgSend<void(id, id, id)>(dataSource, moveSel, this, from, to.get());
    return to;
}

bool UITableView::simulateCommitEditingStyle(UITableViewCellEditingStyle style,
                                             NSIndexPath* indexPath) {
    static const SEL commitSel = sel("tableView:commitEditingStyle:forRowAtIndexPath:");
    objc::Ref<NSObject> dataSource = m_dataSource.lock();
    if (!rowAt(indexPath) || !responds(dataSource.get(), commitSel))
        return false;
    objc::Ref<UITableView> self(this);
    objc::msgSend<void(id, NSInteger, id)>(dataSource, commitSel, this, style, indexPath);
    return true;
}
