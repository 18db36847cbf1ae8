// The Mail app's private class names and selectors that the plug-ins reach, spelled as the host
// spells them. Look a class up with objc_getClass(kMailboxContentViewCell) and a selector with
// sel_registerName(sel::kSetMessageThreaded); nothing here is retyped elsewhere.
#pragma once

#include <string_view>

namespace tintbox::host {

inline constexpr std::string_view kMessageContentLayer = "MessageContentLayer";
inline constexpr std::string_view kMailboxContentViewCell = "MailboxContentViewCell";
inline constexpr std::string_view kMailboxTableCell = "MailboxTableCell";
inline constexpr std::string_view kMailboxPickerController = "MailboxPickerController";
inline constexpr std::string_view kMailboxListViewControllerMail = "MailboxListViewControllerMail";
inline constexpr std::string_view kMailboxContentViewController = "MailboxContentViewController";
inline constexpr std::string_view kMailAppController = "MailAppController";
inline constexpr std::string_view kMailAccount = "MailAccount";
inline constexpr std::string_view kLocalAccount = "LocalAccount";

// Mail's bundle identifier, which the plug-in's loader filter names.
inline constexpr std::string_view kMailBundleIdentifier = "com.apple.mobilemail";

namespace sel {
// Methods the mail extension replaces.
inline constexpr std::string_view kLayoutSubviews = "layoutSubviews";
inline constexpr std::string_view kInitWithFrame = "initWithFrame:";
inline constexpr std::string_view kDisplayMessageWithStyle = "displayMessage:withStyle:";
inline constexpr std::string_view kInitWithStyleReuseIdentifier = "initWithStyle:reuseIdentifier:";
inline constexpr std::string_view kSetMessageThreaded = "setMessage:threaded:";
inline constexpr std::string_view kUpdateUnreadCount = "_updateUnreadCount";
inline constexpr std::string_view kViewWillAppear = "viewWillAppear:";
inline constexpr std::string_view kViewWillDisappear = "viewWillDisappear:";
inline constexpr std::string_view kTableViewCellForRowAtIndexPath =
    "tableView:cellForRowAtIndexPath:";
inline constexpr std::string_view kUpdateTitle = "updateTitle";
inline constexpr std::string_view kApplicationDidFinishLaunching =
    "application:didFinishLaunchingWithOptions:";

// Methods the mail extension reads.
inline constexpr std::string_view kSubject = "subject";
inline constexpr std::string_view kSenders = "senders";
inline constexpr std::string_view kTo = "to";
inline constexpr std::string_view kCc = "cc";
inline constexpr std::string_view kAccount = "account";
inline constexpr std::string_view kMessage = "message";
inline constexpr std::string_view kDisplayName = "displayName";
inline constexpr std::string_view kActiveAccounts = "activeAccounts";
inline constexpr std::string_view kContentView = "contentView";
inline constexpr std::string_view kFrame = "frame";
inline constexpr std::string_view kHeaderView = "headerView";
inline constexpr std::string_view kSubjectFrame = "subjectFrame";
inline constexpr std::string_view kTableView = "tableView";
inline constexpr std::string_view kReloadData = "reloadData";
inline constexpr std::string_view kTitle = "title";
inline constexpr std::string_view kNavigationController = "navigationController";
inline constexpr std::string_view kNavigationBar = "navigationBar";
} // namespace sel

// Instance variables of MailboxTableCell.
namespace ivar {
inline constexpr std::string_view kTitleLabel = "_titleLabel";
inline constexpr std::string_view kSubtitleLabel = "_subtitleLabel";
inline constexpr std::string_view kUnreadCountLabel = "_unreadCountLabel";
inline constexpr std::string_view kIconImageView = "_iconImageView";
} // namespace ivar

// The message list controller's toolbar and quick filters, with the signatures the mail
// extension sends and replaces them with (objects as id; NSInteger is "q"):
//   viewWillAppear: void(bool)               searchDisplayControllerWillBeginSearch: void(id)
//   searchDisplayControllerWillEndSearch: void(id)   _setInEditMode:animated: void(bool, bool)
//   updateToolbarButtons, updateBarButtons void()    setSourceType: void(NSInteger)
//   setMailboxes:sourceType: void(std::vector<objc::Ref<NSObject>>, NSInteger)
//   _addSource:toSection: void(id, NSInteger)        moveButtonItem id()
//   _bulkMarkSelection:asRead: void(id, bool)        transferButtonClicked: void(id)
//   view, tableView, currentTableView: the controller's views (UIView*, UITableView*)
// Ivars _selectionModel (any object) and _moveButtonItem (a UIBarButtonItem).
inline constexpr std::string_view kThreadedMiniMallSource = "ThreadedMiniMallSource";
namespace sel {
inline constexpr std::string_view kSearchDisplayControllerWillBeginSearch =
    "searchDisplayControllerWillBeginSearch:";
inline constexpr std::string_view kSearchDisplayControllerWillEndSearch =
    "searchDisplayControllerWillEndSearch:";
inline constexpr std::string_view kSetInEditModeAnimated = "_setInEditMode:animated:";
inline constexpr std::string_view kUpdateToolbarButtons = "updateToolbarButtons";
inline constexpr std::string_view kUpdateBarButtons = "updateBarButtons";
inline constexpr std::string_view kSetSourceType = "setSourceType:";
inline constexpr std::string_view kSetMailboxesSourceType = "setMailboxes:sourceType:";
inline constexpr std::string_view kAddSourceToSection = "_addSource:toSection:";
inline constexpr std::string_view kSegmentAction = "segmentAction:";
inline constexpr std::string_view kMoveButtonMarkAsRead = "moveButtonMarkAsRead:";
inline constexpr std::string_view kReminderLongPress = "reminderLongPress:";
inline constexpr std::string_view kView = "view";
inline constexpr std::string_view kCurrentTableView = "currentTableView";
inline constexpr std::string_view kMoveButtonItem = "moveButtonItem";
inline constexpr std::string_view kBulkMarkSelectionAsRead = "_bulkMarkSelection:asRead:";
inline constexpr std::string_view kTransferButtonClicked = "transferButtonClicked:";
inline constexpr std::string_view kValueForKey = "valueForKey:";
} // namespace sel
namespace ivar {
inline constexpr std::string_view kSelectionModel = "_selectionModel";
inline constexpr std::string_view kMoveButtonItem = "_moveButtonItem";
} // namespace ivar

// Reminders from the message list, with the signatures the mail extension sends:
//   indexPathForRowAtPoint: objc::Ref<NSIndexPath>(CGPoint)   cellForRowAtIndexPath: id(id)
//   message id()   messageBody id()   messageIDHeader std::optional<std::string>()
//   preferredBodyPart id()   isHTML bool()   decodeText std::string()
// and the method the extension adds beside reminderLongPress: (void(id), "v@:@"):
//   alertView:didDismissWithButtonIndex: void(id, NSInteger), "v@:@q"
namespace sel {
inline constexpr std::string_view kIndexPathForRowAtPoint = "indexPathForRowAtPoint:";
inline constexpr std::string_view kCellForRowAtIndexPath = "cellForRowAtIndexPath:";
inline constexpr std::string_view kMessageBody = "messageBody";
inline constexpr std::string_view kMessageIDHeader = "messageIDHeader";
inline constexpr std::string_view kPreferredBodyPart = "preferredBodyPart";
inline constexpr std::string_view kIsHTML = "isHTML";
inline constexpr std::string_view kDecodeText = "decodeText";
inline constexpr std::string_view kAlertViewDidDismissWithButtonIndex =
    "alertView:didDismissWithButtonIndex:";
} // namespace sel

} // namespace tintbox::host
