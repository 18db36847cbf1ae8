#include "sim/mail/MailApp.hpp"

#include "platform/dispatch/run_loop.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIScreen.hpp"
#include "sim/mail/MailAccount.hpp"
#include "sim/mail/MailAppController.hpp"
#include "sim/mail/MailMessage.hpp"
#include "sim/mail/MailStore.hpp"
#include "sim/mail/MailboxContentViewController.hpp"
#include "sim/mail/MailboxListViewControllerMail.hpp"
#include "sim/mail/MailboxPickerController.hpp"
#include "sim/mail/MessageContentLayer.hpp"
#include "sim/mail/screen_controllers.hpp"

#include <algorithm>
#include <stdexcept>

namespace tintbox::sim::mail {
namespace {

constexpr CGFloat kNavigationTop = 64; // status bar and navigation bar

template <class Controller>
MailScreen<Controller> show(objc::Ref<Controller> controller, bool layOut) {
    auto navigation = UINavigationController::withRootViewController(controller.get());
    navigation->view()->setFrame(UIScreen::mainScreen()->bounds());
    navigation->appearOnScreen(layOut);
    if (layOut)
        navigation->view()->layoutIfNeeded();
    return {navigation, controller};
}

} // namespace

void registerMailAppClasses() {
    registerMailModelClasses();
    MailAppController::registerRuntimeClass();
    MailboxPickerController::registerRuntimeClass();
    MailboxListViewControllerMail::registerRuntimeClass();
    MailboxContentViewController::registerRuntimeClass();
    MessageContentLayer::registerRuntimeClass();
    MessageViewingContext::registerRuntimeClass();
    UINavigationController::registerRuntimeClass();
    UIApplication::registerRuntimeClass();
}

MailApp MailApp::launch(const MailAppOptions& options) {
    UIScreen* screen = UIScreen::mainScreen();
    CGRect bounds = screen->bounds();
    if (options.screenWidth)
        bounds.size.width = *options.screenWidth;
    if (options.screenHeight)
        bounds.size.height = *options.screenHeight;
    if (!(bounds.width() > 0) || !(bounds.height() > 0))
        throw std::invalid_argument("the screen needs a positive width and height");
    screen->setBounds(bounds);

    // The extension hooks these classes from its constructor, so they exist before it loads.
    registerMailAppClasses();
    MailApp app;
    app.m_layOutScreens = options.layOutScreens;
    if (options.loadTweaks)
        app.m_loadedTweaks = objc::loadTweaks(kMailBundleIdentifier);

    static const SEL didFinishLaunching =
        sel_registerName("application:didFinishLaunchingWithOptions:");
    app.m_controller = class_createInstance(objc_getClass("MailAppController"));
    app.m_launchResult = objc::msgSend<bool(id, id)>(app.m_controller, didFinishLaunching,
                                                     UIApplication::sharedApplication(), nullptr);
    return app;
}

MailScreen<MailboxPickerController> MailApp::mailboxList() const {
    return show(UIViewController::create<MailboxPickerController>(), m_layOutScreens);
}

MailScreen<MailboxListViewControllerMail> MailApp::folderList(MailAccount& account) const {
    auto folders = UIViewController::create<MailboxListViewControllerMail>();
    folders->setAccount(&account);
    return show(folders, m_layOutScreens);
}

MailScreen<MailboxContentViewController>
MailApp::messageList(std::vector<objc::Ref<NSObject>> mailboxes, const std::string& title,
                     NSInteger sourceType) const {
    return show(makeMessageListController(std::move(mailboxes), title, sourceType),
                m_layOutScreens);
}

MailScreen<UIViewController> MailApp::openMessage(MailMessage& message) const {
    const CGRect screen = UIScreen::mainScreen()->bounds();
    auto controller =
        makeMessageController(message, {screen.width(), screen.height() - kNavigationTop});
    auto* layer = dynamic_cast<MessageContentLayer*>(controller->view());
    auto shown = show(controller, m_layOutScreens);
    if (!m_layOutScreens)
        return shown;
    const CGFloat needed = kNavigationTop + layer->fittingHeight();
    if (needed > screen.height()) {
        shown.navigation->view()->setFrame(CGRectMake(0, 0, screen.width(), needed));
        shown.navigation->view()->layoutIfNeeded();
    }
    return shown;
}

MessageContentLayer* MailApp::contentLayerOf(const MailScreen<UIViewController>& screen) {
    return dynamic_cast<MessageContentLayer*>(screen.controller->view());
}

void MailApp::settle(double seconds) {
    dispatch::RunLoop::main().runFor(seconds);
}

} // namespace tintbox::sim::mail
