// A short preview of a message's text for a row of the message list.
//   std::string preview = tintbox::sim::mail::snippetOf(body, 80);
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tintbox::sim::mail {

// The first line-free `maxCharacters` characters of a text (whole UTF-8 characters), for a
// row's preview; blanks and line breaks fold to single spaces.
std::string snippetOf(std::string_view text, std::size_t maxCharacters);

} // namespace tintbox::sim::mail
