// What the Mail screens show of a message, read through the runtime as the host's own views
// read it (subject, senders, to, cc, dateSent, isRead, isFlagged, messageBody), so any object
// that answers those selectors can be shown. Dates are shown in UTC so pictures are stable.
//   auto shown = tintbox::sim::mail::readMessageDisplay(message);  shown.sender == "Ada Lovelace"
#pragma once

#include "platform/objc/objc.hpp"

#include <cstddef>
#include <string>
#include <vector>

namespace tintbox::sim::mail {

struct MessageDisplay {
    std::string sender; // the first sender's name, else its address
    std::string from;   // every sender, as written ("Name <address>")
    std::vector<std::string> to;
    std::vector<std::string> cc;
    std::string subject;
    double dateSent{0}; // seconds since 2001-01-01
    bool read{true};
    bool flagged{false};
};

MessageDisplay readMessageDisplay(id message);
// The body as plain text: the preferred part, HTML turned into text; empty without a body.
std::string readBodyText(id message);

// The body's one-line preview, at most maxCharacters long: the message's own previewText when
// it has one (cached, so the body is not read), else made from readBodyText.
std::string readPreviewText(id message, std::size_t maxCharacters);

// "Ada Lovelace <ada@x>" -> "Ada Lovelace"; "<ada@x>" or "ada@x" -> "ada@x".
std::string personalName(const std::string& address);
// "12 Mar 2025" for a row, "Wed, 12 Mar 2025 14:05" for a message header.
std::string shortDate(double secondsSinceReferenceDate);
std::string longDate(double secondsSinceReferenceDate);

} // namespace tintbox::sim::mail
