// Runs of base64 encoded words (RFC 2047) rewritten so that GMime reads all of their text.
// GMime 3.2 decodes adjacent base64 words of one charset as one base64 text, so the padding of
// any word but the last ends it and the rest is lost ("=?UTF-8?B?SGVsbA==?=
// =?UTF-8?B?byB3b3JsZA==?=" reads "Hell"); senders also split a character over two words and leave
// out padding. Each run becomes one correctly padded word.
//   std::string block = withBase64WordsJoined(headerBlock);
#pragma once

#include <string>
#include <string_view>

namespace tintbox::sim::mail {

// The header text with every run of adjacent base64 encoded words of one charset (blanks and
// folds between them, which RFC 2047 ignores) joined into one word; other text as it was.
std::string withBase64WordsJoined(std::string_view headers);

} // namespace tintbox::sim::mail
