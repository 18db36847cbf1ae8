// Readable plain text from an HTML body, for showing a message: block elements end lines,
// scripts and styles are dropped, runs of blanks fold to one space, entities are decoded.
// Forgiving of broken markup (libxml2's HTML parser).
//   std::string text = tintbox::sim::mail::plainTextFromHTML("<p>Hi&nbsp;<b>Ada</b></p>");
#pragma once

#include <string>
#include <string_view>

namespace tintbox::sim::mail {

std::string plainTextFromHTML(std::string_view html);

// The first line-free `maxCharacters` characters of a text (whole UTF-8 characters), for a
// row's preview; blanks and line breaks fold to single spaces.
std::string snippetOf(std::string_view text, std::size_t maxCharacters);

} // namespace tintbox::sim::mail
