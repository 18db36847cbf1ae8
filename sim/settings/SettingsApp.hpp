// The Settings app stand-in: loads the pane bundle (/Library/PreferenceBundles/Tintbox.bundle
// in the device root) as the device's Settings app does, and shows its panes headless in a
// navigation stack the size of the screen - the root pane (the bundle's principal class), or
// any pane class by name. Rows are driven as a person would (tap, toggle, choose, type, slide,
// answer an alert), always through the pane's own table and cells, and the top pane is
// rendered to PNG, JSON or terminal text.
//   auto app = tintbox::sim::settings::SettingsApp::launch();
//   app.toggle(app.findRow("Enabled"));   std::cout << app.text();
//   app.openPane("ColorSelectorController", {{"title", "Work"}});  app.writePNG("colour.png");
#pragma once

#include "platform/foundation/value.hpp"
#include "platform/preferences/NSBundle.hpp"
#include "platform/preferences/PSListController.hpp"
#include "platform/uikit/UINavigationController.hpp"

#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace tintbox::sim::settings {

inline constexpr const char* kPaneBundlePath = "/Library/PreferenceBundles/Tintbox.bundle";

struct SettingsAppOptions {
    // The bundle folder (a host path); the device root's kPaneBundlePath when not given.
    std::optional<std::filesystem::path> bundlePath{};
    std::optional<double> screenWidth{};  // points; the screen's default otherwise
    std::optional<double> screenHeight{}; // points
    bool showRootPane{true};              // false: an empty stack, for openPane
};

// A row of the shown pane: its place, what it shows and how.
struct RowAddress {
    NSInteger section{0};
    NSInteger row{0};
};

struct PaneRow {
    NSInteger section{0};
    NSInteger row{0};
    std::string title;                // the text label's text
    std::optional<std::string> value; // the control's: "on"/"off", the slider's number, the text
    std::string detail;               // the detail label's text (a choice list's chosen title)
    std::string cellClass;            // the cell's runtime class
    std::string identifier;           // the specifier's identifier, when a specifier made the row
    std::optional<std::string> background; // "#RRGGBBAA", null for none
    std::optional<std::string> textColour; // the text label's, "#RRGGBBAA"
    bool enabled{true};
    double height{44};
};

class SettingsApp {
public:
    // Sizes the screen and loads the bundle; a missing or broken bundle is not fatal (see
    // loadError), so panes of classes already present can still be shown. Throws
    // std::invalid_argument for a screen size that is not positive.
    static SettingsApp launch(const SettingsAppOptions& options = {});

    // Nil when there is no bundle folder.
    NSBundle* bundle() const { return m_bundle; }
    // One line when the bundle could not be loaded; empty when it was.
    const std::string& loadError() const { return m_loadError; }
    UINavigationController* navigation() const { return m_navigation.get(); }

    // Shows the bundle's principal class as the root of a new stack. Throws
    // std::runtime_error when the bundle has no loadable principal pane.
    PSViewController* openRootPane();
    // Makes a pane of className (initForContentSize:, a specifier named title with these
    // properties, and the top pane as its parent) and pushes it; on an empty stack it becomes
    // the root. Throws std::invalid_argument when no pane class has that name.
    PSViewController* openPane(const std::string& className,
                               foundation::Dictionary specifierProperties = {},
                               const std::string& title = {});
    PSViewController* topPane() const;
    // Nil when the top pane is not a list pane.
    PSListController* topListPane() const;
    // The table the top pane shows (its `table`, or the first table in its view); nil if none.
    UITableView* topTable() const;
    // Pops the top pane; false when only the root is left.
    bool goBack();

    // The rows of the top pane's table, in order.
    std::vector<PaneRow> rows() const;
    // "S,R" (section and row), a row's title, or "N" for row N of the first section when no
    // row has that title (the filter list titles its rows with their patterns). Throws
    // std::invalid_argument when no row matches.
    RowAddress findRow(const std::string& row) const;
    UITableViewCell* cellAt(RowAddress address) const;

    // Actions, each through the pane's own table, cell or control, then the stack settles.
    // Each throws std::invalid_argument when the row cannot do it (no such control, disabled).
    // A tap on a row: selection as a finger would (links push, buttons act).
    void tapRow(RowAddress address);
    // Flips the row's switch.
    void toggle(RowAddress address);
    // Opens the row's choice list and taps the choice whose title (or value text) is given,
    // then comes back.
    void choose(RowAddress address, const std::string& choice);
    // Replaces the text of the row's text field, as typed, and ends editing.
    void typeText(RowAddress address, const std::string& text);
    // Drags the row's slider to value.
    void slide(RowAddress address, float value);
    // Drags the row by its reorder control and drops it at `to` (a row of any section, or one
    // past the last row of another section), as a finger would; the pane's data source hears
    // the move. Throws std::invalid_argument for a row that shows no reorder control or a drop
    // place outside the table.
    void moveRow(RowAddress from, RowAddress to);
    // Taps a button of the front alert, after typing fieldTexts into its fields. Throws
    // std::invalid_argument when no alert is shown or it has no such button.
    void answerAlert(const std::string& buttonTitle,
                     const std::vector<std::string>& fieldTexts = {});

    // The stack's view (bar and top pane), laid out.
    UIView& screen() const;
    void writePNG(const std::filesystem::path& path) const;
    // {"pane": class, "title": ..., "rows": [...], "alerts": [{"title", "message", "buttons"}]}
    nlohmann::ordered_json json() const;
    // The pane as terminal text: title, section headers, one line per row.
    std::string text() const;

    // Runs the main run loop for seconds, so that delayed work of the panes is done.
    static void settle(double seconds = 0.3);

private:
    SettingsApp() = default;
    void requireStack() const;

    NSBundle* m_bundle{nullptr};
    std::string m_loadError;
    objc::Ref<UINavigationController> m_navigation;
};

} // namespace tintbox::sim::settings
