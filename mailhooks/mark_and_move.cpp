#include "mailhooks/mark_and_move.hpp"

#include "host/mail_names.hpp"
#include "host/message_list_controller.hpp"
#include "mailhooks/extension_state.hpp"
#include "mailhooks/toolbar_state.hpp"
#include "platform/uikit/UIBarButtonItem.hpp"
#include "platform/uikit/UIView.hpp"

namespace tintbox::mailhooks {
namespace {

SEL actionSelector() {
    return sel_registerName(host::sel::kMoveButtonMarkAsRead);
}

UILongPressGestureRecognizer& recogniser(id controller) {
    ToolbarState& state = toolbarState();
    if (!state.markAndMoveRecogniser)
        state.markAndMoveRecogniser =
            objc::make<UILongPressGestureRecognizer>(controller, actionSelector());
    return *state.markAndMoveRecogniser;
}

} // namespace

void attachMarkAndMove(id controller) {
    const settings::SettingsSnapshot& s = extensionState().snapshot;
    UIBarButtonItem* item = host::moveButtonItemIvar(controller);
    if (!s.enabled || !s.enableMarkAsReadAndMove || !item)
        return;
    rearmMarkAndMove();
    UILongPressGestureRecognizer& press = recogniser(controller);
    // The recogniser moves from one controller's Move button to another's; it must act for
    // the controller whose button carries it, which may not be the one that made it (and
    // targets are held weakly, so that one may be gone).
    press.removeTarget(nullptr, actionSelector());
    press.addTarget(controller, actionSelector());
    if (UIView* view = host::barButtonItemView(item)) {
        view->removeGestureRecognizer(&press);
        view->addGestureRecognizer(&press);
    }
    UIBarButtonItem* shown = host::moveButtonItem(controller);
    if (shown && shown != item)
        if (UIView* view = host::barButtonItemView(shown))
            view->addGestureRecognizer(&press);
}

void markAndMove(id controller) {
    ToolbarState& state = toolbarState();
    if (state.markAndMoveBusy)
        return;
    id selection = host::selectionModel(controller);
    if (!selection)
        return;
    state.markAndMoveBusy = true;
    host::bulkMarkSelection(controller, selection, true);
    if (UIBarButtonItem* item = host::moveButtonItemIvar(controller))
        host::transferButtonClicked(controller, item);
}

void rearmMarkAndMove() {
    toolbarState().markAndMoveBusy = false;
}

} // namespace tintbox::mailhooks
