#include "mailhooks/extension.hpp"

#include "host/mail_names.hpp"
#include "mailhooks/account_registry.hpp"
#include "mailhooks/extension_state.hpp"
#include "mailhooks/gradient_view.hpp"
#include "mailhooks/mailbox_list.hpp"
#include "mailhooks/message_list.hpp"
#include "mailhooks/message_list_toolbar.hpp"
#include "mailhooks/message_view.hpp"
#include "mailhooks/reminders.hpp"
#include "platform/corefoundation/notification_center.hpp"
#include "platform/corefoundation/version_number.hpp"
#include "platform/objc/objc.hpp"
#include "settings/keys.hpp"
#include "settings/loader.hpp"

namespace tintbox::mailhooks {
namespace {

void settingsChanged(corefoundation::CFNotificationCenterRef, void*, corefoundation::CFStringRef,
                     const void*, corefoundation::CFDictionaryRef) {
    settings::settingsDidChange(extensionState().snapshot, settings::settingsFilePath());
    extensionState().compileFilters();
}

} // namespace

void startExtension() {
    objc::AutoreleasePool pool;
    settings::loadSettings(extensionState().snapshot, settings::settingsFilePath());
    extensionState().compileFilters();
    GradientView::registerRuntimeClass();

    installMessageViewHooks(objc_getClass(host::kMessageContentLayer));
    installMessageListHooks(objc_getClass(host::kMailboxContentViewCell));
    installMailboxListHooks(objc_getClass(host::kMailboxTableCell),
                            objc_getClass(host::kMailboxPickerController),
                            objc_getClass(host::kMailboxListViewControllerMail));
    const Class messageListController = objc_getClass(host::kMailboxContentViewController);
    installMessageListToolbarHooks(messageListController);
    installReminderHooks(messageListController);

    corefoundation::CFNotificationCenterAddObserver(
        corefoundation::CFNotificationCenterGetDarwinNotifyCenter(), nullptr, &settingsChanged,
        settings::kChangeNotificationName, nullptr,
        corefoundation::CFNotificationSuspensionBehaviorCoalesce);

    if (corefoundation::kCFCoreFoundationVersionNumber < kFirstIOS8CoreFoundationVersion)
        installAccountRegistryHook(objc_getClass(host::kMailAppController));
}

} // namespace tintbox::mailhooks
