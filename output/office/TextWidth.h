#pragma once

#include <string_view>

namespace kestrune::office {

// The width of a text in half-width character cells: full-width and wide characters (kanji,
// kana, full-width forms) count two, everything else one. What the computed column widths
// of the workbook and the document rest on.
int displayWidth(std::string_view utf8);

// The widest single character of a text (1 or 2; 0 for an empty text): the width of a
// column of stacked vertical text.
int widestCharacter(std::string_view utf8);

// The number of characters (code points) of a text.
int characterCount(std::string_view utf8);

}  // namespace kestrune::office
