// The plain text of an HTML document, as the platform's attributed-string HTML import reads it:
// block elements and line breaks end lines, scripts and styles are dropped, runs of blanks fold
// to one space, entities are decoded. Forgiving of broken markup (libxml2's HTML parser).
//   std::string text = uikit::plainTextFromHTML("<p>Hi&nbsp;<b>Ada</b></p>");
#pragma once

#include <string>
#include <string_view>

namespace uikit {

std::string plainTextFromHTML(std::string_view html);

} // namespace uikit
