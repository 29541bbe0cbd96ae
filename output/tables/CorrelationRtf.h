#pragma once

#include <string>

#include "core/TextGrid.h"

namespace kestrune {

// The correlation rich text as a Rich Text Format document (plain ASCII bytes): the matrix's
// tab lines as paragraphs in ＭＳ Ｐゴシック 9 points, black and plain, with the characters of
// every value cell (column ≥ 1, row ≥ 1) bold and/or red by their emphasis; the first field and
// the TABs stay plain. Japanese text is written both as Unicode (\uN) and, for readers that
// skip it, as its CP932 bytes (\'hh), with the font's character set 128 and code page 932.
std::string correlationRtf(const TextGrid& grid);

}  // namespace kestrune
