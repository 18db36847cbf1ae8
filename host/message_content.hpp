// Typed wrappers for making a reminder from a row of Mail's message list: the row under a
// point of the list's table, the message of a row's cell, and what a reminder takes from the
// message (subject, body text and whether it is HTML, Message-ID header). A nil receiver gives
// empty results, as a message to nil does.
//   id cell = host::cellAtPoint(table, point);
//   host::MessageContent content = host::messageContent(host::messageOfCell(cell));
#pragma once

#include "platform/objc/objc.hpp"
#include "platform/quartz/geometry.hpp"

#include <optional>
#include <string>

class UITableView;

namespace tintbox::host {

// The cell of the row under the point (in the table's coordinates); nil when no row is there.
id cellAtPoint(UITableView* table, CGPoint point);
// The message a message list cell shows.
id messageOfCell(id cell);

struct MessageContent {
    std::optional<std::string> subject;
    // The decoded text of the body's preferred part (HTML markup as it stands); empty
    // without a body.
    std::string bodyText;
    bool bodyIsHTML{false};
    std::optional<std::string> messageIDHeader;
};

MessageContent messageContent(id message);

} // namespace tintbox::host
