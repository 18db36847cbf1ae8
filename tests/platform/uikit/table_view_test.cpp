#include "platform/uikit/UITableView.hpp"
#include "tests/platform/uikit/message_recorder.hpp"

#include <gtest/gtest.h>
#include <limits>

namespace {

std::string describe(NSIndexPath* path) {
    return path ? std::to_string(path->section()) + "." + std::to_string(path->row()) : "nil";
}

// A data source and delegate in the shape of the filter list: named rows in titled sections;
// row 0 of section 1 cannot move, and a drop above it is retargeted below it.
class TableSource : public NSObject {
public:
    std::vector<std::vector<std::string>> rows{{"a", "b", "c", "d"}, {"add", "x"}, {}};
    std::vector<std::string> headers{"ENABLED", "DISABLED", "DRAG BELOW, TO DELETE"};
    int cellsMade{0};
    std::vector<std::string> log;

    NSInteger sections(UITableView*) const { return static_cast<NSInteger>(rows.size()); }
    NSInteger rowsIn(UITableView*, NSInteger section) const {
        return static_cast<NSInteger>(rows.at(static_cast<std::size_t>(section)).size());
    }
    std::string header(UITableView*, NSInteger section) const {
        return headers.at(static_cast<std::size_t>(section));
    }
    objc::Ref<UITableViewCell> cellFor(UITableView* table, NSIndexPath* path) {
        auto cell = objc::msgSend<objc::Ref<UITableViewCell>(std::string)>(
            table, sel("dequeueReusableCellWithIdentifier:"), std::string("Cell"));
        if (!cell) {
            cell = UITableViewCell::withStyle(UITableViewCellStyleSubtitle, "Cell");
            ++cellsMade;
        }
        cell->textLabel()->setText(at(path));
        return cell;
    }
    bool canMove(UITableView*, NSIndexPath* path) const {
        return !(path->section() == 1 && path->row() == 0);
    }
    objc::Ref<NSIndexPath> target(UITableView*, NSIndexPath* from, NSIndexPath* proposed) {
        log.push_back("target " + describe(from) + " " + describe(proposed));
        if (proposed->section() == 1 && proposed->row() == 0)
            return NSIndexPath::indexPathForRow(1, 1);
        return objc::Ref<NSIndexPath>(proposed);
    }
    void move(UITableView*, NSIndexPath* from, NSIndexPath* to) {
        log.push_back("move " + describe(from) + " " + describe(to));
        auto& source = rows[static_cast<std::size_t>(from->section())];
        std::string moved = source[static_cast<std::size_t>(from->row())];
        source.erase(source.begin() + from->row());
        auto& destination = rows[static_cast<std::size_t>(to->section())];
        destination.insert(destination.begin() + to->row(), moved);
    }
    void didSelect(UITableView*, NSIndexPath* path) { log.push_back("select " + describe(path)); }
    NSInteger editingStyle(UITableView*, NSIndexPath*) const { return 0; }

    std::string at(NSIndexPath* path) const {
        return rows[static_cast<std::size_t>(path->section())]
                   [static_cast<std::size_t>(path->row())];
    }

    static void registerRuntimeClass() {
        objc::ClassBuilder<TableSource>("TableSource")
            .method<&TableSource::sections>("numberOfSectionsInTableView:")
            .method<&TableSource::rowsIn>("tableView:numberOfRowsInSection:")
            .method<&TableSource::header>("tableView:titleForHeaderInSection:")
            .method<&TableSource::cellFor>("tableView:cellForRowAtIndexPath:")
            .method<&TableSource::canMove>("tableView:canMoveRowAtIndexPath:")
            .method<&TableSource::move>("tableView:moveRowAtIndexPath:toIndexPath:")
            .method<&TableSource::target>(
                "tableView:targetIndexPathForMoveFromRowAtIndexPath:toProposedIndexPath:")
            .method<&TableSource::didSelect>("tableView:didSelectRowAtIndexPath:")
            .method<&TableSource::editingStyle>("tableView:editingStyleForRowAtIndexPath:");
        // The same, with rows of their own height.
        objc::ClassBuilder<TableSource, TableSource>("TallRowsSource")
            .method(
                "tableView:heightForRowAtIndexPath:", +[](id, SEL, id, id path) -> double {
                    return 50.0 + 10.0 * double(static_cast<NSIndexPath*>(path)->row());
                });
    }
};

class TableViewTest : public testing::Test {
protected:
    void SetUp() override {
        table->setDataSource(source.get());
        table->setDelegate(source.get());
    }

    std::vector<std::string> shownTexts() const {
        std::vector<std::string> texts;
        for (UITableViewCell* cell : table->visibleCells())
            texts.push_back(cell->textLabel()->text());
        return texts;
    }

    static objc::Ref<TableSource> makeSource() {
        TableSource::registerRuntimeClass();
        return objc::make<TableSource>();
    }

    objc::Ref<TableSource> source = makeSource();
    objc::Ref<UITableView> table =
        UITableView::withFrameAndStyle(CGRectMake(0, 0, 320, 480), UITableViewStylePlain);
};

TEST_F(TableViewTest, RowsComeFromTheDataSourceStackedUnderTheirSectionHeaders) {
    table->layoutIfNeeded(); // the first layout loads the table
    EXPECT_EQ(objc::msgSend<NSInteger>(table, sel("numberOfSections")), 3);
    EXPECT_EQ(table->numberOfRowsInSection(0), 4);
    EXPECT_EQ(table->headerLabelForSection(1)->text(), "DISABLED");
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{"a", "b", "c", "d", "add", "x"}));
    EXPECT_DOUBLE_EQ(table->rowHeight(), 44);

    auto secondDisabled = NSIndexPath::indexPathForRow(1, 1);
    const CGRect rect = table->rectForRowAtIndexPath(secondDisabled.get());
    EXPECT_EQ(rect, CGRectMake(0, 28 + 4 * 44 + 28 + 44, 320, 44));
    UITableViewCell* cell = table->cellForRowAtIndexPath(secondDisabled.get());
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->textLabel()->text(), "x");
    EXPECT_EQ(describe(table->indexPathForCell(cell).get()), "1.1");
    EXPECT_EQ(describe(table->indexPathForRowAtPoint(rect.center()).get()), "1.1");
    EXPECT_EQ(describe(table->indexPathForRowAtPoint({10, 5}).get()), "nil"); // a header
    EXPECT_EQ(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 2).get()), nullptr);
    EXPECT_DOUBLE_EQ(table->contentSize().height, 3 * 28 + 6 * 44);
}

TEST_F(TableViewTest, ReloadingReusesTheCellsOfTheLastRound) {
    table->reloadData();
    EXPECT_EQ(source->cellsMade, 6);
    std::vector<UITableViewCell*> before = table->visibleCells();
    before[0]->setSelected(true);

    source->rows[0].pop_back();
    table->reloadData();
    EXPECT_EQ(source->cellsMade, 6);
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{"a", "b", "c", "add", "x"}));
    for (UITableViewCell* cell : table->visibleCells()) {
        EXPECT_NE(std::find(before.begin(), before.end(), cell), before.end());
        EXPECT_FALSE(cell->isSelected()); // prepareForReuse ran
    }
}

TEST_F(TableViewTest, HeightsComeFromADelegateThatAnswers) {
    auto tall =
        objc::dynamicCast<TableSource>(class_createInstance(objc_getClass("TallRowsSource")));
    table->setDelegate(tall.get());
    table->reloadData();
    EXPECT_EQ(table->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(2, 0).get()),
              CGRectMake(0, 28 + 50 + 60, 320, 70));
}

TEST_F(TableViewTest, MovingARowAsksTheDelegateForTheTargetThenTellsTheDataSource) {
    table->reloadData();
    auto from = NSIndexPath::indexPathForRow(2, 0);
    EXPECT_FALSE(table->simulateMoveRow(from.get(), NSIndexPath::indexPathForRow(0, 0).get()))
        << "rows move only in editing mode";

    objc::msgSend<void(bool, bool)>(table, sel("setEditing:animated:"), true, true);
    EXPECT_TRUE(table->visibleCells()[0]->isEditing());
    EXPECT_TRUE(table->visibleCells()[0]->showsReorderControl());
    EXPECT_FALSE(table->visibleCells()[4]->showsReorderControl()); // the add row

    auto landed = table->simulateMoveRow(from.get(), NSIndexPath::indexPathForRow(0, 0).get());
    EXPECT_EQ(describe(landed.get()), "0.0");
    EXPECT_EQ(source->log, (std::vector<std::string>{"target 0.2 0.0", "move 0.2 0.0"}));
    EXPECT_EQ(source->rows[0], (std::vector<std::string>{"c", "a", "b", "d"}));
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{"c", "a", "b", "d", "add", "x"}));

    // Retargeted below the add row; into the empty last section; the add row stays put.
    source->log.clear();
    table->simulateMoveRow(NSIndexPath::indexPathForRow(0, 0).get(),
                           NSIndexPath::indexPathForRow(0, 1).get());
    table->simulateMoveRow(NSIndexPath::indexPathForRow(0, 0).get(),
                           NSIndexPath::indexPathForRow(5, 2).get());
    EXPECT_FALSE(table->simulateMoveRow(NSIndexPath::indexPathForRow(0, 1).get(),
                                        NSIndexPath::indexPathForRow(0, 0).get()));
    EXPECT_EQ(source->log, (std::vector<std::string>{"target 0.0 1.0", "move 0.0 1.1",
                                                     "target 0.0 2.0", "move 0.0 2.0"}));
    EXPECT_EQ(source->rows,
              (std::vector<std::vector<std::string>>{{"b", "d"}, {"add", "c", "x"}, {"a"}}));
}

TEST_F(TableViewTest, ATapSelectsTheRowAndTellsTheDelegate) {
    table->reloadData();
    EXPECT_TRUE(table->tapRowAtIndexPath(NSIndexPath::indexPathForRow(1, 0).get()));
    EXPECT_EQ(describe(table->indexPathForSelectedRow().get()), "0.1");
    EXPECT_TRUE(table->visibleCells()[1]->isSelected());
    table->tapRowAtIndexPath(NSIndexPath::indexPathForRow(0, 1).get());
    EXPECT_EQ(source->log, (std::vector<std::string>{"select 0.1", "select 1.0"}));
    EXPECT_FALSE(table->visibleCells()[1]->isSelected()); // single selection moved on

    objc::msgSend<void(id, bool)>(table, sel("deselectRowAtIndexPath:animated:"),
                                  table->indexPathForSelectedRow().get(), true);
    EXPECT_EQ(table->indexPathForSelectedRow(), nullptr);

    // In editing mode only when selection during editing is allowed.
    table->setEditing(true);
    EXPECT_FALSE(table->tapRowAtIndexPath(NSIndexPath::indexPathForRow(0, 0).get()));
    table->setAllowsSelectionDuringEditing(true);
    EXPECT_TRUE(table->tapRowAtIndexPath(NSIndexPath::indexPathForRow(0, 0).get()));
}

TEST(IndexPathTest, PathsReadAsSectionThenRowAndCompareByValue) {
    auto path = objc::msgSendClass<objc::Ref<NSIndexPath>(NSInteger, NSInteger)>(
        objc::classOf<NSIndexPath>(), sel("indexPathForRow:inSection:"), 3L, 1L);
    EXPECT_EQ(objc::msgSend<NSUInteger>(path, sel("length")), 2u);
    struct Case {
        NSUInteger position;
        NSUInteger index;
    };
    for (const Case& c : {Case{0, 1}, Case{1, 3}, Case{2, std::numeric_limits<long>::max()}})
        EXPECT_EQ(objc::msgSend<NSUInteger(NSUInteger)>(path, sel("indexAtPosition:"), c.position),
                  c.index);
    EXPECT_TRUE(sameIndexPath(path.get(), NSIndexPath::indexPathForRow(3, 1).get()));
    EXPECT_FALSE(sameIndexPath(path.get(), NSIndexPath::indexPathForRow(1, 3).get()));
    EXPECT_EQ(path->compare(NSIndexPath::indexPathForRow(0, 2).get()), -1);
}

TEST_F(TableViewTest, RowUpdatesShowWhatTheDataSourceNowHolds) {
    table->reloadData();
    source->rows[1].erase(source->rows[1].begin() + 1);
    objc::msgSend<void(std::vector<objc::Ref<NSIndexPath>>, NSInteger)>(
        table, sel("deleteRowsAtIndexPaths:withRowAnimation:"),
        std::vector{NSIndexPath::indexPathForRow(1, 1)}, 0L);
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{"a", "b", "c", "d", "add"}));

    table->scrollToRowAtIndexPath(NSIndexPath::indexPathForRow(0, 1).get(), 0, false);
    EXPECT_DOUBLE_EQ(table->contentOffset().y, 0); // the content fits: nothing to scroll
    table->setFrame(CGRectMake(0, 0, 320, 100));
    table->scrollToRowAtIndexPath(NSIndexPath::indexPathForRow(2, 0).get(), 0, false);
    EXPECT_DOUBLE_EQ(table->contentOffset().y, 28 + 88);
}

TEST_F(TableViewTest, AGoneDataSourceIsNotAsked) {
    table->reloadData();
    source = nullptr;
    table->reloadData();
    EXPECT_EQ(table->numberOfSections(), 0);
    EXPECT_TRUE(table->visibleCells().empty());
}

TEST_F(TableViewTest, ContentInsetAndOffsetAreKeptAndTheOffsetShiftsTheBounds) {
    table->setContentInset(UIEdgeInsetsMake(64, 0, 0, 0));
    objc::msgSend<void(UIEdgeInsets)>(table, sel("setContentInset:"),
                                      UIEdgeInsetsMake(table->contentInset().top + 44, 0, 0, 0));
    objc::msgSend<void(CGPoint)>(table, sel("setContentOffset:"), CGPointMake(0, -108));
    EXPECT_EQ(table->contentInset(), UIEdgeInsetsMake(108, 0, 0, 0));
    EXPECT_EQ(objc::msgSend<CGPoint>(table, sel("contentOffset")), CGPointMake(0, -108));
    EXPECT_EQ(table->bounds().origin, CGPointMake(0, -108));
}

} // namespace

// A long table, as a big mailbox makes one: only the rows in view (and a margin) have cells,
// scrolling fills the rows that come into view from the cells of the rows that left it, and
// every row is still asked for when the table is scrolled through.
class LongTableTest : public TableViewTest {
protected:
    void SetUp() override {
        source->rows = {std::vector<std::string>(10000)};
        for (std::size_t i = 0; i < source->rows[0].size(); ++i)
            source->rows[0][i] = "row " + std::to_string(i);
        source->headers = {""};
        TableViewTest::SetUp();
        table->layoutIfNeeded();
    }

    void scrollTo(CGFloat y) {
        table->setContentOffset(CGPointMake(0, y));
        table->layoutIfNeeded();
    }

    // 480 points of 44-point rows, with up to one row's margin above and below.
    static constexpr std::size_t kMostCells = 480 / 44 + 1 + 2 + 2;
};

TEST_F(LongTableTest, OnlyTheRowsInViewHaveCells) {
    EXPECT_LE(table->visibleCells().size(), kMostCells);
    EXPECT_EQ(shownTexts().front(), "row 0");
    EXPECT_NE(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(3, 0).get()), nullptr);
    EXPECT_EQ(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(500, 0).get()), nullptr);
    // Out of view, a row still has its place.
    EXPECT_EQ(table->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(500, 0).get()),
              CGRectMake(0, 500 * 44, 320, 44));
    EXPECT_DOUBLE_EQ(table->contentSize().height, 10000 * 44);
}

TEST_F(LongTableTest, ScrollingReusesTheCellsOfRowsThatLeftTheView) {
    const int madeAtFirst = source->cellsMade;
    scrollTo(44 * 5000);
    auto cell = table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(5002, 0).get());
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->textLabel()->text(), "row 5002");
    EXPECT_EQ(cell->frame(), CGRectMake(0, 44 * 5002, 320, 44));
    EXPECT_EQ(table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 0).get()), nullptr);
    // The first screen's cells were reused; at most one more for a row cut at both edges.
    EXPECT_LE(source->cellsMade - madeAtFirst, 1);
    EXPECT_LE(table->visibleCells().size() + table->queuedCellCount(), kMostCells);
    EXPECT_EQ(table->indexPathForRowAtPoint(CGPointMake(10, 44 * 5002 + 3))->row(), 5002);
}

TEST_F(LongTableTest, ScrollingThroughAsksForEveryRowWithAScreenfulOfCells) {
    std::vector<bool> seen(10000, false);
    for (CGFloat y = 0; y < 10000 * 44; y += 400) {
        scrollTo(y);
        for (const auto& path : table->indexPathsForVisibleRows()) {
            EXPECT_EQ(table->cellForRowAtIndexPath(path.get())->textLabel()->text(),
                      "row " + std::to_string(path->row()));
            seen[static_cast<std::size_t>(path->row())] = true;
        }
    }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), false), 0);
    EXPECT_LE(static_cast<std::size_t>(source->cellsMade), kMostCells);
}

TEST_F(LongTableTest, SelectionFollowsRowsOutOfViewAndBack) {
    table->selectRowAtIndexPath(NSIndexPath::indexPathForRow(1, 0).get(), false, 0);
    scrollTo(44 * 3000);
    for (UITableViewCell* cell : table->visibleCells())
        EXPECT_FALSE(cell->isSelected()) << cell->textLabel()->text(); // a reused cell is clean
    scrollTo(0);
    EXPECT_TRUE(
        table->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(1, 0).get())->isSelected());
    EXPECT_EQ(table->indexPathForSelectedRow()->row(), 1);
}

TEST(ScrollViewTest, OffsetsRestWithinTheContentAndTheInset) {
    auto scroll = UIView::withFrame<UIScrollView>(CGRectMake(0, 0, 100, 200));
    scroll->setContentSize(CGSizeMake(100, 1000));
    scroll->setContentInset({64, 0, 10, 0});
    EXPECT_EQ(scroll->clampedContentOffset({0, -500}), CGPointMake(0, -64));
    EXPECT_EQ(scroll->clampedContentOffset({0, 5000}), CGPointMake(0, 810));
    scroll->setContentSize(CGSizeMake(100, 50)); // shorter than the view: nothing to scroll
    EXPECT_EQ(scroll->maximumContentOffset(), CGPointMake(0, -64));
    scroll->setContentOffset({0, 30});
    EXPECT_EQ(scroll->bounds().origin, CGPointMake(0, 30));
}
