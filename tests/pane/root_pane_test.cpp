#include "pane/TintboxListController.hpp"
#include "pane/account_list.hpp"
#include "platform/corefoundation/version_number.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UILabel.hpp"
#include "sim/mail/MailStore.hpp"
#include "sim/mail/account_file.hpp"
#include "tests/pane/colour/pane_fixture.hpp"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using namespace tintbox::pane;

struct Rgb {
    int red{0};
    int green{0};
    int blue{0};
    bool operator==(const Rgb&) const = default;
};

Rgb rgbOf(const UIColor* colour) {
    double r = 0, g = 0, b = 0, a = 0;
    EXPECT_TRUE(colour && colour->getRed(&r, &g, &b, &a));
    return {static_cast<int>(std::lround(r * 255)), static_cast<int>(std::lround(g * 255)),
            static_cast<int>(std::lround(b * 255))};
}

class RootPaneTest : public tintbox::testing::PaneFixture {
protected:
    void SetUp() override {
        corefoundation::setCoreFoundationVersionNumber(
            corefoundation::kCFCoreFoundationVersionNumber_iOS_7_0);
    }
    void TearDown() override {
        corefoundation::setCoreFoundationVersionNumber(
            corefoundation::kCFCoreFoundationVersionNumber_iOS_8_0);
        UIApplication::sharedApplication()->clearOpenedURLs();
        PaneFixture::TearDown();
    }
    void writeRegistry(const foundation::Dictionary& accounts) const {
        const auto file = foundation::devicePath(tintbox::settings::kAccountRegistryFilePath);
        std::filesystem::create_directories(file.parent_path());
        ASSERT_TRUE(foundation::writePropertyListAtomically(foundation::Value(accounts), file));
    }
    static objc::Ref<PSListController> openRoot() {
        auto pane = objc::dynamicCast<PSListController>(PSViewController::createPane(
            objc_getClass("TintboxListController"), CGSizeMake(320, 480)));
        EXPECT_TRUE(pane);
        return pane;
    }
    static PSSpecifierList specifiersOf(PSListController& pane) {
        return objc::msgSend<PSSpecifierList()>(&pane, sel_registerName("specifiers"));
    }
    static std::vector<std::string> accountRows(PSListController& pane) {
        std::vector<std::string> names;
        for (NSInteger row = 0; pane.specifierAt(1, row); ++row)
            names.push_back(pane.specifierAt(1, row)->name());
        return names;
    }
    static objc::Ref<UITableViewCell> cellAt(PSListController& pane, NSInteger section,
                                             NSInteger row) {
        auto path = NSIndexPath::indexPathForRow(row, section);
        return objc::msgSend<objc::Ref<UITableViewCell>(UITableView*, NSIndexPath*)>(
            &pane, sel_registerName("tableView:cellForRowAtIndexPath:"), pane.table(), path.get());
    }
    static double heightAt(PSListController& pane, NSInteger section, NSInteger row) {
        auto path = NSIndexPath::indexPathForRow(row, section);
        return objc::msgSend<double(UITableView*, NSIndexPath*)>(
            &pane, sel_registerName("tableView:heightForRowAtIndexPath:"), pane.table(),
            path.get());
    }
    static void store(PSListController& pane, foundation::Value value, PSSpecifier* specifier) {
        objc::msgSend<void(foundation::Value, PSSpecifier*)>(
            &pane, sel_registerName("setPreferenceValue:specifier:"), std::move(value), specifier);
    }
    static foundation::Value read(PSListController& pane, PSSpecifier* specifier) {
        return objc::msgSend<foundation::Value(PSSpecifier*)>(
            &pane, sel_registerName("readPreferenceValue:"), specifier);
    }
};

TEST(AccountNames, PrefixIsRemovedOnceAndOnlyAtTheStart) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"f4edcb52Work", "Work"},
        {"Workf4edcb52", "Workf4edcb52"},
        {"f4edcb52f4edcb52Work", "f4edcb52Work"},
        {"f4edcb52", ""},
        {"f4edcb5", "f4edcb5"},
    };
    for (const auto& [key, name] : cases)
        EXPECT_EQ(accountRowName(key), name) << key;
}

TEST(AccountNames, SortedCaseInsensitivelyByTheStoredKeys) {
    EXPECT_EQ(accountRowNames({"beta", "Alpha", "gamma"}),
              (std::vector<std::string>{"Alpha", "beta", "gamma"}));
    // The prefixed key sorts among the names beginning with f, not under its shown name.
    EXPECT_EQ(accountRowNames({"zeta", "f4edcb52Alpha", "Beta", "fox"}),
              (std::vector<std::string>{"Beta", "Alpha", "fox", "zeta"}));
    EXPECT_LT(sortAccounts("abc", "ABD", nullptr), 0);
    EXPECT_EQ(sortAccounts("Work", "wORK", nullptr), 0);
    EXPECT_GT(sortAccounts("abc", "AB", nullptr), 0);
}

TEST(AccountNames, AccentedNamesSortWithTheirLettersWhateverTheirCase) {
    EXPECT_EQ(accountRowNames({"\u00c9mile", "\u00e9dith", "Zo\u00eb", "alpha"}),
              (std::vector<std::string>{"alpha", "\u00e9dith", "\u00c9mile", "Zo\u00eb"}));
    // Case folds over all of Unicode, and a precomposed letter equals its decomposed spelling.
    EXPECT_EQ(sortAccounts("\u00c9COLE", "e\u0301cole", nullptr), 0);
    EXPECT_EQ(
        sortAccounts("\u0394\u03b5\u03bb\u03c4\u03b1", "\u03b4\u0395\u039b\u03a4\u0391", nullptr),
        0);
    EXPECT_EQ(sortAccounts("Stra\u00dfe", "STRASSE", nullptr), 0);
    EXPECT_LT(sortAccounts("\u00e9dith", "Zo\u00eb", nullptr), 0);
}

TEST_F(RootPaneTest, AccountRowsFollowTheListAndPrecedeHelp) {
    writeRegistry({{"f4edcb52Work", "YES"}, {"beta", "YES"}, {"Alpha", "YES"}});
    auto pane = openRoot();
    const PSSpecifierList specifiers = specifiersOf(*pane);
    pane->reload();
    EXPECT_EQ(accountRows(*pane), (std::vector<std::string>{"Alpha", "beta", "Work"}));
    PSSpecifier* work = pane->specifierAt(1, 2);
    EXPECT_EQ(work->propertyForKey("title"), foundation::Value("Work"));
    EXPECT_EQ(work->propertyForKey("label"), foundation::Value("Work"));
    EXPECT_EQ(work->cellType(), PSLinkCell);
    EXPECT_EQ(work->detailControllerClass(), objc_getClass("ColorSelectorController"));

    ASSERT_GE(specifiers.size(), 2u);
    const PSSpecifier& help = *specifiers[specifiers.size() - 2];
    const PSSpecifier& faq = *specifiers.back();
    EXPECT_EQ(help.name(), "Help");
    EXPECT_EQ(help.cellType(), PSGroupCell);
    EXPECT_EQ(faq.name(), "Frequently Asked Questions");
    EXPECT_EQ(faq.cellType(), PSButtonCell);
    EXPECT_EQ(faq.propertyForKey("enabled"), foundation::Value(true));
    EXPECT_EQ(specifiersOf(*pane).back().get(), specifiers.back().get()); // built once

    pane->tableViewDidSelectRowAtIndexPath(pane->table(), NSIndexPath::indexPathForRow(0, 2).get());
    EXPECT_EQ(UIApplication::sharedApplication()->openedURLs(),
              (std::vector<std::string>{std::string(kHelpPageURL)}));
}

TEST_F(RootPaneTest, WithoutARegistryTheAccountsSectionIsEmpty) {
    auto pane = openRoot();
    const PSSpecifierList specifiers = specifiersOf(*pane);
    pane->reload();
    EXPECT_TRUE(accountRows(*pane).empty());
    ASSERT_GE(specifiers.size(), 2u);
    EXPECT_EQ(specifiers.back()->name(), "Frequently Asked Questions");
}

TEST_F(RootPaneTest, LaterSystemsListTheHostAccountsWithoutLocalOnes) {
    corefoundation::setCoreFoundationVersionNumber(
        corefoundation::kCFCoreFoundationVersionNumber_iOS_8_0);
    writeRegistry({{"Stale", "YES"}}); // only read before iOS 8
    const auto file = foundation::devicePath(tintbox::sim::mail::kAccountsFilePath);
    std::filesystem::create_directories(file.parent_path());
    foundation::Array accounts;
    for (const auto& [name, cls] : std::vector<std::pair<std::string, std::string>>{
             {"work", "MailAccount"}, {"On My iPhone", "LocalAccount"}, {"Home", "MailAccount"}})
        accounts.push_back(foundation::Dictionary{
            {"DisplayName", name}, {"Class", cls}, {"Maildir", "var/mobile/Mail/" + name}});
    ASSERT_TRUE(foundation::writePropertyListAtomically(foundation::Value(accounts), file));
    tintbox::sim::mail::registerMailModelClasses();
    tintbox::sim::mail::MailStore::reloadShared();

    auto pane = openRoot();
    specifiersOf(*pane);
    pane->reload();
    EXPECT_EQ(accountRows(*pane), (std::vector<std::string>{"Home", "work"}));
}

TEST_F(RootPaneTest, NegatedSwitchStoresAndShowsTheOpposite) {
    auto pane = openRoot();
    auto row = cellSpecifier({{"key", "preferColorPicker"}, {"default", false}, {"negate", true}});
    EXPECT_EQ(read(*pane, row.get()), foundation::Value(false)); // the default, not negated

    store(*pane, true, row.get());
    EXPECT_EQ(readSettings()["preferColorPicker"], foundation::Value(false));
    EXPECT_TRUE(notificationPosted());
    EXPECT_EQ(read(*pane, row.get()), foundation::Value(true));

    auto plain = cellSpecifier({{"key", "enabled"}, {"default", false}});
    store(*pane, true, plain.get());
    EXPECT_EQ(readSettings()["enabled"], foundation::Value(true));
    EXPECT_EQ(read(*pane, plain.get()), foundation::Value(true));
    EXPECT_EQ(readSettings()["preferColorPicker"], foundation::Value(false));
}

TEST_F(RootPaneTest, AWriteStartsFromTheFileOnDisk) {
    auto pane = openRoot();
    writeSettings({{"listWidthType", 9}}); // written by an option pane meanwhile
    store(*pane, true, cellSpecifier({{"key", "enabled"}}).get());
    const foundation::Dictionary stored = readSettings();
    EXPECT_EQ(stored.at("listWidthType"), foundation::Value(9));
    EXPECT_EQ(stored.at("enabled"), foundation::Value(true));
    EXPECT_EQ(settingsThroughPlistlib(), "{\"enabled\": true, \"listWidthType\": 9}\n");
}

TEST_F(RootPaneTest, AccountRowsArePaintedInTheirBlendedColour) {
    struct Case {
        foundation::Dictionary settings;
        Rgb background;
        bool whiteText;
    };
    const std::vector<Case> cases{
        {{{"Work", "#FF0000"}}, {255, 191, 191}, false},
        {{{"Work", "#FF0000"}, {"listAlphaLevel", 100}}, {255, 0, 0}, true},
        {{{"Work", "#FFFFFFF"}, {"listAlphaLevel", 100}}, {255, 255, 255}, false},
        {{{"Work", "none"}, {"listAlphaLevel", 100}}, {255, 255, 255}, false},
    };
    writeRegistry({{"Work", "YES"}});
    for (const Case& c : cases) {
        writeSettings(c.settings);
        auto pane = openRoot();
        specifiersOf(*pane);
        pane->reload();
        auto cell = cellAt(*pane, 1, 0);
        ASSERT_TRUE(cell);
        EXPECT_EQ(rgbOf(cell->backgroundColor()), c.background);
        const Rgb text = c.whiteText ? Rgb{255, 255, 255} : Rgb{0, 0, 0};
        EXPECT_EQ(rgbOf(cell->textLabel()->textColor()), text);
    }
}

TEST_F(RootPaneTest, AnAccountWithoutColourIsWhiteWithItsTextColourUnchanged) {
    writeRegistry({{"Work", "YES"}});
    auto pane = openRoot();
    specifiersOf(*pane);
    pane->reload();
    auto plain = pane->PSListController::tableViewCellForRowAtIndexPath(
        pane->table(), NSIndexPath::indexPathForRow(0, 1).get());
    const Rgb before = rgbOf(plain->textLabel()->textColor());
    auto cell = cellAt(*pane, 1, 0);
    EXPECT_EQ(rgbOf(cell->backgroundColor()), (Rgb{255, 255, 255}));
    EXPECT_EQ(rgbOf(cell->textLabel()->textColor()), before);
}

TEST_F(RootPaneTest, SpacerRowsAreLowAndClear) {
    auto pane = openRoot();
    specifiersOf(*pane);
    pane->reload();
    for (NSInteger row = 0; row <= 17; ++row) {
        const bool spacer = row >= 5 && row <= 15 && row % 2 == 1;
        EXPECT_DOUBLE_EQ(heightAt(*pane, 0, row), spacer ? 12.0 : 44.0) << row;
        double r = 0, g = 0, b = 0, a = 1;
        const auto cell = cellAt(*pane, 0, row); // the cell owns its colour: keep it alive
        UIColor* background = cell->backgroundColor();
        const bool clear = background && background->getRed(&r, &g, &b, &a) && a == 0.0;
        EXPECT_EQ(clear, spacer || row == 17) << row;
    }
    EXPECT_DOUBLE_EQ(heightAt(*pane, 1, 5), 44.0);
}

} // namespace
