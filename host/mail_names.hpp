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

} // namespace tintbox::host
