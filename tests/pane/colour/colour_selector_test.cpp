#include "pane/colour/ColorSelectorController.hpp"
#include "pane/colour/TBColorCell.hpp"
#include "tests/pane/colour/pane_fixture.hpp"

#include <gtest/gtest.h>

namespace {

using namespace tintbox::pane;

class ColourSelectorTest : public tintbox::testing::PaneFixture {
protected:
    // The pane as a link row opens it: made by name, given the row as its specifier.
    objc::Ref<PSListController> openPane(const std::string& colourKey) {
        auto row = PSSpecifier::preferenceSpecifierNamed(colourKey, nullptr, nullptr, nullptr,
                                                         objc_getClass("ColorSelectorController"),
                                                         PSLinkCell, Nil);
        row->setPropertyForKey(colourKey, "title");
        auto pane = objc::dynamicCast<PSListController>(PSViewController::createPane(
            objc_getClass("ColorSelectorController"), CGSizeMake(320, 480)));
        EXPECT_TRUE(pane);
        pane->setSpecifier(row.get());
        return pane;
    }
    static PSSpecifierList specifiersOf(PSListController& pane) {
        return objc::msgSend<PSSpecifierList()>(&pane, sel_registerName("specifiers"));
    }
};

TEST_F(ColourSelectorTest, TheColourCellGetsTheKeyAndTheLayoutOfTheSettings) {
    writeSettings({{"preferColorPicker", false}, {"Work", "#102030"}});
    auto pane = openPane("Work");
    const PSSpecifierList specifiers = specifiersOf(*pane);
    ASSERT_EQ(specifiers.size(), 1u);
    EXPECT_EQ(specifiers.front()->propertyForKey("key"), foundation::Value("Work"));
    EXPECT_EQ(specifiers.front()->propertyForKey("preferColorPicker"), foundation::Value(false));
    EXPECT_EQ(pane->title(), "Work");
    EXPECT_EQ(specifiersOf(*pane).front().get(), specifiers.front().get()); // built once

    pane->reload();
    auto path = NSIndexPath::indexPathForRow(0, 0);
    auto cell = objc::dynamicCast<TBColorCell>(
        objc::msgSend<objc::Ref<UITableViewCell>(UITableView*, NSIndexPath*)>(
            pane, sel_registerName("tableView:cellForRowAtIndexPath:"), pane->table(), path.get()));
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->hexColorField()->text(), "#102030");
    EXPECT_DOUBLE_EQ(cell->colorPickerView()->frame().origin.y, 285);
    EXPECT_DOUBLE_EQ(objc::msgSend<double(UITableView*, NSIndexPath*)>(
                         pane, sel_registerName("tableView:heightForRowAtIndexPath:"),
                         pane->table(), path.get()),
                     kColorCellHeight);
    EXPECT_TRUE(objc::msgSend<foundation::Value(PSSpecifier*)>(
                    pane, sel_registerName("readPreferenceValue:"), specifiers.front().get())
                    .isNull());
}

TEST_F(ColourSelectorTest, WithoutSettingsThePickerComesFirst) {
    auto pane = openPane("Color Value 0");
    const PSSpecifierList specifiers = specifiersOf(*pane);
    ASSERT_EQ(specifiers.size(), 1u);
    EXPECT_EQ(specifiers.front()->propertyForKey("preferColorPicker"), foundation::Value(true));
    EXPECT_EQ(pane->title(), "Color Value 0");
}

} // namespace
