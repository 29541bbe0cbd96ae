#pragma once

#include <QString>
#include <string>
#include <vector>

namespace kestrune {

class Prompter;
class TStrGridPrinter;

// What the tables' "保存", "コピー" and "印刷" buttons share. Failures the user can cause are
// shown through the prompter.

// Writes the lines as a CP932 file with CR LF, whole; a failure leaves any old file as it was.
void writeTableFile(Prompter& prompter, const QString& fileName, const std::vector<std::string>& lines);
// The lines joined by CR LF as the clipboard's text.
void copyTableText(const std::vector<std::string>& lines);
// The print dialog, then the grid printer's pages on the chosen printer.
void printGridWithDialog(Prompter& prompter, TStrGridPrinter& gridPrinter);
// The print dialog, then the lines as plain text, new pages as needed.
void printLinesWithDialog(Prompter& prompter, const std::vector<std::string>& lines);

}  // namespace kestrune
