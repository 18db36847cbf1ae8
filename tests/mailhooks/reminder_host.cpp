#include "tests/mailhooks/reminder_host.hpp"

#include "mailhooks/reminders.hpp"

namespace tintbox::testing {

NSInteger ReminderList::numberOfRows(id, NSInteger) const {
    return static_cast<NSInteger>(messages.size());
}

objc::Ref<NSObject> ReminderList::cellForRow(id, id indexPath) {
    auto cell = UITableViewCell::withStyle<ReminderCell>(UITableViewCellStyleDefault, "Row");
    const auto row = static_cast<std::size_t>(dynamic_cast<NSIndexPath&>(*indexPath).row());
    cell->shown = messages.at(row);
    return cell;
}

Class reminderListClass() {
    static const Class cls = [] {
        UITableView::registerRuntimeClass();
        UIViewController::registerRuntimeClass();
        objc::ClassBuilder<ReminderBodyPart>("ReminderTestBodyPart")
            .method<&ReminderBodyPart::decodeText>("decodeText");
        objc::ClassBuilder<ReminderBody>("ReminderTestBody")
            .method<&ReminderBody::isHTML>("isHTML")
            .method<&ReminderBody::preferredBodyPart>("preferredBodyPart");
        objc::ClassBuilder<ReminderMessage>("ReminderTestMessage")
            .method<&ReminderMessage::subject>("subject")
            .method<&ReminderMessage::messageIDHeader>("messageIDHeader")
            .method<&ReminderMessage::messageBody>("messageBody");
        objc::ClassBuilder<ReminderCell, UITableViewCell>("ReminderTestCell")
            .method<&ReminderCell::message>("message");
        const Class list =
            objc::ClassBuilder<ReminderList, UIViewController>("ReminderTestList")
                .method<&ReminderList::currentTableView>("currentTableView")
                .method<&ReminderList::numberOfRows>("tableView:numberOfRowsInSection:")
                .method<&ReminderList::cellForRow>("tableView:cellForRowAtIndexPath:");
        mailhooks::installReminderHooks(list);
        return list;
    }();
    return cls;
}

objc::Ref<ReminderMessage> reminderMessage(std::optional<std::string> subject, std::string body,
                                           bool html, std::optional<std::string> messageID) {
    reminderListClass();
    auto message = objc::make<ReminderMessage>();
    message->subjectText = std::move(subject);
    message->messageID = std::move(messageID);
    message->body = objc::make<ReminderBody>();
    message->body->html = html;
    message->body->part = objc::make<ReminderBodyPart>();
    message->body->part->text = std::move(body);
    return message;
}

objc::Ref<ReminderList> newReminderList(std::vector<objc::Ref<ReminderMessage>> messages) {
    reminderListClass();
    auto list = objc::make<ReminderList>();
    list->messages = std::move(messages);
    list->table = UITableView::withFrameAndStyle(CGRectMake(0, 0, 320, 480), UITableViewStylePlain);
    list->table->setDataSource(list.get());
    list->table->reloadData();
    list->table->layoutIfNeeded();
    return list;
}

} // namespace tintbox::testing
