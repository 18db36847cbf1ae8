// The message list as compact JSON for scripts: one object per row, written as each row is
// filled, so that a long list starts arriving at once and is never held whole.
//   {"rows":[
//   {"message":"Work/INBOX/1","account":"Work","mailbox":"INBOX","from":"Ann <a@x>",
//    "to":[...],"cc":[...],"subject":"...","date":"2024-05-01T09:30:00Z","unread":true,
//    "flagged":false,"bands":{"account":{"colours":["#1565C0"],"alpha":0.25,"frame":[x,y,w,h]},
//    "filter":null}}
//   ]}
#pragma once

#include <ostream>

class MailboxContentViewController;

namespace tintbox::cli {

// With oneLine, the whole list is one line (a watched list prints one line per drawing).
void writeMessageRows(MailboxContentViewController& list, std::ostream& out, bool oneLine);

} // namespace tintbox::cli
