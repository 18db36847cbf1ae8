#include "platform/foundation/device_path.hpp"
#include "platform/foundation/property_list.hpp"
#include "platform/preferences/NSBundle.hpp"
#include "platform/preferences/PSEditableTableCell.hpp"
#include "platform/preferences/PSListController.hpp"
#include "platform/preferences/PSSliderTableCell.hpp"
#include "platform/preferences/PSSwitchTableCell.hpp"
#include "platform/preferences/specifier_list.hpp"
#include "platform/uikit/UINavigationController.hpp"
#include "tests/platform/preferences/test_bundle.hpp"

#include <gmock/gmock.h>

namespace {

using foundation::Value;
using testing::ElementsAre;
using testing::Pair;

// A pane that sees every row's read and write, as the settings panes override them.
class CountingPane : public PSListController {
public:
    Value readPreferenceValue(PSSpecifier* specifier) {
        reads.push_back(specifier->identifier());
        return PSListController::readPreferenceValue(specifier);
    }
    void setPreferenceValueSpecifier(Value value, PSSpecifier* specifier) {
        writes.emplace_back(specifier->identifier(), value);
        PSListController::setPreferenceValueSpecifier(std::move(value), specifier);
    }
    void resetTapped(PSSpecifier* specifier) { actions.push_back("reset " + specifier->name()); }
    void openFAQ() { actions.push_back("faq"); }

    std::vector<std::string> reads;
    std::vector<std::pair<std::string, Value>> writes;
    std::vector<std::string> actions;
};

Value item(const char* cell, const char* label, foundation::Dictionary more = {}) {
    more.emplace("cell", Value(cell));
    more.emplace("label", Value(label));
    more.emplace("defaults", Value("net.example.panes"));
    return Value(std::move(more));
}

class ListControllerTest : public testing::Test {
protected:
    void SetUp() override {
        PSListController::registerRuntimeClass();
        objc::ClassBuilder<CountingPane, PSListController>("CountingPane")
            .method<&CountingPane::readPreferenceValue>("readPreferenceValue:")
            .method<&CountingPane::setPreferenceValueSpecifier>("setPreferenceValue:specifier:")
            .method<&CountingPane::resetTapped>("resetTapped:")
            .method<&CountingPane::openFAQ>("openFAQ");
        pane = objc::make<CountingPane>();
        pane->initForContentSize({320, 568});
        foundation::Dictionary list{
            {"items",
             Value(foundation::Array{
                 item("PSSwitchCell", "Switch", {{"key", Value("on")}, {"default", Value(false)}}),
                 item("PSSliderCell", "Slider",
                      {{"key", Value("size")}, {"min", Value(0.0)}, {"max", Value(10.0)}}),
                 item("PSEditTextCell", "Text", {{"key", Value("text")}}),
                 item("PSLinkListCell", "Choice",
                      {{"key", Value("choice")},
                       {"default", Value(0)},
                       {"validValues", Value(foundation::Array{Value(0), Value(1), Value(2)})},
                       {"validTitles",
                        Value(foundation::Array{Value("Zero"), Value("One"), Value("Two")})}}),
                 item("PSGroupCell", "Actions"),
                 item("PSButtonCell", "Reset", {{"action", Value("resetTapped:")}}),
                 item("PSButtonCell", "Help", {{"action", Value("openFAQ")}}),
                 item("PSButtonCell", "Off",
                      {{"action", Value("openFAQ")}, {"enabled", Value(false)}}),
             })}};
        pane->setSpecifiers(preferences::specifiersFromList(list, pane.get()));
        navigation = UINavigationController::withRootViewController(pane.get());
        navigation->appearOnScreen();
        pane->table()->layoutIfNeeded();
    }

    UITableViewCell* cellAt(NSInteger section, NSInteger row) {
        return pane->table()->cellForRowAtIndexPath(
            NSIndexPath::indexPathForRow(row, section).get());
    }
    void tap(NSInteger section, NSInteger row) {
        pane->table()->tapRowAtIndexPath(NSIndexPath::indexPathForRow(row, section).get());
    }
    std::optional<foundation::Dictionary> stored() const {
        return foundation::dictionaryWithContentsOfFile(
            foundation::devicePath("/var/mobile/Library/Preferences/net.example.panes.plist"));
    }

    tintbox::testing::TemporaryDeviceRoot root;
    objc::Ref<CountingPane> pane;
    objc::Ref<UINavigationController> navigation;
};

TEST_F(ListControllerTest, EveryRowReadsAndWritesThroughThePane) {
    EXPECT_THAT(pane->reads, testing::IsSupersetOf({"Switch", "Slider", "Text", "Choice"}));

    dynamic_cast<PSSwitchTableCell*>(cellAt(0, 0))->switchControl()->simulateTap();
    dynamic_cast<PSSliderTableCell*>(cellAt(0, 1))->slider()->simulateDragToValue(7.5);
    UITextField* field = dynamic_cast<PSEditableTableCell*>(cellAt(0, 2))->textField();
    field->becomeFirstResponder();
    field->typeText("hello");
    field->pressReturn();
    field->resignFirstResponder();

    // The choice list: its titles, the current value checked, and the chosen value stored.
    tap(0, 3);
    auto* choices = dynamic_cast<PSListController*>(navigation->topViewController());
    ASSERT_NE(choices, nullptr);
    EXPECT_STREQ(object_getClassName(choices), "PSListItemsController");
    choices->table()->layoutIfNeeded();
    const auto checked = [&] {
        std::vector<std::string> marks;
        for (NSInteger row = 0; row < 3; ++row) {
            UITableViewCell* cell =
                choices->table()->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(row, 0).get());
            marks.push_back(
                cell->textLabel()->text() +
                (cell->accessoryType() == UITableViewCellAccessoryCheckmark ? "*" : ""));
        }
        return marks;
    };
    EXPECT_THAT(checked(), ElementsAre("Zero*", "One", "Two"));
    choices->table()->tapRowAtIndexPath(NSIndexPath::indexPathForRow(2, 0).get());
    EXPECT_THAT(checked(), ElementsAre("Zero", "One", "Two*"));
    navigation->popViewControllerAnimated(false);
    pane->table()->layoutIfNeeded();
    EXPECT_EQ(cellAt(0, 3)->detailTextLabel()->text(), "Two");

    EXPECT_THAT(pane->writes, ElementsAre(Pair("Switch", Value(true)), Pair("Slider", Value(7.5)),
                                          Pair("Text", Value("hello")), Pair("Choice", Value(2))));
    EXPECT_EQ(stored(), (foundation::Dictionary{{"choice", Value(2)},
                                                {"on", Value(true)},
                                                {"size", Value(7.5)},
                                                {"text", Value("hello")}}));
}

TEST_F(ListControllerTest, ButtonsSendTheirActionToTheTargetUnlessDisabled) {
    tap(1, 0);
    tap(1, 1);
    tap(1, 2);
    EXPECT_THAT(pane->actions, ElementsAre("reset Reset", "faq"));
    EXPECT_EQ(navigation->topViewController(), pane.get());
}

TEST(LinkTest, ALinkPushesItsDetailClassByNameWithItsAppearance) {
    tintbox::testing::TemporaryDeviceRoot root;
    NSBundle* bundle = NSBundle::bundleWithPath(tintbox::testing::sharedTestBundle());
    ASSERT_TRUE(bundle && bundle->load());
    auto pane = PSViewController::createPane(bundle->principalClass(), {320, 568});
    auto navigation = UINavigationController::withRootViewController(pane.get());
    navigation->appearOnScreen();
    auto* list = static_cast<PSListController*>(pane.get());
    list->table()->layoutIfNeeded();

    Class detail = objc_getClass("TestDetailPane");
    const long before = objc::msgSendClass<long()>(detail, sel_registerName("appearances"));
    list->table()->tapRowAtIndexPath(NSIndexPath::indexPathForRow(0, 2).get());

    auto* shown = dynamic_cast<PSViewController*>(navigation->topViewController());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(object_getClass(shown), detail);
    EXPECT_EQ(objc::msgSendClass<long()>(detail, sel_registerName("appearances")), before + 1);
    EXPECT_EQ(shown->specifier(), list->specifierForID("DetailsLink"));
    EXPECT_EQ(shown->parentController(), list);
    EXPECT_EQ(shown->rootController(), list);
    EXPECT_EQ(shown->title(), "Details");
}

} // namespace
