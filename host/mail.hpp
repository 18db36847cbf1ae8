// Typed wrappers over the Mail app's private methods: each sends one message through the runtime
// with the host's signature and hands back a plain value or a platform object. A nil receiver
// gives an empty result, as a message to nil does on the platform.
//   auto subject = host::subject(message);   UIView* content = host::contentView(cell);
#pragma once

#include "platform/objc/objc.hpp"
#include "platform/quartz/geometry.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class UIView;
class UILabel;
class UIImageView;
class UITableView;
class UINavigationBar;

namespace tintbox::host {

// A message: its decoded subject and its address lists ("Name <address>"), each nil when absent.
std::optional<std::string> subject(id message);
std::optional<std::vector<std::string>> senders(id message);
std::optional<std::vector<std::string>> toAddresses(id message);
std::optional<std::vector<std::string>> ccAddresses(id message);
// The account object the message belongs to, and that account's display name (nil without one).
id account(id message);
std::string displayName(id account);
std::optional<std::string> accountDisplayName(id message);
// The message of an open message's viewing object.
id messageOfViewingObject(id viewingObject);

// The device's accounts (MailAccount activeAccounts), in the accounts file's order; empty when
// the host has no account class.
std::vector<objc::Ref<NSObject>> activeAccounts();
// True for a LocalAccount or one of its subclasses.
bool isLocalAccount(id account);

// A table cell's content view and a view's frame.
UIView* contentView(id cell);
CGRect frame(id view);

// The open message's header view and the subject line's rectangle in the content layer.
UIView* headerView(id contentLayer);
CGRect subjectFrame(id header);

// An object-holding instance variable of the receiver's class by name; nil when the class has
// none or it is not of the type asked for.
id ivarObject(id object, std::string_view name);
UILabel* ivarLabel(id object, std::string_view name);
UIImageView* ivarImageView(id object, std::string_view name);

// A controller's table view, title and (through its navigation controller) navigation bar.
UITableView* tableView(id controller);
// Sends reloadData to the controller's table view.
void reloadTableView(id controller);
std::string title(id controller);
UINavigationBar* navigationBar(id controller);

} // namespace tintbox::host
