#include "mailhooks/message_list_toolbar.hpp"

#include "host/mail_names.hpp"
#include "host/message_list_controller.hpp"
#include "mailhooks/extension_state.hpp"
#include "mailhooks/mark_and_move.hpp"
#include "mailhooks/quick_filter_bar.hpp"
#include "mailhooks/toolbar_state.hpp"
#include "platform/uikit/UISegmentedControl.hpp"
#include "platform/uikit/UITableView.hpp"

#include <algorithm>

namespace tintbox::mailhooks {
namespace {

void (*hostWillBeginSearch)(id, SEL, id) = nullptr;
void (*hostWillEndSearch)(id, SEL, id) = nullptr;
void (*hostSetInEditMode)(id, SEL, bool, bool) = nullptr;
void (*hostUpdateToolbarButtons)(id, SEL) = nullptr;
void (*hostUpdateBarButtons)(id, SEL) = nullptr;
void (*hostViewWillAppear)(id, SEL, bool) = nullptr;
void (*hostSetSourceType)(id, SEL, NSInteger) = nullptr;
void (*hostSetMailboxes)(id, SEL, host::Mailboxes, NSInteger) = nullptr;
void (*hostAddSource)(id, SEL, id, NSInteger) = nullptr;

constexpr double kReminderPressSeconds = 1.0;

SEL selector(std::string_view name) {
    return sel_registerName(name);
}

bool isReminderRecogniser(NSObject* recogniser) {
    auto& ours = toolbarState().reminderRecognisers;
    std::erase_if(ours, [](const objc::WeakRef<NSObject>& r) { return !r; });
    return std::any_of(ours.begin(), ours.end(), [recogniser](const objc::WeakRef<NSObject>& r) {
        return r.get() == recogniser;
    });
}

// One reminder recogniser per table: a second one would build and show the reminder twice
// for one press, and every showing of the list would add another.
void addReminderRecogniser(id controller) {
    UITableView* table = host::currentTableView(controller);
    if (!table)
        return;
    const SEL action = selector(host::sel::kReminderLongPress);
    for (const objc::Ref<NSObject>& existing : table->gestureRecognizers())
        if (isReminderRecogniser(existing.get())) {
            auto& press = static_cast<UIGestureRecognizer&>(*existing);
            press.removeTarget(nullptr, action);
            press.addTarget(controller, action);
            return;
        }
    auto press = objc::make<UILongPressGestureRecognizer>(controller, action);
    press->setMinimumPressDuration(kReminderPressSeconds);
    table->addGestureRecognizer(press.get());
    toolbarState().reminderRecognisers.emplace_back(press.get());
}

void viewWillAppear(id self, SEL cmd, bool animated) {
    hostViewWillAppear(self, cmd, animated);
    const settings::SettingsSnapshot& s = extensionState().snapshot;
    if (!s.enabled)
        return;
    addReminderRecogniser(self);
    if (s.enableUnreadAndFlagged)
        showQuickFilterBar(self);
}

void willBeginSearch(id self, SEL cmd, id searchController) {
    fadeQuickFilterBar(self, false, [](UIView& bar) {
        if (auto* control = dynamic_cast<UISegmentedControl*>(&bar))
            control->setSelectedSegmentIndex(0);
    });
    resetQuickFilter(self);
    hostWillBeginSearch(self, cmd, searchController);
}

void willEndSearch(id self, SEL cmd, id searchController) {
    fadeQuickFilterBar(self, true, {});
    hostWillEndSearch(self, cmd, searchController);
}

void setInEditMode(id self, SEL cmd, bool editing, bool animated) {
    rearmMarkAndMove();
    fadeQuickFilterBar(self, !editing, {});
    hostSetInEditMode(self, cmd, editing, animated);
}

void updateToolbarButtons(id self, SEL cmd) {
    hostUpdateToolbarButtons(self, cmd);
    attachMarkAndMove(self);
}

void updateBarButtons(id self, SEL cmd) {
    hostUpdateBarButtons(self, cmd);
}

void setSourceType(id self, SEL cmd, NSInteger sourceType) {
    toolbarState().recordedSourceType = sourceType;
    hostSetSourceType(self, cmd, sourceType);
}

void setMailboxes(id self, SEL cmd, host::Mailboxes mailboxes, NSInteger sourceType) {
    toolbarState().recordedMailboxes = mailboxes;
    hostSetMailboxes(self, cmd, std::move(mailboxes), sourceType);
}

void addSource(id self, SEL cmd, id source, NSInteger section) {
    toolbarState().recordedSource = source;
    hostAddSource(self, cmd, source, section);
}

void segmentAction(id self, SEL, id sender) {
    auto* control = dynamic_cast<UISegmentedControl*>(sender);
    const NSInteger index = control ? control->selectedSegmentIndex() : UISegmentedControlNoSegment;
    applyQuickFilter(self, sourceTypeOfSegment(index));
}

void moveButtonMarkAsRead(id self, SEL, id) {
    markAndMove(self);
}

} // namespace

void installMessageListToolbarHooks(Class controller) {
    UISegmentedControl::registerRuntimeClass();
    UILongPressGestureRecognizer::registerRuntimeClass();
    MSHookMessageEx(controller, selector(host::sel::kSearchDisplayControllerWillBeginSearch),
                    &willBeginSearch, &hostWillBeginSearch);
    MSHookMessageEx(controller, selector(host::sel::kSearchDisplayControllerWillEndSearch),
                    &willEndSearch, &hostWillEndSearch);
    MSHookMessageEx(controller, selector(host::sel::kSetInEditModeAnimated), &setInEditMode,
                    &hostSetInEditMode);
    class_addMethod(controller, selector(host::sel::kMoveButtonMarkAsRead), &moveButtonMarkAsRead,
                    "v@:@");
    MSHookMessageEx(controller, selector(host::sel::kUpdateToolbarButtons), &updateToolbarButtons,
                    &hostUpdateToolbarButtons);
    class_addMethod(controller, selector(host::sel::kSegmentAction), &segmentAction, "v@:@");
    MSHookMessageEx(controller, selector(host::sel::kUpdateBarButtons), &updateBarButtons,
                    &hostUpdateBarButtons);
    MSHookMessageEx(controller, selector(host::sel::kViewWillAppear), &viewWillAppear,
                    &hostViewWillAppear);
    MSHookMessageEx(controller, selector(host::sel::kSetSourceType), &setSourceType,
                    &hostSetSourceType);
    MSHookMessageEx(controller, selector(host::sel::kSetMailboxesSourceType), &setMailboxes,
                    &hostSetMailboxes);
    MSHookMessageEx(controller, selector(host::sel::kAddSourceToSection), &addSource,
                    &hostAddSource);
}

} // namespace tintbox::mailhooks
