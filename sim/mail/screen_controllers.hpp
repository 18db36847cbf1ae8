// The controllers of the Mail app's pushed screens, made as the app makes them when a person
// taps a mailbox or a message: the message list of a mailbox row, and the open message (a
// content layer filling the area under the bars, titled with the subject).
#pragma once

#include "platform/objc/objc.hpp"
#include "platform/quartz/geometry.hpp"

#include <string>
#include <vector>

class MailMessage;
class MailboxContentViewController;
class UIViewController;

namespace tintbox::sim::mail {

// Lists the messages of `mailboxes` (source type as setMailboxes:sourceType: takes it).
objc::Ref<MailboxContentViewController>
makeMessageListController(std::vector<objc::Ref<NSObject>> mailboxes, const std::string& title,
                          NSInteger sourceType = 0);

// The open message, its content layer `size` points big (the screen under its bars). A
// scrolling controller shows the layer in a scroll view as tall as the message needs, as the
// app does on the device; otherwise the layer is the controller's view.
objc::Ref<UIViewController> makeMessageController(MailMessage& message, CGSize size,
                                                  bool scrolling = false);

} // namespace tintbox::sim::mail
