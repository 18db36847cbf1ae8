#include "mailhooks/message_view.hpp"
#include "mailhooks/tags.hpp"
#include "platform/dispatch/run_loop.hpp"
#include "platform/uikit/UIColor.hpp"
#include "tests/mailhooks/extension_fixture.hpp"

namespace tintbox::testing {
namespace {

using mailhooks::GradientView;
namespace tags = mailhooks::tags;

const quartz::Color kRed{1, 0, 0, 1};
const quartz::Color kGreen{0, 1, 0, 1};
const quartz::Color kClear = quartz::Color::clear();

class MessageViewTest : public ExtensionTest {
protected:
    void SetUp() override {
        ExtensionTest::SetUp();
        dispatch::RunLoop::main().useVirtualClock();
        snapshot().settings = foundation::Dictionary{{"Work", "#FF0000"}};
        layer = UIView::withFrame<TestContentLayer>(CGRectMake(0, 0, 320, 400));
    }
    void TearDown() override {
        // Lets pending second placements run before the next test changes the snapshot.
        dispatch::RunLoop::main().advance(1.0);
        dispatch::RunLoop::main().useRealClock();
    }

    UIView* accountBand() const { return layer->viewWithTag(tags::kMessageAccountBand); }
    GradientView* filterBand() const {
        return dynamic_cast<GradientView*>(layer->viewWithTag(tags::kMessageFilterBand));
    }
    void layOut() { objc::msgSend<void()>(layer, selectorNamed("layoutSubviews")); }
    void display(NSObject* message) {
        auto viewing = objc::make<TestViewingObject>();
        viewing->shown = message;
        objc::msgSend<void(id, NSInteger)>(layer, selectorNamed("displayMessage:withStyle:"),
                                           viewing.get(), 0L);
    }
    static quartz::Color background(UIView* view) {
        return view->backgroundColor() ? view->backgroundColor()->CGColor() : kClear;
    }

    objc::Ref<TestContentLayer> layer;
};

TEST_F(MessageViewTest, NewContentLayerGetsBothBandsWhateverTheSettings) {
    snapshot().enabled = false;
    auto other = UIView::withFrame<TestContentLayer>(CGRectMake(0, 0, 280, 400));
    UIView* account = other->viewWithTag(tags::kMessageAccountBand);
    auto* filter = dynamic_cast<GradientView*>(other->viewWithTag(tags::kMessageFilterBand));
    ASSERT_TRUE(account && filter);
    EXPECT_EQ(dynamic_cast<GradientView*>(account), nullptr);
    EXPECT_EQ(account->frame(), CGRectMake(0, 0, 280, 16));
    EXPECT_EQ(filter->frame(), CGRectMake(0, 0, 280, 16));
    EXPECT_DOUBLE_EQ(account->alpha(), 0.25);
    EXPECT_DOUBLE_EQ(filter->alpha(), 1.0);
    EXPECT_TRUE(filter->layer()->masksToBounds());
}

TEST_F(MessageViewTest, LayoutPlacesTheBandsNowAndAgainAQuarterSecondLater) {
    layOut();
    EXPECT_EQ(accountBand()->frame(), CGRectMake(0, 0, 320, 100));
    EXPECT_EQ(filterBand()->frame(), CGRectMake(308, 0, 12, 100));

    // The header settles after layout; the second placement follows it.
    layer->header->setFrame(CGRectMake(0, 0, 320, 140));
    layer->header->subject = CGRectMake(20, 60, 100, 20);
    snapshot().highlightMessageTypeFilters = 1;
    dispatch::RunLoop::main().advance(0.24);
    EXPECT_EQ(accountBand()->frame(), CGRectMake(0, 0, 320, 100));
    dispatch::RunLoop::main().advance(0.01);
    EXPECT_EQ(accountBand()->frame(), CGRectMake(0, 0, 320, 140));
    EXPECT_EQ(filterBand()->frame(), CGRectMake(123, 60, 12, 20));
}

TEST_F(MessageViewTest, LayoutLeavesBandsAloneWhenOffOrOfTypeZero) {
    snapshot().highlightMessageType = 0;
    layOut();
    EXPECT_EQ(accountBand()->frame(), CGRectMake(0, 0, 320, 16));
    EXPECT_EQ(filterBand()->frame(), CGRectMake(308, 0, 12, 100));
    snapshot().enabled = false;
    snapshot().highlightMessageType = 4;
    layer->header->setFrame(CGRectMake(0, 0, 320, 50));
    layOut();
    dispatch::RunLoop::main().advance(0.25);
    EXPECT_EQ(accountBand()->frame(), CGRectMake(0, 0, 320, 16));
}

TEST_F(MessageViewTest, MatchedFiltersStripeTheFilterBandOverTheAccountColour) {
    useFilters({senderFilter("alice", "#00FF00"), senderFilter("example", "#FF0000")});
    display(message("alice@example.com", "Work").get());
    EXPECT_EQ(layer->messagesShown, 1);
    EXPECT_EQ(filterBand()->gradientLayer()->colors(),
              (std::vector<CGColorRef>{kGreen, kGreen, kRed, kRed}));
    EXPECT_EQ(filterBand()->gradientLayer()->locations(), (std::vector<double>{0, 0.5, 0.5, 1}));
    EXPECT_DOUBLE_EQ(filterBand()->alpha(), 1.0);
    EXPECT_EQ(background(accountBand()), kRed);
    EXPECT_DOUBLE_EQ(accountBand()->alpha(), 0.25);
    // 4096 wide against 12: the narrower filter band is on top.
    EXPECT_EQ(accountBand()->layer()->zPosition(), 1.0);
    EXPECT_EQ(filterBand()->layer()->zPosition(), 2.0);
}

TEST_F(MessageViewTest, SixMatchesShowTheFirstFiveStripes) {
    for (const char* colour : {"#000001", "#000002", "#000003", "#000004", "#000005", "#000006"})
        snapshot().filters.push_back(senderFilter("alice", colour));
    state().compileFilters();
    display(message("alice@example.com", "Work").get());
    const auto colours = filterBand()->gradientLayer()->colors();
    ASSERT_EQ(colours.size(), 10u);
    EXPECT_EQ(colours[8], (quartz::Color{0, 0, 5 / 255.0, 1}));
    EXPECT_EQ(filterBand()->gradientLayer()->locations()[2], static_cast<double>(0.2f));
}

TEST_F(MessageViewTest, NoMatchHidesTheFilterBand) {
    useFilters({senderFilter("nobody", "#00FF00")});
    display(message("alice@example.com", "Work").get());
    EXPECT_DOUBLE_EQ(filterBand()->alpha(), 0.0);
    EXPECT_EQ(filterBand()->gradientLayer()->colors(), (std::vector<CGColorRef>{kClear, kClear}));
    EXPECT_EQ(filterBand()->gradientLayer()->locations(), (std::vector<double>{0, 1}));
    EXPECT_EQ(background(accountBand()), kRed);
}

TEST_F(MessageViewTest, AMatchWithoutANewLayerClearsTheAccountBand) {
    useFilters({senderFilter("alice", "#00FF00")});
    snapshot().newLayerMessageFilters = false;
    display(message("alice@example.com", "Work").get());
    EXPECT_EQ(background(accountBand()), kClear);
    EXPECT_DOUBLE_EQ(accountBand()->alpha(), 0.25);
}

TEST_F(MessageViewTest, EqualWidthsPutTheAccountBandOnTop) {
    snapshot().messageWidthType = 12;
    display(message("alice@example.com", "Work").get());
    EXPECT_EQ(accountBand()->layer()->zPosition(), 2.0);
    EXPECT_EQ(filterBand()->layer()->zPosition(), 1.0);
}

TEST_F(MessageViewTest, OffHidesBothBandsAfterTheHostShowedTheMessage) {
    display(message("alice@example.com", "Work").get());
    snapshot().enabled = false;
    display(message("alice@example.com", "Work").get());
    EXPECT_EQ(layer->messagesShown, 2);
    EXPECT_DOUBLE_EQ(accountBand()->alpha(), 0.0);
    EXPECT_DOUBLE_EQ(filterBand()->alpha(), 0.0);
}

TEST_F(MessageViewTest, AZeroAccountTypeHidesOnlyTheAccountBand) {
    useFilters({senderFilter("alice", "#00FF00")});
    snapshot().highlightMessageType = 0;
    display(message("alice@example.com", "Work").get());
    EXPECT_DOUBLE_EQ(accountBand()->alpha(), 0.0);
    EXPECT_DOUBLE_EQ(filterBand()->alpha(), 1.0);
    EXPECT_EQ(filterBand()->gradientLayer()->colors(), (std::vector<CGColorRef>{kGreen, kGreen}));
}

} // namespace
} // namespace tintbox::testing
