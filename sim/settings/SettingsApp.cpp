#include "sim/settings/SettingsApp.hpp"

#include "platform/corefoundation/version_number.hpp"
#include "platform/dispatch/run_loop.hpp"
#include "platform/foundation/device_path.hpp"
#include "platform/preferences/PSTableCell.hpp"
#include "platform/uikit/UIAlertView.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "platform/uikit/UISlider.hpp"
#include "platform/uikit/UISwitch.hpp"
#include "platform/uikit/UITextField.hpp"
#include "platform/uikit/view_renderer.hpp"
#include "sim/mail/MailStore.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace tintbox::sim::settings {

namespace {

constexpr CGFloat kPictureMinimumHeight = 568;

SEL sel(const char* name) {
    return sel_registerName(name);
}

std::string describe(RowAddress address) {
    return "row " + std::to_string(address.section) + "," + std::to_string(address.row);
}

// The first view of type T in the tree under view (the view itself first), depth first.
template <class T>
T* findView(UIView* view) {
    if (!view)
        return nullptr;
    if (auto* found = dynamic_cast<T*>(view))
        return found;
    for (const auto& subview : view->subviews())
        if (T* found = findView<T>(subview.get()))
            return found;
    return nullptr;
}

template <class T>
T* controlOfCell(UITableViewCell* cell) {
    if (!cell)
        return nullptr;
    if (T* found = findView<T>(cell->accessoryView()))
        return found;
    return findView<T>(cell->contentView());
}

std::optional<std::string> hexOf(UIColor* colour) {
    if (!colour)
        return std::nullopt;
    return colour->CGColor().hexString();
}

std::string numberText(double number) {
    std::ostringstream out;
    out << number;
    return out.str();
}

// The value that a row's control shows, as text.
std::optional<std::string> controlValue(UITableViewCell* cell) {
    if (auto* toggle = controlOfCell<UISwitch>(cell))
        return std::string(toggle->isOn() ? "on" : "off");
    if (auto* slider = controlOfCell<UISlider>(cell))
        return numberText(slider->value());
    if (auto* field = controlOfCell<UITextField>(cell))
        return field->text();
    return std::nullopt;
}

bool sameText(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::optional<RowAddress> parseAddress(const std::string& text) {
    const auto comma = text.find(',');
    if (comma == std::string::npos)
        return std::nullopt;
    RowAddress address;
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    auto first = std::from_chars(begin, begin + comma, address.section);
    auto second = std::from_chars(begin + comma + 1, end, address.row);
    if (first.ec != std::errc() || first.ptr != begin + comma || second.ec != std::errc() ||
        second.ptr != end)
        return std::nullopt;
    return address;
}

// "N": a whole number of row, for the rows a pane titles with what they hold (filters).
std::optional<NSInteger> parseRowNumber(const std::string& text) {
    NSInteger number = 0;
    const char* end = text.data() + text.size();
    auto parsed = std::from_chars(text.data(), end, number);
    if (text.empty() || parsed.ec != std::errc() || parsed.ptr != end || number < 0)
        return std::nullopt;
    return number;
}

constexpr double kFirstVersionWithMailAccountClasses = 1140.1;

} // namespace

SettingsApp SettingsApp::launch(const SettingsAppOptions& options) {
    CGRect screen = UIScreen::mainScreen()->bounds();
    if (options.screenWidth)
        screen.size.width = *options.screenWidth;
    if (options.screenHeight)
        screen.size.height = *options.screenHeight;
    if (!(screen.size.width > 0) || !(screen.size.height > 0))
        throw std::invalid_argument("the screen size must be positive");
    UIScreen::mainScreen()->setBounds(screen);
    PSListController::registerRuntimeClass();
    UINavigationController::registerRuntimeClass();
    // From iOS 8 the Mail app's account classes are loaded in the Settings process too, and
    // the pane lists the accounts through them.
    if (corefoundation::kCFCoreFoundationVersionNumber >= kFirstVersionWithMailAccountClasses)
        sim::mail::registerMailModelClasses();

    SettingsApp app;
    const std::filesystem::path path =
        options.bundlePath ? *options.bundlePath : foundation::devicePath(kPaneBundlePath);
    app.m_bundle = NSBundle::bundleWithPath(path);
    if (!app.m_bundle)
        app.m_loadError = "no pane bundle at " + path.string();
    else if (!app.m_bundle->load())
        app.m_loadError = app.m_bundle->loadError();
    if (options.showRootPane && app.m_loadError.empty()) {
        try {
            app.openRootPane();
        } catch (const std::runtime_error& error) {
            app.m_loadError = error.what();
        }
    }
    return app;
}

PSViewController* SettingsApp::openRootPane() {
    if (!m_bundle)
        throw std::runtime_error(m_loadError);
    Class root = m_bundle->principalClass();
    if (!root)
        throw std::runtime_error(!m_bundle->loadError().empty()
                                     ? m_bundle->loadError()
                                     : "bundle " + m_bundle->bundlePath().filename().string() +
                                           ": no principal class (NSPrincipalClass)");
    auto pane = PSViewController::createPane(root, UIScreen::mainScreen()->bounds().size);
    if (!pane)
        throw std::runtime_error(std::string("bundle principal class ") + class_getName(root) +
                                 " is not a settings pane");
    if (m_navigation)
        m_navigation->disappearFromScreen();
    m_navigation = UINavigationController::withRootViewController(pane.get());
    m_navigation->view()->setFrame(UIScreen::mainScreen()->bounds());
    m_navigation->appearOnScreen();
    screen();
    return pane.get();
}

PSViewController* SettingsApp::openPane(const std::string& className,
                                        foundation::Dictionary specifierProperties,
                                        const std::string& title) {
    Class cls = objc_getClass(className);
    if (!class_isSubclassOfClass(cls, objc::classOf<PSViewController>()))
        throw std::invalid_argument("no settings pane class named " + className);
    std::string name = title;
    if (name.empty())
        if (const foundation::Value* given = foundation::find(specifierProperties, "title"))
            if (given->asString())
                name = *given->asString();
    PSViewController* top = topPane();
    auto specifier = PSSpecifier::preferenceSpecifierNamed(name.empty() ? className : name, top,
                                                           nullptr, nullptr, cls, PSLinkCell, Nil);
    specifier->setProperties(std::move(specifierProperties));
    auto pane = PSViewController::createPane(cls, UIScreen::mainScreen()->bounds().size);
    if (!pane)
        throw std::invalid_argument("the settings pane " + className + " could not be made");
    pane->setSpecifier(specifier.get());
    if (!name.empty() && pane->title().empty())
        pane->setTitle(name);
    if (!top) {
        m_navigation = UINavigationController::withRootViewController(pane.get());
        m_navigation->view()->setFrame(UIScreen::mainScreen()->bounds());
        m_navigation->appearOnScreen();
    } else {
        pane->setParentController(top);
        pane->setRootController(top->rootController() ? top->rootController() : top);
        objc::msgSend<void(PSViewController*)>(top, sel("pushController:"), pane.get());
    }
    screen();
    return pane.get();
}

PSViewController* SettingsApp::topPane() const {
    if (!m_navigation)
        return nullptr;
    return dynamic_cast<PSViewController*>(m_navigation->topViewController());
}

PSListController* SettingsApp::topListPane() const {
    return dynamic_cast<PSListController*>(topPane());
}

UITableView* SettingsApp::topTable() const {
    if (PSListController* list = topListPane())
        return list->table();
    UIViewController* top = m_navigation ? m_navigation->topViewController() : nullptr;
    return top ? findView<UITableView>(top->view()) : nullptr;
}

bool SettingsApp::goBack() {
    if (!m_navigation || m_navigation->viewControllers().size() < 2)
        return false;
    m_navigation->popViewControllerAnimated(true);
    screen();
    return true;
}

void SettingsApp::requireStack() const {
    if (!topTable())
        throw std::invalid_argument(m_loadError.empty() ? "no pane with rows is shown"
                                                        : m_loadError);
}

std::vector<PaneRow> SettingsApp::rows() const {
    std::vector<PaneRow> rows;
    UITableView* table = topTable();
    if (!table)
        return rows;
    table->layoutIfNeeded();
    for (NSInteger section = 0; section < table->numberOfSections(); ++section) {
        for (NSInteger row = 0; row < table->numberOfRowsInSection(section); ++row) {
            auto path = NSIndexPath::indexPathForRow(row, section);
            UITableViewCell* cell = table->cellForRowAtIndexPath(path.get());
            if (!cell)
                continue;
            PaneRow entry;
            entry.section = section;
            entry.row = row;
            entry.title = cell->textLabel() ? cell->textLabel()->text() : std::string();
            // A hidden detail label shows nothing, whatever text it keeps.
            UILabel* detail = cell->detailTextLabel();
            entry.detail = detail && !detail->isHidden() ? detail->text() : "";
            entry.value = controlValue(cell);
            entry.cellClass = object_getClassName(cell);
            entry.background = hexOf(cell->backgroundColor());
            entry.textColour =
                cell->textLabel() ? hexOf(cell->textLabel()->textColor()) : std::nullopt;
            entry.enabled = cell->isUserInteractionEnabled();
            if (auto* psCell = dynamic_cast<PSTableCell*>(cell)) {
                entry.enabled = entry.enabled && psCell->isCellEnabled();
                if (PSSpecifier* specifier = psCell->specifier()) {
                    entry.identifier = specifier->identifier();
                    // Rows without a label (a slider spans its row) go by their name.
                    if (entry.title.empty())
                        entry.title = specifier->name();
                }
            }
            entry.height = table->rectForRowAtIndexPath(path.get()).size.height;
            rows.push_back(std::move(entry));
        }
    }
    return rows;
}

RowAddress SettingsApp::findRow(const std::string& row) const {
    requireStack();
    const std::vector<PaneRow> shown = rows();
    if (auto address = parseAddress(row)) {
        for (const PaneRow& entry : shown)
            if (entry.section == address->section && entry.row == address->row)
                return *address;
        throw std::invalid_argument("the pane has no " + describe(*address));
    }
    for (const PaneRow& entry : shown)
        if (entry.title == row)
            return {entry.section, entry.row};
    for (const PaneRow& entry : shown)
        if (sameText(entry.title, row))
            return {entry.section, entry.row};
    if (auto number = parseRowNumber(row)) {
        const RowAddress address{0, *number};
        for (const PaneRow& entry : shown)
            if (entry.section == address.section && entry.row == address.row)
                return address;
        throw std::invalid_argument("the pane has no " + describe(address));
    }
    throw std::invalid_argument("the pane has no row titled \"" + row + "\"");
}

UITableViewCell* SettingsApp::cellAt(RowAddress address) const {
    UITableView* table = topTable();
    if (!table)
        return nullptr;
    table->layoutIfNeeded();
    auto path = NSIndexPath::indexPathForRow(address.row, address.section);
    return table->cellForRowAtIndexPath(path.get());
}

void SettingsApp::tapRow(RowAddress address) {
    requireStack();
    UITableViewCell* cell = cellAt(address);
    if (!cell)
        throw std::invalid_argument("the pane has no " + describe(address));
    if (!cell->isUserInteractionEnabled())
        throw std::invalid_argument(describe(address) + " is disabled");
    auto path = NSIndexPath::indexPathForRow(address.row, address.section);
    topTable()->tapRowAtIndexPath(path.get());
    screen();
}

void SettingsApp::toggle(RowAddress address) {
    requireStack();
    auto* toggle = controlOfCell<UISwitch>(cellAt(address));
    if (!toggle)
        throw std::invalid_argument(describe(address) + " has no switch");
    if (!toggle->isEnabled())
        throw std::invalid_argument(describe(address) + " is disabled");
    toggle->simulateTap();
    screen();
}

void SettingsApp::choose(RowAddress address, const std::string& choice) {
    requireStack();
    PSViewController* before = topPane();
    tapRow(address);
    if (topPane() == before)
        throw std::invalid_argument(describe(address) + " opens no choice list");
    RowAddress chosen;
    try {
        chosen = findRow(choice);
    } catch (const std::invalid_argument&) {
        goBack();
        throw std::invalid_argument(describe(address) + " has no choice \"" + choice + "\"");
    }
    tapRow(chosen);
    goBack();
}

void SettingsApp::typeText(RowAddress address, const std::string& text) {
    requireStack();
    auto* field = controlOfCell<UITextField>(cellAt(address));
    if (!field)
        throw std::invalid_argument(describe(address) + " has no text field");
    if (!field->isEnabled() || !field->becomeFirstResponder())
        throw std::invalid_argument(describe(address) + " does not take text");
    field->setText("");
    field->typeText(text);
    field->resignFirstResponder();
    screen();
}

void SettingsApp::slide(RowAddress address, float value) {
    requireStack();
    auto* slider = controlOfCell<UISlider>(cellAt(address));
    if (!slider)
        throw std::invalid_argument(describe(address) + " has no slider");
    if (!slider->isEnabled())
        throw std::invalid_argument(describe(address) + " is disabled");
    if (!std::isfinite(value))
        throw std::invalid_argument("a slider value must be a number");
    slider->simulateDragToValue(value);
    screen();
}

void SettingsApp::moveRow(RowAddress from, RowAddress to) {
    requireStack();
    UITableView* table = topTable();
    UITableViewCell* cell = cellAt(from);
    if (!cell)
        throw std::invalid_argument("the pane has no " + describe(from));
    if (!table->isEditing() || !cell->showsReorderControl())
        throw std::invalid_argument(describe(from) + " cannot be moved");
    // Within its own section a row can land on any existing row; in another one, also just
    // past the last row (the only place in an empty section).
    const bool sameSection = to.section == from.section;
    if (to.section < 0 || to.section >= table->numberOfSections() || to.row < 0 ||
        to.row > table->numberOfRowsInSection(to.section) - (sameSection ? 1 : 0))
        throw std::invalid_argument("the pane has no place " + std::to_string(to.section) + "," +
                                    std::to_string(to.row) + " to drop a row on");
    auto source = NSIndexPath::indexPathForRow(from.row, from.section);
    auto proposed = NSIndexPath::indexPathForRow(to.row, to.section);
    if (!table->simulateMoveRow(source.get(), proposed.get()))
        throw std::invalid_argument(describe(from) + " cannot be moved");
    screen();
}

void SettingsApp::answerAlert(const std::string& buttonTitle,
                              const std::vector<std::string>& fieldTexts) {
    if (UIAlertView::shownAlerts().empty())
        throw std::invalid_argument("no alert is shown");
    if (!UIAlertView::answerFrontAlert(buttonTitle, fieldTexts))
        throw std::invalid_argument("the alert has no button \"" + buttonTitle +
                                    "\" (or fewer text fields than texts given)");
    screen();
}

UIView& SettingsApp::screen() const {
    if (!m_navigation)
        throw std::invalid_argument(m_loadError.empty() ? "no pane is shown" : m_loadError);
    UIView* view = m_navigation->view();
    view->layoutIfNeeded();
    return *view;
}

void SettingsApp::writePNG(const std::filesystem::path& path) const {
    UIView& view = screen();
    const CGRect frame = view.frame();
    // As tall as the pane's rows, and at least a phone's screen (or the screen, when smaller).
    CGFloat height = std::min<CGFloat>(frame.height(), kPictureMinimumHeight);
    if (UITableView* table = topTable()) {
        const CGFloat contentBottom =
            table->contentSize().height + table->contentInset().bottom - table->contentOffset().y;
        height = std::max(height, table->convertPointToView({0, contentBottom}, &view).y);
    }
    height = std::ceil(height);
    if (height == frame.height()) {
        uikit::writeViewPNG(view, path);
        return;
    }
    view.setFrame(CGRectMake(frame.origin.x, frame.origin.y, frame.width(), height));
    view.layoutIfNeeded();
    try {
        uikit::writeViewPNG(view, path);
    } catch (...) {
        view.setFrame(frame);
        view.layoutIfNeeded();
        throw;
    }
    view.setFrame(frame);
    view.layoutIfNeeded();
}

nlohmann::ordered_json SettingsApp::json() const {
    nlohmann::ordered_json result;
    UIViewController* top = m_navigation ? m_navigation->topViewController() : nullptr;
    result["pane"] = top ? object_getClassName(top) : nullptr;
    result["title"] = top ? top->title() : "";
    nlohmann::ordered_json sections = nlohmann::ordered_json::array();
    if (UITableView* table = topTable())
        for (NSInteger section = 0; section < table->numberOfSections(); ++section) {
            UILabel* header = table->headerLabelForSection(section);
            sections.push_back(header ? header->text() : "");
        }
    result["sections"] = sections;
    nlohmann::ordered_json rowList = nlohmann::ordered_json::array();
    for (const PaneRow& row : rows()) {
        nlohmann::ordered_json entry;
        entry["section"] = row.section;
        entry["row"] = row.row;
        entry["title"] = row.title;
        entry["value"] = row.value ? nlohmann::ordered_json(*row.value) : nullptr;
        entry["detail"] = row.detail;
        entry["cellClass"] = row.cellClass;
        entry["identifier"] = row.identifier;
        entry["background"] = row.background ? nlohmann::ordered_json(*row.background) : nullptr;
        entry["textColor"] = row.textColour ? nlohmann::ordered_json(*row.textColour) : nullptr;
        entry["enabled"] = row.enabled;
        entry["height"] = row.height;
        rowList.push_back(std::move(entry));
    }
    result["rows"] = rowList;
    nlohmann::ordered_json alerts = nlohmann::ordered_json::array();
    for (const auto& alert : UIAlertView::shownAlerts())
        alerts.push_back({{"title", alert->title()},
                          {"message", alert->message()},
                          {"buttons", alert->buttonTitles()}});
    result["alerts"] = alerts;
    return result;
}

std::string SettingsApp::text() const {
    std::ostringstream out;
    UIViewController* top = m_navigation ? m_navigation->topViewController() : nullptr;
    if (!top)
        return m_loadError.empty() ? "(no pane)\n" : m_loadError + "\n";
    out << (top->title().empty() ? object_getClassName(top) : top->title()) << '\n';
    UITableView* table = topTable();
    NSInteger shownSection = -1;
    for (const PaneRow& row : rows()) {
        if (row.section != shownSection) {
            shownSection = row.section;
            UILabel* header = table ? table->headerLabelForSection(row.section) : nullptr;
            out << '\n';
            if (header && !header->text().empty())
                out << header->text() << '\n';
        }
        out << "  [" << row.section << ',' << row.row << "] " << row.title;
        if (row.value)
            out << "  = " << *row.value;
        if (!row.detail.empty())
            out << "  (" << row.detail << ')';
        if (!row.enabled)
            out << "  [disabled]";
        out << '\n';
    }
    for (const auto& alert : UIAlertView::shownAlerts()) {
        out << "\nALERT " << alert->title() << ": " << alert->message() << "  [";
        for (std::size_t i = 0; i < alert->buttonTitles().size(); ++i)
            out << (i ? " | " : "") << alert->buttonTitles()[i];
        out << "]\n";
    }
    return out.str();
}

void SettingsApp::settle(double seconds) {
    dispatch::RunLoop::main().runFor(seconds);
}

} // namespace tintbox::sim::settings
