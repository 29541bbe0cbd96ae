#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "output/sheets/AnswerSheetLayout.h"

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace kestrune {

// Draws one sheet on a painter whose unit is a tenth of a millimetre from the paper's corner;
// the plan's texts are left out when the caller places them itself.
void paintAnswerSheet(QPainter& painter, const SheetPlan& plan, std::optional<int> subject,
                      bool withTexts = true);

// Sets a printer to A4 portrait, the sheets' own paper, before its print dialog is shown.
void prepareAnswerSheetPrinter(QPrinter& printer);

// Every sheet of the request, in presentation order, one set per subject (subject 1's set
// first), one page each, on an open paged device (a QPrinter after its dialog, a QPdfWriter).
void printAnswerSheets(const AnswerSheetRequest& request, QPagedPaintDevice& device);

// The sheets as a vector PDF document, and the same written whole to a file.
std::string answerSheetsPdf(const AnswerSheetRequest& request);
void writeAnswerSheetsPdf(const AnswerSheetRequest& request, const std::filesystem::path& path);

}  // namespace kestrune
