// How many terminal columns a text takes: East Asian wide and full-width characters and emoji
// take two, combining marks and other zero-width characters none, so that columns line up.
//   padToWidth("李小龙", 10)  -> "李小龙    " (6 columns of text, 4 spaces)
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tintbox::cli {

std::size_t displayWidth(std::string_view utf8);
// The text cut to at most `columns` columns, with "…" in place of what is cut.
std::string fitToWidth(std::string_view utf8, std::size_t columns);
// The text followed by spaces up to `columns` columns (unchanged when it is already wider).
std::string padToWidth(std::string text, std::size_t columns);

} // namespace tintbox::cli
