#include "platform/foundation/device_path.hpp"
#include "platform/foundation/property_list.hpp"
#include "platform/quartz/image.hpp"
#include "platform/uikit/UIAlertView.hpp"
#include "sim/settings/SettingsApp.hpp"
#include "tests/platform/preferences/test_bundle.hpp"

#include <gmock/gmock.h>

namespace tintbox::sim::settings {
namespace {

using foundation::Value;
using ::testing::HasSubstr;

// A pane that owns an editable table, as a filter list does: two sections of named rows, the
// first row of the second section fixed in place; it keeps the order the moves give.
class TestReorderPane : public PSViewController {
public:
    TestReorderPane* init() {
        PSViewController::init();
        m_table = UITableView::withFrameAndStyle({{0, 0}, {320, 480}}, UITableViewStylePlain);
        m_table->setDataSource(this);
        m_table->setEditing(true);
        return this;
    }
    void viewDidLoad() { setView(m_table.get()); }
    NSInteger numberOfSectionsInTableView(UITableView*) { return 3; }
    NSInteger tableViewNumberOfRowsInSection(UITableView*, NSInteger section) {
        return section < 2 ? static_cast<NSInteger>(sections[section].size()) : 0;
    }
    objc::Ref<UITableViewCell> tableViewCellForRowAtIndexPath(UITableView*, NSIndexPath* path) {
        auto cell = UITableViewCell::withStyle(UITableViewCellStyleDefault, "Cell");
        cell->textLabel()->setText(sections[path->section()][path->row()]);
        return cell;
    }
    bool tableViewCanMoveRowAtIndexPath(UITableView*, NSIndexPath* path) {
        return !(path->section() == 1 && path->row() == 0);
    }
    void tableViewMoveRowAtIndexPathToIndexPath(UITableView*, NSIndexPath* from, NSIndexPath* to) {
        auto& source = sections[from->section()];
        std::string moved = source[from->row()];
        source.erase(source.begin() + from->row());
        if (to->section() < 2)
            sections[to->section()].insert(sections[to->section()].begin() + to->row(), moved);
        m_table->reloadData();
    }

    static inline std::vector<std::string> sections[2];

private:
    objc::Ref<UITableView> m_table;
};

const bool reorderPaneRegistered = [] {
    PSViewController::registerRuntimeClass();
    UITableView::registerRuntimeClass();
    objc::ClassBuilder<TestReorderPane, PSViewController>("TestReorderPane")
        .method<&TestReorderPane::init>("init")
        .method<&TestReorderPane::viewDidLoad>("viewDidLoad")
        .method<&TestReorderPane::numberOfSectionsInTableView>("numberOfSectionsInTableView:")
        .method<&TestReorderPane::tableViewNumberOfRowsInSection>(
            "tableView:numberOfRowsInSection:")
        .method<&TestReorderPane::tableViewCellForRowAtIndexPath>(
            "tableView:cellForRowAtIndexPath:")
        .method<&TestReorderPane::tableViewCanMoveRowAtIndexPath>(
            "tableView:canMoveRowAtIndexPath:")
        .method<&TestReorderPane::tableViewMoveRowAtIndexPathToIndexPath>(
            "tableView:moveRowAtIndexPath:toIndexPath:");
    return true;
}();

// One device root with the test bundle installed as the pane bundle, for the whole process:
// a process loads a bundle's code once.
class SettingsAppTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        root = new tintbox::testing::TemporaryDeviceRoot();
        tintbox::testing::stageTestBundle(foundation::devicePath(kPaneBundlePath));
    }
    static void TearDownTestSuite() {
        delete root;
        root = nullptr;
    }
    void TearDown() override {
        UIAlertView::removeAllShownAlerts();
        std::filesystem::remove(foundation::devicePath(kDomainFile));
    }

    static std::optional<foundation::Dictionary> stored() {
        return foundation::dictionaryWithContentsOfFile(foundation::devicePath(kDomainFile));
    }

    static constexpr const char* kDomainFile =
        "/var/mobile/Library/Preferences/net.example.testpanes.plist";
    static inline tintbox::testing::TemporaryDeviceRoot* root = nullptr;
};

TEST_F(SettingsAppTest, ShowsTheBundlesRootPaneAsRowsJsonTextAndPicture) {
    SettingsApp app = SettingsApp::launch();
    ASSERT_EQ(app.loadError(), "");
    ASSERT_NE(app.topListPane(), nullptr);
    EXPECT_STREQ(object_getClassName(app.topPane()), "TestRootPane");

    const auto json = app.json();
    EXPECT_EQ(json["pane"], "TestRootPane");
    EXPECT_EQ(json["title"], "Test Panes");
    EXPECT_EQ(json["sections"], nlohmann::ordered_json::parse(R"(["", "Look", "More"])"));
    ASSERT_EQ(json["rows"].size(), 8u);
    const auto& enabled = json["rows"][0];
    EXPECT_EQ(enabled["title"], "Enabled");
    EXPECT_EQ(enabled["value"], "on");
    EXPECT_EQ(enabled["identifier"], "EnabledSwitch");
    EXPECT_EQ(enabled["cellClass"], "PSSwitchTableCell");
    EXPECT_EQ(json["rows"][2]["detail"], "Left");
    EXPECT_EQ(json["rows"][1]["value"], "4");
    EXPECT_EQ(json["rows"][1]["height"], 60);
    EXPECT_EQ(json["rows"][6]["enabled"], false);
    EXPECT_EQ(json["rows"][6]["title"], "Reset");
    EXPECT_EQ(json["rows"][6]["textColor"], "#808080FF") << "a disabled button is dimmed";
    EXPECT_EQ(json["rows"][3]["textColor"], "#000000FF");

    const std::string text = app.text();
    EXPECT_THAT(text, HasSubstr("Test Panes\n"));
    EXPECT_THAT(text, HasSubstr("[0,0] Enabled  = on"));
    EXPECT_THAT(text, HasSubstr("Look\n  [1,0] Width  = 4"));
    EXPECT_THAT(text, HasSubstr("[1,1] Place  (Left)"));
    EXPECT_THAT(text, HasSubstr("[2,2] Reset  [disabled]"));

    tintbox::testing::TemporaryFolder out;
    app.writePNG(out / "root.png");
    const auto picture = quartz::Image::fromPNGFile(out / "root.png");
    ASSERT_GT(picture.pixelWidth(), 0);
    EXPECT_EQ(picture.pixelWidth() * 568, picture.pixelHeight() * 320) << "the whole screen";
}

TEST_F(SettingsAppTest, ActionsReachThePaneAndTheStoredFile) {
    SettingsApp app = SettingsApp::launch();
    app.toggle(app.findRow("Enabled"));
    app.slide(app.findRow("1,0"), 12);
    app.choose(app.findRow("place"), "Across");
    app.typeText(app.findRow("Prefix"), "Fwd:");
    EXPECT_EQ(stored(), (foundation::Dictionary{{"enabled", Value(false)},
                                                {"place", Value(2)},
                                                {"prefix", Value("Fwd:")},
                                                {"width", Value(12.0)}}));
    EXPECT_EQ(app.rows()[2].detail, "Across");
    EXPECT_STREQ(object_getClassName(app.topPane()), "TestRootPane") << "back from the list";

    app.tapRow(app.findRow("Details"));
    EXPECT_STREQ(object_getClassName(app.topPane()), "TestDetailPane");
    EXPECT_EQ(app.json()["title"], "Details");
    EXPECT_TRUE(app.goBack());
    EXPECT_FALSE(app.goBack());
}

TEST_F(SettingsAppTest, RowsThatCannotDoAnActionAreRefusedWithTheReason) {
    SettingsApp app = SettingsApp::launch();
    struct Case {
        const char* name;
        std::function<void()> action;
        const char* reason;
    };
    const Case cases[] = {
        {"unknown title", [&] { app.findRow("Nothing"); }, "no row titled \"Nothing\""},
        {"row out of range", [&] { app.findRow("0,9"); }, "no row 0,9"},
        {"toggle a slider",
         [&] {
             app.toggle({1, 0});
         },
         "row 1,0 has no switch"},
        {"slide a switch",
         [&] {
             app.slide({0, 0}, 1);
         },
         "row 0,0 has no slider"},
        {"type into a link",
         [&] {
             app.typeText({2, 0}, "x");
         },
         "has no text field"},
        {"tap a disabled row",
         [&] {
             app.tapRow({2, 2});
         },
         "row 2,2 is disabled"},
        {"choose on a switch",
         [&] {
             app.choose({0, 0}, "x");
         },
         "opens no choice list"},
        {"an unknown choice",
         [&] {
             app.choose({1, 1}, "Nowhere");
         },
         "no choice \"Nowhere\""},
        {"no alert", [&] { app.answerAlert("OK"); }, "no alert is shown"},
        {"unknown pane", [&] { app.openPane("NoSuchPane"); }, "no settings pane class"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.action();
            ADD_FAILURE() << "no error";
        } catch (const std::invalid_argument& error) {
            EXPECT_THAT(error.what(), HasSubstr(c.reason));
        }
    }
    EXPECT_STREQ(object_getClassName(app.topPane()), "TestRootPane");
    EXPECT_FALSE(stored().has_value()) << "nothing was stored";
}

TEST_F(SettingsAppTest, APaneOpensByClassNameWithItsSpecifierProperties) {
    SettingsApp app = SettingsApp::launch({.showRootPane = false});
    EXPECT_EQ(app.topPane(), nullptr);
    PSViewController* pane =
        app.openPane("TestDetailPane", {{"title", Value("Work")}, {"key", Value("Work")}});
    EXPECT_EQ(app.topPane(), pane);
    EXPECT_EQ(pane->title(), "Work");
    ASSERT_NE(pane->specifier(), nullptr);
    EXPECT_EQ(pane->specifier()->propertyForKey("key"), Value("Work"));
    EXPECT_EQ(pane->specifier()->detailControllerClass(), object_getClass(pane));

    PSViewController* above = app.openPane("TestDetailPane", {}, "Second");
    EXPECT_EQ(above->parentController(), pane);
    EXPECT_EQ(above->rootController(), pane);
    EXPECT_EQ(app.navigation()->viewControllers().size(), 2u);
}

TEST_F(SettingsAppTest, ABrokenBundleIsReportedAndNoPaneIsShown) {
    tintbox::testing::TemporaryFolder folder;
    tintbox::testing::writeFile(folder / "Broken.bundle" / "Info.plist",
                                "<plist version=\"1.0\"><dict><key>CFBundleExecutable</key>"
                                "<string>Broken</string></dict></plist>");
    tintbox::testing::writeFile(folder / "Broken.bundle" / "Broken", "not a shared object");
    SettingsApp app = SettingsApp::launch({.bundlePath = folder / "Broken.bundle"});
    EXPECT_THAT(app.loadError(), HasSubstr("bundle Broken.bundle: cannot load Broken"));
    EXPECT_EQ(app.topPane(), nullptr);
    EXPECT_THAT(app.text(), HasSubstr("cannot load Broken"));
    try {
        app.findRow("Enabled");
        ADD_FAILURE() << "no error";
    } catch (const std::invalid_argument& error) {
        EXPECT_THAT(error.what(), HasSubstr("cannot load Broken"));
    }

    SettingsApp missing = SettingsApp::launch({.bundlePath = folder / "Missing.bundle"});
    EXPECT_THAT(missing.loadError(), HasSubstr("no pane bundle at"));
}

TEST_F(SettingsAppTest, MoveRowDragsARowThroughThePanesDataSource) {
    TestReorderPane::sections[0] = {"a", "b", "c"};
    TestReorderPane::sections[1] = {"fixed", "d"};
    SettingsApp app = SettingsApp::launch({.showRootPane = false});
    app.openPane("TestReorderPane");
    auto titles = [&] {
        std::vector<std::string> shown;
        for (const PaneRow& row : app.rows())
            shown.push_back(std::to_string(row.section) + ":" + row.title);
        return shown;
    };

    app.moveRow({0, 2}, {0, 0});
    EXPECT_EQ(titles(), (std::vector<std::string>{"0:c", "0:a", "0:b", "1:fixed", "1:d"}));
    app.moveRow({0, 0}, {1, 2});
    EXPECT_EQ(titles(), (std::vector<std::string>{"0:a", "0:b", "1:fixed", "1:d", "1:c"}))
        << "one past the last row of another section";
    app.moveRow({1, 1}, {2, 0});
    EXPECT_EQ(titles(), (std::vector<std::string>{"0:a", "0:b", "1:fixed", "1:c"}))
        << "dropped into the empty section, which the pane drops";

    struct Case {
        const char* name;
        RowAddress from;
        RowAddress to;
        const char* reason;
    };
    const Case cases[] = {
        {"no such row", {0, 5}, {0, 0}, "no row 0,5"},
        {"a fixed row", {1, 0}, {0, 0}, "row 1,0 cannot be moved"},
        {"no such section", {0, 0}, {3, 0}, "no place 3,0"},
        {"past the end of its own section", {0, 0}, {0, 2}, "no place 0,2"},
        {"past the end of another section", {0, 0}, {1, 3}, "no place 1,3"},
        {"a negative row", {0, 0}, {1, -1}, "no place 1,-1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            app.moveRow(c.from, c.to);
            ADD_FAILURE() << "no error";
        } catch (const std::invalid_argument& error) {
            EXPECT_THAT(error.what(), HasSubstr(c.reason));
        }
    }
    EXPECT_EQ(titles(), (std::vector<std::string>{"0:a", "0:b", "1:fixed", "1:c"}));

    SettingsApp root = SettingsApp::launch();
    try {
        root.moveRow({0, 0}, {0, 1});
        ADD_FAILURE() << "no error";
    } catch (const std::invalid_argument& error) {
        EXPECT_THAT(error.what(), HasSubstr("row 0,0 cannot be moved")) << "not editing";
    }
}

} // namespace
} // namespace tintbox::sim::settings
