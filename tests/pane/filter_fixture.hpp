// Fixture of the filter pane tests: a device root of the test's own, the Settings app stand-in
// showing panes of the classes linked into the test (no bundle is loaded), a virtual clock for
// the list's delayed reload, and filter records built from a few entries.
#pragma once

#include "pane/filters/filter_lists.hpp"
#include "platform/dispatch/run_loop.hpp"
#include "sim/settings/SettingsApp.hpp"
#include "tests/pane/colour/pane_fixture.hpp"

#include <string>
#include <vector>

namespace tintbox::testing {

class FilterPaneFixture : public PaneFixture {
protected:
    void SetUp() override { dispatch::RunLoop::main().useVirtualClock(); }
    void TearDown() override {
        advance(1.0); // no reload of this test's panes runs in the next test
        PaneFixture::TearDown();
    }

    sim::settings::SettingsApp launch() const {
        return sim::settings::SettingsApp::launch(
            {.bundlePath = root / "no.bundle", .showRootPane = false});
    }
    // The filter list pane, as the root pane's "Filters" row opens it.
    sim::settings::SettingsApp launchFilterList() const {
        sim::settings::SettingsApp app = launch();
        app.openPane("TintboxListController");
        app.tapRow(app.findRow("Filters"));
        return app;
    }
    static void advance(double seconds) { dispatch::RunLoop::main().advance(seconds); }

    // A new filter record with the given entries on top.
    static foundation::Value filter(const foundation::Dictionary& entries) {
        foundation::Dictionary record = pane::newFilterRecord();
        for (const auto& [key, value] : entries)
            record[key] = value;
        return foundation::Value(record);
    }
    static foundation::Value named(const std::string& from) {
        return filter({{"from", foundation::Value(from)}});
    }
    static foundation::Value listOf(const std::vector<std::string>& names) {
        foundation::Array list;
        for (const std::string& name : names)
            list.push_back(named(name));
        return foundation::Value(list);
    }
    // The "from" patterns of a stored list, in order.
    std::vector<std::string> storedNames(const std::string& key) const {
        std::vector<std::string> names;
        const foundation::Dictionary settings = readSettings();
        const foundation::Value* list = foundation::find(settings, key);
        if (list && list->asArray())
            for (const foundation::Value& record : *list->asArray())
                names.push_back(pane::filterRowText(record));
        return names;
    }
    // The shown rows as "section:title".
    static std::vector<std::string> shownRows(const sim::settings::SettingsApp& app) {
        std::vector<std::string> rows;
        for (const sim::settings::PaneRow& row : app.rows())
            rows.push_back(std::to_string(row.section) + ":" + row.title);
        return rows;
    }
};

} // namespace tintbox::testing
