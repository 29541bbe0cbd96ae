#pragma once

class QWidget;

namespace kestrune {

class Picture;
class Prompter;
struct FigureMargins;

// What a figure's "保存", "印刷" and "コピー" buttons do, for the number line window and the
// correlation diagram page alike. Failures the user can cause are shown through the prompter.

// The save dialog offers "Enhanced MetaFile", "Windows Bitmap", then PNG, SVG and PDF; the
// format follows the file type chosen, not the typed extension. Cancel does nothing.
void saveFigureWithDialog(Prompter& prompter, const Picture& picture);
// The print dialog, then the figure as the largest square inside the margins on one page.
void printFigureWithDialog(Prompter& prompter, const Picture& picture, const FigureMargins& margins);
// The picture on the clipboard in the forms the office suite pastes.
void copyFigureToClipboard(const Picture& picture);

}  // namespace kestrune
