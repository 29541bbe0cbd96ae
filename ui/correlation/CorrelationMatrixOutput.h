#pragma once

#include <QFont>
#include <string>

namespace kestrune {

class Prompter;
class TextGrid;

// What the correlation matrix page's "保存", "コピー" and "印刷" buttons do with the grid.

// The save dialog with "書式付きテキスト(RTF)", "HTML文書" and "テキストのみ", in that order,
// "rtf" by default; the file type chosen decides what is written. Cancel does nothing.
void saveCorrelationMatrixWithDialog(Prompter& prompter, const TextGrid& grid, const std::string& seriesName);

// The rich text and the plain tab lines on the clipboard together, in the forms a word
// processor on this desktop pastes with bold and red kept.
void copyCorrelationMatrixToClipboard(const TextGrid& grid);

// What the printed matrix needs beyond the grid: the font it is shown in, the screen
// resolution its sizes are measured in, and the page header text.
struct MatrixPrintLook {
    QFont font;
    int screenDpiX = 96;
    int screenDpiY = 96;
    std::string header;
};

// The print dialog, then the grid with the grid printer (top margin 20 mm), the header 10 mm
// right of and below the printable origin, and "- n -" 80 mm right of it below each page's table.
void printCorrelationMatrixWithDialog(Prompter& prompter, const TextGrid& grid, const MatrixPrintLook& look);

}  // namespace kestrune
