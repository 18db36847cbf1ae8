#include "mailhooks/reminder_content.hpp"

#include "platform/foundation/percent_escapes.hpp"
#include "platform/foundation/utf16.hpp"
#include "platform/uikit/NSAttributedString.hpp"

#include <cmath>

namespace tintbox::mailhooks {

std::string cutToLimit(std::string text, std::int32_t limit) {
    if (limit < 1 || foundation::utf16Length(text) <= static_cast<std::size_t>(limit))
        return text;
    return foundation::utf16Prefix(text, static_cast<std::size_t>(limit));
}

std::string plainBodyText(const host::MessageContent& message) {
    if (!message.bodyIsHTML)
        return message.bodyText;
    const auto text = NSAttributedString::withData(
        message.bodyText, {{NSDocumentTypeDocumentOption, NSHTMLTextDocumentType},
                           {NSCharacterEncodingDocumentOption, NSUTF8StringEncoding}});
    return text ? text->string() : std::string();
}

ReminderContent reminderContent(const host::MessageContent& message, const ReminderLimits& limits) {
    ReminderContent content;
    content.title = cutToLimit(message.subject.value_or(""), limits.subjectLimit);
    if (limits.prefix)
        content.title = foundation::descriptionOf(*limits.prefix) + content.title;

    const std::string body = cutToLimit(plainBodyText(message), limits.bodyLimit);
    content.notes = body;
    if (limits.includeEmailLink && message.messageIDHeader) {
        const std::string link =
            "message://" + foundation::stringByAddingPercentEscapes(*message.messageIDHeader);
        content.url = link;
        content.notes = link + "\n\n" + body;
    }
    return content;
}

double dueDateSeconds(double pickerSeconds) {
    return std::floor(pickerSeconds / 60.0) * 60.0;
}

} // namespace tintbox::mailhooks
