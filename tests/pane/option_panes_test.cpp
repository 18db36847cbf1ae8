#include "pane/colour/TBSliderCell.hpp"
#include "pane/options_pane.hpp"
#include "platform/uikit/UILabel.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "tests/pane/colour/pane_fixture.hpp"

#include <gtest/gtest.h>

namespace {

using namespace tintbox::pane;

class OptionPanesTest : public tintbox::testing::PaneFixture {
protected:
    void TearDown() override {
        UIScreen::mainScreen()->setBounds(CGRectMake(0, 0, 320, 568));
        PaneFixture::TearDown();
    }
    static objc::Ref<PSListController> open(const std::string& name) {
        auto pane = objc::dynamicCast<PSListController>(
            PSViewController::createPane(objc_getClass(name), CGSizeMake(320, 480)));
        EXPECT_TRUE(pane) << name;
        if (pane) {
            objc::msgSend<PSSpecifierList()>(pane, sel_registerName("specifiers"));
            pane->reload();
        }
        return pane;
    }
    static objc::Ref<UITableViewCell> cellAt(PSListController& pane, NSInteger row) {
        auto path = NSIndexPath::indexPathForRow(row, 0);
        return objc::msgSend<objc::Ref<UITableViewCell>(UITableView*, NSIndexPath*)>(
            &pane, sel_registerName("tableView:cellForRowAtIndexPath:"), pane.table(), path.get());
    }
    static double heightAt(PSListController& pane, NSInteger section, NSInteger row) {
        auto path = NSIndexPath::indexPathForRow(row, section);
        return objc::msgSend<double(UITableView*, NSIndexPath*)>(
            &pane, sel_registerName("tableView:heightForRowAtIndexPath:"), pane.table(),
            path.get());
    }
    static void store(PSListController& pane, foundation::Value value, NSInteger row) {
        objc::msgSend<void(foundation::Value, PSSpecifier*)>(
            &pane, sel_registerName("setPreferenceValue:specifier:"), std::move(value),
            pane.specifierAt(0, row));
    }
    // Rows 2 to 5 as the shown cells have them: all enabled, all disabled, or mixed (a fault).
    static void expectDependentRows(PSListController& pane, bool enabled,
                                    std::array<NSInteger, 2> sliderRows) {
        for (NSInteger row = 2; row <= 5; ++row) {
            UITableViewCell* cell = pane.cachedCellForSpecifier(pane.specifierAt(0, row));
            ASSERT_TRUE(cell) << row;
            EXPECT_EQ(cell->isUserInteractionEnabled(), enabled) << row;
            EXPECT_EQ(cell->textLabel()->isEnabled(), enabled) << row;
            EXPECT_EQ(cell->selectionStyle(), UITableViewCellSelectionStyleNone) << row;
            if (row == sliderRows[0] || row == sliderRows[1]) {
                auto slider = objc::dynamicCast<TBSliderCell>(objc::Ref<UITableViewCell>(cell));
                ASSERT_TRUE(slider) << row;
                EXPECT_EQ(slider->slider()->isEnabled(), enabled) << row;
            }
        }
    }
};

struct Member {
    std::string name;
    std::string widthIdentifier;
    std::array<NSInteger, 2> tallRows;
};

const std::vector<Member> kMembers{
    {"TBOptionsAccountsList", "TBWidthTypeList", {1, 3}},
    {"TBOptionsAccountsMailbox", "TBWidthTypeMailBox", {2, 3}},
    {"TBOptionsAccountsMessage", "TBWidthTypeMessage", {2, 3}},
    {"TBOptionsFiltersList", "TBWidthTypeList", {3, 5}},
    {"TBOptionsFiltersMessage", "TBWidthTypeMessage", {4, 5}},
    {"TBOptionsReminders", "", {2, 3}},
};

TEST_F(OptionPanesTest, EachPaneHasItsTallRowsAndItsWidthLimitFromTheScreen) {
    UIScreen::mainScreen()->setBounds(CGRectMake(0, 0, 568, 320)); // landscape
    for (const Member& member : kMembers) {
        auto pane = open(member.name);
        ASSERT_TRUE(pane);
        for (NSInteger row = 0; pane->specifierAt(0, row); ++row) {
            const bool tall = row == member.tallRows[0] || row == member.tallRows[1];
            EXPECT_DOUBLE_EQ(heightAt(*pane, 0, row), tall ? 70.0 : 44.0)
                << member.name << " row " << row;
            if (tall) {
                EXPECT_EQ(pane->specifierAt(0, row)->propertyForKey("cellClass"),
                          foundation::Value("TBSliderCell"))
                    << member.name << " row " << row;
            }
        }
        if (member.widthIdentifier.empty())
            continue;
        PSSpecifier* width = pane->specifierForID(member.widthIdentifier);
        ASSERT_TRUE(width) << member.name;
        EXPECT_DOUBLE_EQ(width->propertyForKey("max").doubleValue(), 568.0) << member.name;
    }
}

TEST_F(OptionPanesTest, EveryValueRowStoresItsKeyOnTopOfTheFile) {
    writeSettings({{"Work", "#FF0000"}});
    auto reminders = open("TBOptionsReminders");
    auto list = open("TBOptionsAccountsList");
    store(*reminders, false, 0); // "reminderIncludeEmailLink"
    EXPECT_TRUE(notificationPosted());
    store(*list, 0, 0); // "highlightListType", stored by a pane opened before the first write
    const foundation::Dictionary stored = readSettings();
    EXPECT_EQ(stored.at("reminderIncludeEmailLink"), foundation::Value(false));
    EXPECT_EQ(stored.at("highlightListType"), foundation::Value(0));
    EXPECT_EQ(stored.at("Work"), foundation::Value("#FF0000"));
    EXPECT_EQ(settingsThroughPlistlib(), "{\"Work\": \"#FF0000\", \"highlightListType\": 0, "
                                         "\"reminderIncludeEmailLink\": false}\n");
}

TEST_F(OptionPanesTest, TheListFilterSwitchGreysOutTheRowsItOverrides) {
    auto pane = open("TBOptionsFiltersList");
    ASSERT_TRUE(pane);
    expectDependentRows(*pane, true, {3, 5}); // default false: own options in use
    store(*pane, true, 0);
    EXPECT_EQ(readSettings().at("useAccountSettingsForListFilters"), foundation::Value(true));
    expectDependentRows(*pane, false, {3, 5});
    pane->reload(); // rows built again keep the state
    expectDependentRows(*pane, false, {3, 5});
    store(*pane, false, 0);
    expectDependentRows(*pane, true, {3, 5});
}

TEST_F(OptionPanesTest, WithoutValueOrDefaultTheMessageFilterRowsStartDisabled) {
    auto pane = open("TBOptionsFiltersMessage");
    ASSERT_TRUE(pane);
    expectDependentRows(*pane, true, {4, 5}); // the list's default is false
    pane->specifierAt(0, 0)->setPropertyForKey(foundation::Value(), "default");
    pane->reload();
    expectDependentRows(*pane, false, {4, 5});
}

} // namespace
