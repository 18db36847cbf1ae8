// Stand-ins for what reminder creation reaches in Mail: a message list controller whose current
// table lists messages, the cells that answer their message, and messages with a subject, a
// body (plain or HTML) and a Message-ID header. They carry names of their own, so that the
// reminder methods are added to this controller class directly.
//   auto list = newReminderList({message("Lunch")});  // table of 320 x 480, rows of 44 points
#pragma once

#include "platform/uikit/UITableView.hpp"
#include "platform/uikit/UIViewController.hpp"

#include <optional>
#include <string>
#include <vector>

namespace tintbox::testing {

class ReminderBodyPart : public NSObject {
public:
    std::string decodeText() const { return text; }
    std::string text;
};

class ReminderBody : public NSObject {
public:
    bool isHTML() const { return html; }
    NSObject* preferredBodyPart() const { return part.get(); }
    objc::Ref<ReminderBodyPart> part;
    bool html{false};
};

class ReminderMessage : public NSObject {
public:
    std::optional<std::string> subject() const { return subjectText; }
    std::optional<std::string> messageIDHeader() const { return messageID; }
    NSObject* messageBody() const { return body.get(); }
    std::optional<std::string> subjectText;
    std::optional<std::string> messageID;
    objc::Ref<ReminderBody> body;
};

class ReminderCell : public UITableViewCell {
public:
    NSObject* message() const { return shown.get(); }
    objc::Ref<NSObject> shown;
};

class ReminderList : public UIViewController {
public:
    UITableView* currentTableView() const { return table.get(); }
    NSInteger numberOfRows(id tableView, NSInteger section) const;
    objc::Ref<NSObject> cellForRow(id tableView, id indexPath);
    objc::Ref<UITableView> table;
    std::vector<objc::Ref<ReminderMessage>> messages;
};

// The controller class with the reminder methods of the mail extension added.
Class reminderListClass();

objc::Ref<ReminderMessage> reminderMessage(std::optional<std::string> subject,
                                           std::string body = "", bool html = false,
                                           std::optional<std::string> messageID = std::nullopt);
objc::Ref<ReminderList> newReminderList(std::vector<objc::Ref<ReminderMessage>> messages);

} // namespace tintbox::testing
