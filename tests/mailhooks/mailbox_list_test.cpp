#include "mailhooks/tags.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIImage.hpp"
#include "platform/uikit/UINavigationBar.hpp"
#include "platform/uikit/UINavigationController.hpp"
#include "tests/mailhooks/extension_fixture.hpp"

#include <algorithm>

namespace tintbox::testing {
namespace {

using mailhooks::GradientView;
namespace tags = mailhooks::tags;

const quartz::Color kRed{1, 0, 0, 1};
const quartz::Color kBlue{0, 0, 1, 1};
const quartz::Color kClear = quartz::Color::clear();

quartz::Color background(UIView* view) {
    return view->backgroundColor() ? view->backgroundColor()->CGColor() : kClear;
}

class MailboxListTest : public ExtensionTest {
protected:
    void SetUp() override {
        ExtensionTest::SetUp();
        snapshot().settings =
            foundation::Dictionary{{"Work", "#FF0000"}, {"Home", "#0000FF"}, {"Plain", "#FFFFFF"}};
        picker = UIViewController::create<TestMailboxPicker>();
        picker->table = objc::make<CountingTableView>();
        picker->cell =
            UITableViewCell::withStyle<TestMailboxCell>(UITableViewCellStyleDefault, "Box");
    }

    TestMailboxCell& cell() const { return static_cast<TestMailboxCell&>(*picker->cell); }
    GradientView* band() const {
        return dynamic_cast<GradientView*>(cell().contentView()->viewWithTag(tags::kMailboxBand));
    }
    std::size_t depth(UIView* view) const {
        const auto& subviews = cell().contentView()->subviews();
        return std::find(subviews.begin(), subviews.end(), view) - subviews.begin();
    }
    void fillRow(const std::string& title, const std::string& subtitle = "") {
        cell().titleLabel->setText(title);
        cell().subtitleLabel->setText(subtitle);
        id returned = objc::msgSend<id(id, id)>(
            picker, selectorNamed("tableView:cellForRowAtIndexPath:"), picker->table.get(), nil);
        EXPECT_EQ(returned, picker->cell.get());
    }
    void appear() { objc::msgSend<void(bool)>(picker, selectorNamed("viewWillAppear:"), false); }

    objc::Ref<TestMailboxPicker> picker;
};

TEST_F(MailboxListTest, NewCellGetsABandOfTheWidthSetting) {
    ASSERT_NE(band(), nullptr);
    EXPECT_EQ(band()->frame(), CGRectMake(0, 0, 14, 44));
    EXPECT_DOUBLE_EQ(band()->alpha(), 0.25);
    EXPECT_TRUE(band()->gradientLayer()->colors().empty());
}

TEST_F(MailboxListTest, RowTakesItsAccountColourAtTheEdgeBelowTheIcon) {
    fillRow("Work");
    EXPECT_EQ(band()->gradientLayer()->colors(), (std::vector<CGColorRef>{kRed, kRed}));
    EXPECT_EQ(band()->frame(), CGRectMake(0, 0, 14, 44));
    EXPECT_DOUBLE_EQ(band()->alpha(), 0.25);
    EXPECT_GT(depth(band()), depth(cell().titleLabel.get()));
    EXPECT_GT(depth(band()), depth(cell().unreadCountLabel.get()));
    EXPECT_GT(depth(cell().iconImageView.get()), depth(band()));
    for (UILabel* label :
         {cell().titleLabel.get(), cell().subtitleLabel.get(), cell().unreadCountLabel.get()})
        EXPECT_EQ(background(label), kClear);
}

TEST_F(MailboxListTest, RightEdgeAndRowWideBands) {
    snapshot().highlightMailBoxType = 2;
    fillRow("Work");
    EXPECT_EQ(band()->frame(), CGRectMake(306, 0, 14, 44));
    EXPECT_EQ(band()->autoresizingMask(), UIViewAutoresizingNone);
    snapshot().mailBoxWidthType = 4096;
    fillRow("Work");
    EXPECT_EQ(band()->frame().origin, CGPointZero);
    EXPECT_EQ(band()->autoresizingMask(), UIViewAutoresizingFlexibleWidth);
    // However the row is laid out afterwards, the band covers it exactly.
    for (const CGFloat width : {320.0, 640.0}) {
        cell().setFrame(CGRectMake(0, 0, width, 44));
        cell().setNeedsLayout();
        cell().layoutIfNeeded();
        EXPECT_EQ(band()->frame(), cell().contentView()->bounds()) << width;
        EXPECT_EQ(band()->frame().width(), width);
    }
}

TEST_F(MailboxListTest, TitleWithoutAColourFallsBackToTheSubtitle) {
    fillRow("Inbox", "Home");
    EXPECT_EQ(band()->gradientLayer()->colors(), (std::vector<CGColorRef>{kBlue, kBlue}));
    fillRow("", "Home");
    EXPECT_EQ(band()->gradientLayer()->colors(), (std::vector<CGColorRef>{kBlue, kBlue}));
    fillRow("Work", "Home");
    EXPECT_EQ(band()->gradientLayer()->colors(), (std::vector<CGColorRef>{kRed, kRed}));
}

TEST_F(MailboxListTest, WhiteOrMissingColoursAndHighlightingOffGiveAClearBand) {
    for (const char* title : {"Plain", "Unknown"}) {
        fillRow(title);
        EXPECT_EQ(band()->gradientLayer()->colors(), (std::vector<CGColorRef>{kClear, kClear}))
            << title;
    }
    fillRow("Work");
    snapshot().highlightMailBoxType = 0;
    fillRow("Work");
    EXPECT_EQ(band()->gradientLayer()->colors(), (std::vector<CGColorRef>{kClear, kClear}));
}

TEST_F(MailboxListTest, UnreadCountLosesItsBackgroundOnlyWhileHighlighting) {
    objc::msgSend<void()>(picker->cell, selectorNamed("_updateUnreadCount"));
    EXPECT_EQ(background(cell().unreadCountLabel.get()), kClear);
    snapshot().enabled = false;
    objc::msgSend<void()>(picker->cell, selectorNamed("_updateUnreadCount"));
    EXPECT_EQ(background(cell().unreadCountLabel.get()), quartz::Color::white());
}

TEST_F(MailboxListTest, PickerReloadsOnceAfterASettingsChangeAndClearsTheQuickFilterFlag) {
    state().quickFilterReset = true;
    appear();
    EXPECT_EQ(picker->table->reloads, 0);
    EXPECT_FALSE(state().quickFilterReset);

    snapshot().settingsChanged = true;
    appear();
    appear();
    EXPECT_EQ(picker->table->reloads, 1);
    EXPECT_FALSE(snapshot().settingsChanged);
}

class FolderListTest : public ExtensionTest {
protected:
    void SetUp() override {
        ExtensionTest::SetUp();
        snapshot().settings = foundation::Dictionary{{"Work", "#FF0000"}, {"Plain", "#FFFFFF"}};
        snapshot().highlightFolderList = true;
        folders = UIViewController::create<TestFolderList>();
        navigation = UINavigationController::withRootViewController(folders.get());
    }
    UINavigationBar& bar() const { return *navigation->navigationBar(); }
    void showTitle(const std::string& title) {
        folders->setTitle(title);
        objc::msgSend<void()>(folders, selectorNamed("updateTitle"));
    }

    objc::Ref<TestFolderList> folders;
    objc::Ref<UINavigationController> navigation;
};

TEST_F(FolderListTest, AccountTitleTintsTheBarWithAOnePointImage) {
    state().quickFilterReset = true;
    showTitle("Work");
    EXPECT_EQ(folders->titleUpdates, 1);
    UIImage* image = bar().backgroundImageForBarMetrics(UIBarMetricsDefault);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->size(), (CGSize{1, 1}));
    const quartz::Pixel pixel = image->CGImage()->pixelAt(0, 0);
    EXPECT_EQ(pixel, (quartz::Pixel{255, 0, 0, 64}));
    EXPECT_FALSE(bar().isTranslucent());
    EXPECT_TRUE(bar().isOpaque());
    EXPECT_FALSE(state().quickFilterReset);
}

TEST_F(FolderListTest, LeavingRestoresATranslucentBarWithoutImage) {
    showTitle("Work");
    objc::msgSend<void(bool)>(folders, selectorNamed("viewWillDisappear:"), true);
    EXPECT_EQ(bar().backgroundImageForBarMetrics(UIBarMetricsDefault), nullptr);
    EXPECT_TRUE(bar().isTranslucent());
    EXPECT_FALSE(bar().isOpaque());
}

TEST_F(FolderListTest, NoUsableColourRemovesTheImage) {
    struct Case {
        const char* title;
        bool highlightFolderList;
        bool resetsQuickFilter;
    };
    for (const Case& c :
         {Case{"Plain", true, true}, Case{"Unknown", true, false}, Case{"Work", false, false}}) {
        showTitle("Work");
        ASSERT_NE(bar().backgroundImageForBarMetrics(UIBarMetricsDefault), nullptr);
        state().quickFilterReset = true;
        snapshot().highlightFolderList = c.highlightFolderList;
        showTitle(c.title);
        EXPECT_EQ(bar().backgroundImageForBarMetrics(UIBarMetricsDefault), nullptr) << c.title;
        EXPECT_EQ(state().quickFilterReset, !c.resetsQuickFilter) << c.title;
        snapshot().highlightFolderList = true;
    }
}

} // namespace
} // namespace tintbox::testing
