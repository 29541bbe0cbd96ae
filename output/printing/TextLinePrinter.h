#pragma once

#include <string>
#include <vector>

class QPagedPaintDevice;

namespace kestrune {

// Margins of the plain text printout on every side, in millimetres.
inline constexpr int kTextLineMargin = 15;

inline constexpr const char* kCannotContinuePrinting = "印刷を続けられません。";

// Prints UTF-8 text lines on an open device (a QPrinter after the print dialog, or a
// QPdfWriter), one printed line per text line in the device's default font, TAB characters
// advanced to the next tab stop, starting a new page whenever a page is full. Lines wider
// than the page are cut at the right margin. No lines print nothing. A device that cannot be
// painted on, or refuses a new page, throws UserError.
void printTextLines(QPagedPaintDevice& device, const std::vector<std::string>& lines);

// How many lines printTextLines puts on one page of the device (at least one).
int textLinesPerPage(QPagedPaintDevice& device);

}  // namespace kestrune
