// The plain text of an HTML document, as the platform's attributed-string HTML import reads it:
// paragraphs and other blocks stand apart by an empty line; list items, table rows and <br> end
// lines; table cells of a row are separated by tabs; <pre> keeps its blanks and line breaks;
// elsewhere runs of blanks fold to one space; scripts and styles are dropped; entities are
// decoded. Forgiving of broken markup (libxml2's HTML parser).
//   std::string text = uikit::plainTextFromHTML("<p>Hi&nbsp;<b>Ada</b></p>");
#pragma once

#include <string>
#include <string_view>

namespace uikit {

std::string plainTextFromHTML(std::string_view html);

} // namespace uikit
