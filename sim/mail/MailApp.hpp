// The Mail app stand-in, launched as the device launches Mail: the screen is sized, the host's
// classes are registered, the tweak libraries that name Mail are loaded (their constructors
// hook those classes), and then MailAppController hears application:didFinishLaunching...
// through the runtime. After launch the app shows its screens headless, each inside a
// navigation controller the size of the screen, laid out and ready to render or dump.
//   auto app = tintbox::sim::mail::MailApp::launch({.screenWidth = 375});
//   auto screen = app.messageList({inbox}, "INBOX");   uikit::writeViewPNG(screen.view(), "l.png");
#pragma once

#include "platform/uikit/UINavigationController.hpp"

#include <optional>
#include <string>
#include <vector>

class MailAccount;
class MailMessage;
class MailboxContentViewController;
class MailboxListViewControllerMail;
class MailboxPickerController;
class MessageContentLayer;

namespace tintbox::sim::mail {

inline constexpr const char* kMailBundleIdentifier = "com.apple.mobilemail";

// Registers the model's and the screens' runtime classes under the host's names; idempotent.
void registerMailAppClasses();

struct MailAppOptions {
    std::optional<double> screenWidth;  // points; the screen's default otherwise
    std::optional<double> screenHeight; // points
    bool loadTweaks{true};              // false: the app alone, as without the extension
    // false when only the screens' contents are read (texts, colours, flags), as the terminal
    // does: views then lay themselves out only when something asks for it, and no label is
    // measured for nobody.
    bool layOutScreens{true};
};

// One screen: the navigation controller shown and the controller at its top.
template <class Controller>
struct MailScreen {
    objc::Ref<UINavigationController> navigation;
    objc::Ref<Controller> controller;

    UIView& view() const { return *navigation->view(); }
};

class MailApp {
public:
    // Throws std::invalid_argument for a screen size that is not positive.
    static MailApp launch(const MailAppOptions& options = {});

    const std::vector<std::string>& loadedTweaks() const { return m_loadedTweaks; }
    bool launchResult() const { return m_launchResult; }

    MailScreen<MailboxPickerController> mailboxList() const;
    MailScreen<MailboxListViewControllerMail> folderList(MailAccount& account) const;
    // The messages of the mailboxes of the source type (0 all, 2 flagged, 3 unread), titled
    // `title`.
    MailScreen<MailboxContentViewController> messageList(std::vector<objc::Ref<NSObject>> mailboxes,
                                                         const std::string& title,
                                                         NSInteger sourceType = 0) const;
    // The open message; the screen grows taller when the message needs it. The content layer's
    // delayed work runs on the main run loop (MailApp::settle).
    MailScreen<UIViewController> openMessage(MailMessage& message) const;
    // The open message's content layer (the top controller's view).
    static MessageContentLayer* contentLayerOf(const MailScreen<UIViewController>& screen);

    // Runs the main run loop for `seconds` so that work the screens or the extension queued
    // (delayed placements) is done before a picture is taken.
    static void settle(double seconds = 0.3);

private:
    MailApp() = default;

    std::vector<std::string> m_loadedTweaks;
    objc::Ref<NSObject> m_controller;
    bool m_launchResult{false};
    bool m_layOutScreens{true};
};

} // namespace tintbox::sim::mail
