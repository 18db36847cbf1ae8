#include "platform/preferences/NSBundle.hpp"
#include "platform/preferences/PSEditableTableCell.hpp"
#include "platform/preferences/PSListController.hpp"
#include "platform/preferences/PSSliderTableCell.hpp"
#include "platform/preferences/PSSwitchTableCell.hpp"
#include "platform/preferences/specifier_list.hpp"
#include "tests/platform/preferences/test_bundle.hpp"

#include <gmock/gmock.h>

namespace {

using foundation::Value;
using testing::ElementsAre;
using testing::HasSubstr;

class SpecifierListTest : public testing::Test {
protected:
    void SetUp() override {
        NSBundle* bundle = NSBundle::bundleWithPath(tintbox::testing::sharedTestBundle());
        ASSERT_TRUE(bundle && bundle->load());
        pane = PSViewController::createPane(bundle->principalClass(), {320, 568});
        list = dynamic_cast<PSListController*>(pane.get());
        ASSERT_NE(list, nullptr);
        list->table()->layoutIfNeeded();
    }

    UITableViewCell* cellAt(NSInteger section, NSInteger row) {
        return list->table()->cellForRowAtIndexPath(
            NSIndexPath::indexPathForRow(row, section).get());
    }

    tintbox::testing::TemporaryDeviceRoot root; // no stored values: rows show their defaults
    objc::Ref<PSViewController> pane;
    PSListController* list{nullptr};
};

TEST_F(SpecifierListTest, EveryItemBecomesASpecifierWithItsCellTypeAndProperties) {
    const PSSpecifierList specifiers = list->specifiers();
    std::vector<std::pair<std::string, PSCellType>> rows;
    for (const auto& specifier : specifiers)
        rows.emplace_back(specifier->name(), specifier->cellType());
    EXPECT_THAT(rows, ElementsAre(std::pair<std::string, PSCellType>{"Enabled", PSSwitchCell},
                                  std::pair<std::string, PSCellType>{"Look", PSGroupCell},
                                  std::pair<std::string, PSCellType>{"Width", PSSliderCell},
                                  std::pair<std::string, PSCellType>{"Place", PSLinkListCell},
                                  std::pair<std::string, PSCellType>{"Prefix", PSEditTextCell},
                                  std::pair<std::string, PSCellType>{"More", PSGroupCell},
                                  std::pair<std::string, PSCellType>{"Details", PSLinkCell},
                                  std::pair<std::string, PSCellType>{"Version 1", PSStaticTextCell},
                                  std::pair<std::string, PSCellType>{"Reset", PSButtonCell},
                                  std::pair<std::string, PSCellType>{"Custom", PSDefaultCell}));
    EXPECT_EQ(list->title(), "Test Panes");

    PSSpecifier* enabled = list->specifierForID("EnabledSwitch");
    ASSERT_NE(enabled, nullptr);
    EXPECT_EQ(enabled->name(), "Enabled");
    EXPECT_EQ(enabled->propertyForKey("key"), Value("enabled"));
    EXPECT_EQ(enabled->propertyForKey("default"), Value(true));
    EXPECT_EQ(enabled->propertyForKey("defaults"), Value("net.example.testpanes"));
    EXPECT_EQ(enabled->propertyForKey("PostNotification"), Value("net.example.testpanes.changed"));
    EXPECT_TRUE(enabled->propertyForKey("missing").isNull());
    EXPECT_EQ(enabled->target(), list);
    EXPECT_EQ(enabled->getter(), sel_registerName("readPreferenceValue:"));
    EXPECT_EQ(enabled->setter(), sel_registerName("setPreferenceValue:specifier:"));
    // Without an "id" the name is the identifier.
    EXPECT_NE(list->specifierForID("Width"), nullptr);
    EXPECT_EQ(list->specifierForID("NoSuchRow"), nullptr);

    PSSpecifier* place = list->specifierForID("Place");
    ASSERT_NE(place, nullptr);
    EXPECT_THAT(place->titles(), ElementsAre("Left", "Right", "Across"));
    EXPECT_EQ(place->titleForValue(Value(2)), "Across");
    EXPECT_EQ(place->titleForValue(Value(2.0)), "Across");
    EXPECT_EQ(place->titleForValue(Value(7)), std::nullopt);
    EXPECT_EQ(place->detailControllerClass(), objc_getClass("PSListItemsController"));

    EXPECT_EQ(list->specifierForID("DetailsLink")->detailControllerClass(),
              objc_getClass("TestDetailPane"));
    PSSpecifier* reset = list->specifierForID("Reset");
    EXPECT_EQ(reset->action(), sel_registerName("resetTapped:"));
    EXPECT_FALSE(reset->isEnabled());
    // The action field is also the instance variable of that name.
    EXPECT_EQ(
        object_getIvar<SEL>(reset, class_getInstanceVariable(object_getClass(reset), "action")),
        reset->action());
}

TEST_F(SpecifierListTest, GroupsOpenSectionsAndEachRowGetsTheCellOfItsType) {
    UITableView* table = list->table();
    ASSERT_EQ(table->numberOfSections(), 3);
    EXPECT_EQ(table->numberOfRowsInSection(0), 1);
    EXPECT_EQ(table->numberOfRowsInSection(1), 3);
    EXPECT_EQ(table->numberOfRowsInSection(2), 4);
    EXPECT_EQ(list->tableViewTitleForHeaderInSection(table, 0), "");
    EXPECT_EQ(list->tableViewTitleForHeaderInSection(table, 1), "Look");
    EXPECT_EQ(list->tableViewTitleForFooterInSection(table, 1), "How rows look.");
    EXPECT_EQ(list->tableViewTitleForHeaderInSection(table, 2), "More");

    auto* toggle = dynamic_cast<PSSwitchTableCell*>(cellAt(0, 0));
    ASSERT_NE(toggle, nullptr);
    EXPECT_TRUE(toggle->switchControl()->isOn()) << "the default, true";
    EXPECT_EQ(toggle->textLabel()->text(), "Enabled");

    auto* slider = dynamic_cast<PSSliderTableCell*>(cellAt(1, 0));
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->slider()->minimumValue(), 1);
    EXPECT_EQ(slider->slider()->maximumValue(), 20);
    EXPECT_EQ(slider->slider()->value(), 4);
    EXPECT_EQ(table->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(0, 1).get()).size.height,
              60);
    EXPECT_EQ(table->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(1, 1).get()).size.height,
              44);

    UITableViewCell* place = cellAt(1, 1);
    EXPECT_EQ(place->detailTextLabel()->text(), "Left");
    EXPECT_EQ(place->accessoryType(), UITableViewCellAccessoryDisclosureIndicator);

    auto* prefix = dynamic_cast<PSEditableTableCell*>(cellAt(1, 2));
    ASSERT_NE(prefix, nullptr);
    EXPECT_EQ(prefix->textField()->text(), "Re:");

    EXPECT_EQ(cellAt(2, 0)->accessoryType(), UITableViewCellAccessoryDisclosureIndicator);
    auto* reset = dynamic_cast<PSTableCell*>(cellAt(2, 2));
    ASSERT_NE(reset, nullptr);
    EXPECT_FALSE(reset->isCellEnabled());

    // A custom cell class is made by name through initWithStyle:reuseIdentifier:specifier:.
    UITableViewCell* custom = cellAt(2, 3);
    EXPECT_STREQ(object_getClassName(custom), "TestBundleCell");
    EXPECT_EQ(custom->textLabel()->text(), "custom 0 customKey");
    EXPECT_EQ(dynamic_cast<PSTableCell*>(custom)->specifier(), list->specifierForID("Custom"));

    // A reload gives each row its own cell back.
    list->reload();
    table->layoutIfNeeded();
    EXPECT_EQ(cellAt(2, 3), custom);
}

TEST(SpecifierItemsTest, ItemsThatCannotBeRowsAreSkippedWithOneLineEach) {
    const auto item = [](const char* cell, const char* label) {
        foundation::Dictionary entry{{"label", Value(label)}};
        if (cell)
            entry.emplace("cell", Value(cell));
        return Value(std::move(entry));
    };
    foundation::Dictionary detail{{"cell", Value("PSLinkCell")},
                                  {"label", Value("Gone")},
                                  {"detail", Value("NoSuchPaneClass")}};
    foundation::Dictionary list{
        {"items", Value(foundation::Array{item("PSSwitchCell", "Kept"), Value("not a row"),
                                          item(nullptr, "No cell"), item("PSNoSuchCell", "Unknown"),
                                          Value(detail)})}};
    std::vector<std::string> errors;
    PSSpecifierList specifiers = preferences::specifiersFromList(list, nullptr, &errors);
    ASSERT_EQ(specifiers.size(), 2u);
    EXPECT_EQ(specifiers[0]->name(), "Kept");
    EXPECT_EQ(specifiers[1]->name(), "Gone") << "an unknown detail class keeps the row";
    EXPECT_EQ(specifiers[1]->detailControllerClass(), Nil);
    EXPECT_THAT(errors, ElementsAre(HasSubstr("item 1: is not a dictionary"),
                                    HasSubstr("item 2: item \"No cell\" has no \"cell\""),
                                    HasSubstr("unknown cell \"PSNoSuchCell\""),
                                    HasSubstr("unknown detail class \"NoSuchPaneClass\"")));

    errors.clear();
    EXPECT_TRUE(preferences::specifiersFromList({}, nullptr, &errors).empty());
    EXPECT_THAT(errors, ElementsAre(HasSubstr("no \"items\" array")));
}

} // namespace
