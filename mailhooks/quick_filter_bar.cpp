#include "mailhooks/quick_filter_bar.hpp"

#include "host/mail.hpp"
#include "host/mail_names.hpp"
#include "host/message_list_controller.hpp"
#include "mailhooks/extension_state.hpp"
#include "mailhooks/tags.hpp"
#include "mailhooks/toolbar_state.hpp"
#include "platform/uikit/UIColor.hpp"
#include "platform/uikit/UIControlEvents.hpp"
#include "platform/uikit/UISegmentedControl.hpp"
#include "platform/uikit/UITableView.hpp"

namespace tintbox::mailhooks {
namespace {

constexpr CGFloat kBarRoom = 44;
constexpr double kFadeSeconds = 0.5;

UIView* barOf(id controller) {
    UIView* root = host::view(controller);
    return root ? root->viewWithTag(tags::kQuickFilterBar) : nullptr;
}

void listRecordedMailboxes(id controller, NSInteger sourceType) {
    ToolbarState& state = toolbarState();
    state.activeQuickFilter = sourceType;
    host::setMailboxes(controller, *state.recordedMailboxes, sourceType);
    host::reloadTableView(controller);
}

// The list shown again with a filtered source before the mailbox list was seen keeps its bar
// as it is.
bool showsFilteredSourceAgain(bool wasShownBefore) {
    const ToolbarState& state = toolbarState();
    const bool filteredSource = host::isThreadedMiniMallSource(state.recordedSource.get()) ||
                                state.recordedSourceType == host::kSourceFlagged ||
                                state.recordedSourceType == host::kSourceUnread;
    return filteredSource && wasShownBefore;
}

void placeNewBar(id controller, UIView& root, UITableView& table) {
    ToolbarState& state = toolbarState();
    state.activeQuickFilter = host::kSourceAll;

    if (!state.firstInset)
        state.firstInset = table.contentInset();
    UIEdgeInsets inset = *state.firstInset;
    inset.top += kBarRoom;
    table.setContentInset(inset);

    if (!state.firstOffset)
        state.firstOffset = table.contentOffset();
    table.setContentOffset({state.firstOffset->x, state.firstOffset->y + kBarRoom});

    auto bar = UISegmentedControl::withItems({"All", "Unread", "Flagged"});
    bar->setSelectedSegmentIndex(0);
    bar->setFrame(CGRectMake(6, -38, table.bounds().size.width - 12, 30));
    bar->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin |
                             UIViewAutoresizingFlexibleWidth |
                             UIViewAutoresizingFlexibleRightMargin);
    bar->setTag(tags::kQuickFilterBar);
    bar->addTarget(controller, sel_registerName(host::sel::kSegmentAction),
                   UIControlEventValueChanged);
    root.addSubview(bar.get());
    bar->setBackgroundColor(UIColor::whiteColor().get());
}

} // namespace

NSInteger sourceTypeOfSegment(NSInteger index) {
    switch (index) {
    case 0:
        return host::kSourceAll;
    case 1:
        return host::kSourceUnread;
    case 2:
        return host::kSourceFlagged;
    default:
        return kNoSourceType;
    }
}

void applyQuickFilter(id controller, NSInteger sourceType) {
    const ToolbarState& state = toolbarState();
    if (state.recordedMailboxes && sourceType < kNoSourceType &&
        sourceType != state.activeQuickFilter)
        listRecordedMailboxes(controller, sourceType);
}

void resetQuickFilter(id controller) {
    const ToolbarState& state = toolbarState();
    if (state.recordedMailboxes && state.activeQuickFilter != host::kSourceAll)
        listRecordedMailboxes(controller, host::kSourceAll);
}

void showQuickFilterBar(id controller) {
    bool& shown = extensionState().quickFilterReset;
    const bool wasShownBefore = shown;
    shown = true;
    if (showsFilteredSourceAgain(wasShownBefore))
        return;

    UIView* root = host::view(controller);
    if (!root)
        return;
    if (UIView* bar = root->viewWithTag(tags::kQuickFilterBar)) {
        root->bringSubviewToFront(bar);
        bar->setUserInteractionEnabled(true);
        return;
    }
    if (UITableView* table = host::tableView(controller))
        placeNewBar(controller, *root, *table);
}

void fadeQuickFilterBar(id controller, bool shown, std::function<void(UIView& bar)> completion) {
    const objc::Ref<UIView> bar(barOf(controller));
    if (!bar)
        return;
    const objc::Ref<NSObject> keptController(controller);
    const double alpha = shown ? 1.0 : 0.0;
    UIView::animateWithDuration(
        kFadeSeconds,
        [bar, keptController, alpha, shown] {
            // The inset moves only when the bar really appears or goes, so that a repeated
            // edit-mode or search call cannot push the list away from its bar.
            if (bar->alpha() != alpha) {
                if (UITableView* table = host::tableView(keptController.get())) {
                    UIEdgeInsets inset = table->contentInset();
                    inset.top += shown ? kBarRoom : -kBarRoom;
                    table->setContentInset(inset);
                }
            }
            bar->setAlpha(alpha);
        },
        [bar, keptController, completion = std::move(completion)](bool) {
            if (completion)
                completion(*bar);
        });
}

} // namespace tintbox::mailhooks
