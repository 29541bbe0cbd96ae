#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrune::cli {

// Columns a UTF-8 text takes on a terminal: East Asian wide and full-width characters take two.
int displayWidth(std::string_view text);

// Fills a paragraph into lines of at most `width` columns. Lines break at spaces and between wide
// characters, never before a closing mark such as "、" or "。" nor after an opening one; a word
// longer than the width stays whole.
std::vector<std::string> wrapParagraph(std::string_view text, int width);

// Where a line may break inside a text without spaces: after each returned byte offset. Used by
// the man page, whose formatter cannot break Japanese text by itself.
std::vector<std::size_t> wideBreakOffsets(std::string_view text);

}  // namespace kestrune::cli
