#include "mailhooks/tags.hpp"
#include "tests/mailhooks/extension_fixture.hpp"

namespace tintbox::testing {
namespace {

using mailhooks::GradientView;
namespace tags = mailhooks::tags;

const quartz::Color kRed{1, 0, 0, 1};
const quartz::Color kGreen{0, 1, 0, 1};
const quartz::Color kBlue{0, 0, 1, 1};
const quartz::Color kClear = quartz::Color::clear();

class MessageListTest : public ExtensionTest {
protected:
    void SetUp() override {
        ExtensionTest::SetUp();
        snapshot().settings = foundation::Dictionary{{"Work", "#FF0000"}};
    }

    static objc::Ref<TestMessageCell> newCell() {
        return UITableViewCell::withStyle<TestMessageCell>(UITableViewCellStyleDefault, "Row");
    }

    static GradientView* band(TestMessageCell& cell, NSInteger tag) {
        return dynamic_cast<GradientView*>(cell.contentView()->viewWithTag(tag));
    }

    static void layOut(TestMessageCell& cell) {
        objc::msgSend<void()>(&cell, selectorNamed("layoutSubviews"));
    }

    static void show(TestMessageCell& cell, NSObject* message) {
        objc::msgSend<void(id, bool)>(&cell, selectorNamed("setMessage:threaded:"), message, true);
    }

    // The band drawn last among the content view's subviews.
    static UIView* frontmost(TestMessageCell& cell) {
        return cell.contentView()->subviews().back().get();
    }
};

TEST_F(MessageListTest, NewCellGetsAccountThenFilterBandSizedFromTheRow) {
    auto cell = newCell();
    GradientView* account = band(*cell, tags::kListAccountBand);
    GradientView* filter = band(*cell, tags::kListFilterBand);
    ASSERT_TRUE(account && filter);
    EXPECT_EQ(account->frame(), CGRectMake(0, 0, 6, 96));
    EXPECT_EQ(filter->frame(), CGRectMake(0, 0, 6, 96));
    EXPECT_DOUBLE_EQ(account->alpha(), 0.25);
    EXPECT_DOUBLE_EQ(filter->alpha(), 1.0);
    EXPECT_FALSE(account->layer()->masksToBounds());
    EXPECT_TRUE(filter->layer()->masksToBounds());
    EXPECT_EQ(frontmost(*cell), filter);
}

TEST_F(MessageListTest, NoBandsForCellsMadeWhileHighlightingIsOff) {
    snapshot().enabled = false;
    EXPECT_EQ(newCell()->contentView()->viewWithTag(tags::kListAccountBand), nullptr);
    snapshot().enabled = true;
    snapshot().highlightListType = 0;
    snapshot().highlightListTypeFilters = 0;
    EXPECT_EQ(newCell()->contentView()->viewWithTag(tags::kListFilterBand), nullptr);
    // Either type alone creates both bands.
    snapshot().highlightListTypeFilters = 2;
    EXPECT_NE(newCell()->contentView()->viewWithTag(tags::kListAccountBand), nullptr);
}

TEST_F(MessageListTest, LayoutPlacesBandsAtTheRowEndsAsHighAsTheRow) {
    auto cell = newCell();
    layOut(*cell);
    EXPECT_EQ(band(*cell, tags::kListAccountBand)->frame(), CGRectMake(0, 0, 6, 44));
    EXPECT_EQ(band(*cell, tags::kListFilterBand)->frame(), CGRectMake(314, 0, 6, 44));

    snapshot().listWidthType = 400;
    layOut(*cell);
    EXPECT_EQ(band(*cell, tags::kListAccountBand)->frame(), CGRectMake(0, 0, 320, 44));

    snapshot().enabled = false;
    snapshot().listWidthType = 20;
    layOut(*cell);
    EXPECT_EQ(band(*cell, tags::kListAccountBand)->frame(), CGRectMake(0, 0, 320, 44));
}

TEST_F(MessageListTest, WideAccountBandFollowsTheRowWidth) {
    snapshot().listWidthType = 400;
    auto cell = newCell();
    GradientView* account = band(*cell, tags::kListAccountBand);
    EXPECT_EQ(account->autoresizingMask(), UIViewAutoresizingFlexibleWidth);
    EXPECT_EQ(band(*cell, tags::kListFilterBand)->autoresizingMask(), UIViewAutoresizingNone);
}

TEST_F(MessageListTest, MatchingFiltersBecomeStripesInFilterOrderAndTheAccountItsColour) {
    useFilters({senderFilter("alice", "#00FF00"), senderFilter("bob", "#FF0000"),
                senderFilter("example", "#0000FF"), senderFilter("nobody", "#123456")});
    auto cell = newCell();
    show(*cell, message("Alice Bob <alice@example.com>", "Work").get());
    EXPECT_EQ(cell->messagesSet, 1);
    EXPECT_TRUE(cell->lastThreaded);

    CAGradientLayer* stripes = band(*cell, tags::kListFilterBand)->gradientLayer();
    EXPECT_EQ(stripes->colors(),
              (std::vector<CGColorRef>{kGreen, kGreen, kRed, kRed, kBlue, kBlue}));
    const double third = static_cast<float>(1) / 3.0f, twoThirds = static_cast<float>(2) / 3.0f;
    EXPECT_EQ(stripes->locations(),
              (std::vector<double>{0, third, third, twoThirds, twoThirds, 1}));
    EXPECT_DOUBLE_EQ(band(*cell, tags::kListFilterBand)->alpha(), 1.0);
    EXPECT_EQ(band(*cell, tags::kListAccountBand)->gradientLayer()->colors(),
              (std::vector<CGColorRef>{kRed, kRed}));
    EXPECT_DOUBLE_EQ(band(*cell, tags::kListAccountBand)->alpha(), 0.25);
}

TEST_F(MessageListTest, NoMatchLeavesAClearFilterBandAtItsOpacity) {
    useFilters({senderFilter("nobody", "#00FF00")});
    auto cell = newCell();
    show(*cell, message("alice@example.com", "Work").get());
    GradientView* filter = band(*cell, tags::kListFilterBand);
    EXPECT_EQ(filter->gradientLayer()->colors(), (std::vector<CGColorRef>{kClear, kClear}));
    EXPECT_EQ(filter->gradientLayer()->locations(), (std::vector<double>{0, 1}));
    EXPECT_DOUBLE_EQ(filter->alpha(), 1.0);
    EXPECT_EQ(band(*cell, tags::kListAccountBand)->gradientLayer()->colors(),
              (std::vector<CGColorRef>{kRed, kRed}));
}

TEST_F(MessageListTest, AMatchWithoutANewLayerSuppressesTheAccountColour) {
    useFilters({senderFilter("alice", "#00FF00")});
    snapshot().newLayerListFilters = false;
    auto cell = newCell();
    show(*cell, message("alice@example.com", "Work").get());
    EXPECT_EQ(band(*cell, tags::kListAccountBand)->gradientLayer()->colors(),
              (std::vector<CGColorRef>{kClear, kClear}));
    // Without a match the account keeps its colour.
    show(*cell, message("carol@example.com", "Work").get());
    EXPECT_EQ(band(*cell, tags::kListAccountBand)->gradientLayer()->colors(),
              (std::vector<CGColorRef>{kRed, kRed}));
}

TEST_F(MessageListTest, AccountsWithoutAUsableColourAreClear) {
    snapshot().settings = foundation::Dictionary{{"White", "#FFFFFF"}};
    auto cell = newCell();
    for (const char* owner : {"White", "Unknown"}) {
        show(*cell, message("alice@example.com", owner).get());
        EXPECT_EQ(band(*cell, tags::kListAccountBand)->gradientLayer()->colors(),
                  (std::vector<CGColorRef>{kClear, kClear}))
            << owner;
    }
}

TEST_F(MessageListTest, TheNarrowerBandIsInFrontAndTheAccountBandOnATie) {
    auto cell = newCell();
    snapshot().listWidthType = 10;
    show(*cell, message("alice@example.com", "Work").get());
    EXPECT_EQ(frontmost(*cell), band(*cell, tags::kListFilterBand));
    snapshot().listWidthType = 6;
    show(*cell, message("alice@example.com", "Work").get());
    EXPECT_EQ(frontmost(*cell), band(*cell, tags::kListAccountBand));
}

TEST_F(MessageListTest, AZeroTypeHidesItsBandAndTheOtherIsStillColoured) {
    useFilters({senderFilter("alice", "#00FF00")});
    auto cell = newCell();
    snapshot().highlightListType = 0;
    show(*cell, message("alice@example.com", "Work").get());
    EXPECT_DOUBLE_EQ(band(*cell, tags::kListAccountBand)->alpha(), 0.0);
    EXPECT_EQ(band(*cell, tags::kListFilterBand)->gradientLayer()->colors(),
              (std::vector<CGColorRef>{kGreen, kGreen}));
}

TEST_F(MessageListTest, TurningHighlightingOffHidesTheBandsOfReusedCells) {
    auto cell = newCell();
    show(*cell, message("alice@example.com", "Work").get());
    snapshot().enabled = false;
    show(*cell, message("alice@example.com", "Work").get());
    EXPECT_EQ(cell->messagesSet, 2);
    EXPECT_DOUBLE_EQ(band(*cell, tags::kListAccountBand)->alpha(), 0.0);
    EXPECT_DOUBLE_EQ(band(*cell, tags::kListFilterBand)->alpha(), 0.0);
    // Back on, the next message shows them again.
    snapshot().enabled = true;
    show(*cell, message("alice@example.com", "Work").get());
    EXPECT_DOUBLE_EQ(band(*cell, tags::kListAccountBand)->alpha(), 0.25);
    EXPECT_DOUBLE_EQ(band(*cell, tags::kListFilterBand)->alpha(), 1.0);
}

TEST_F(MessageListTest, ACellMadeWhileOffGetsItsBandsWhenFilledWithHighlightingOn) {
    useFilters({senderFilter("alice", "#00FF00")});
    snapshot().enabled = false;
    auto cell = newCell();
    show(*cell, message("alice@example.com", "Work").get());
    EXPECT_EQ(cell->contentView()->viewWithTag(tags::kListAccountBand), nullptr);

    snapshot().enabled = true;
    show(*cell, message("alice@example.com", "Work").get());
    EXPECT_EQ(cell->messagesSet, 2);
    GradientView* account = band(*cell, tags::kListAccountBand);
    GradientView* filter = band(*cell, tags::kListFilterBand);
    ASSERT_TRUE(account && filter);
    EXPECT_EQ(account->gradientLayer()->colors(), (std::vector<CGColorRef>{kRed, kRed}));
    EXPECT_EQ(filter->gradientLayer()->colors(), (std::vector<CGColorRef>{kGreen, kGreen}));
    EXPECT_EQ(frontmost(*cell), account); // on a tie the account band is in front
    layOut(*cell);
    EXPECT_EQ(account->frame(), CGRectMake(0, 0, 6, 44));
    EXPECT_EQ(filter->frame(), CGRectMake(314, 0, 6, 44));

    // Filling it again adds nothing more.
    const std::size_t views = cell->contentView()->subviews().size();
    show(*cell, message("alice@example.com", "Work").get());
    EXPECT_EQ(cell->contentView()->subviews().size(), views);
}

} // namespace
} // namespace tintbox::testing
