// What a reminder made from a message says: its title (the subject cut to the subject limit,
// behind the prefix), its notes (the body as plain text cut to the body limit, behind a link
// to the message) and that link. Limits count UTF-16 code units, as the platform's strings do,
// and never split a character; a limit below 1 means no cut. Reads no host object and no
// settings: the caller hands both in.
//   ReminderContent content = reminderContent(host::messageContent(message), limits);
#pragma once

#include "host/message_content.hpp"
#include "platform/foundation/value.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace tintbox::mailhooks {

struct ReminderLimits {
    std::int32_t subjectLimit{0};
    std::int32_t bodyLimit{0};
    bool includeEmailLink{false};
    // The settings' reminderPrefix entry, when there is one.
    const foundation::Value* prefix{nullptr};
};

struct ReminderContent {
    std::string title;
    std::string notes;
    std::optional<std::string> url; // "message://" and the escaped Message-ID
};

// The first `limit` UTF-16 code units of the text (whole characters only); all of it when
// the limit is below 1 or the text is not longer.
std::string cutToLimit(std::string text, std::int32_t limit);

// The body as plain text: HTML is read by the platform's attributed-string HTML import.
std::string plainBodyText(const host::MessageContent& message);

ReminderContent reminderContent(const host::MessageContent& message, const ReminderLimits& limits);

// The due date of a date picker's date: cut to the whole minute below.
double dueDateSeconds(double pickerSeconds);

} // namespace tintbox::mailhooks
