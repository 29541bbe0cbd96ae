#pragma once

#include "core/Picture.h"
#include "core/TextGrid.h"
#include "output/office/PictureClipboard.h"
#include "output/office/WordModel.h"

namespace kestrune::office {

// The "Word97" exports, each making one new document through the backend. Failures of a
// member call throw (UserError); screen updating is restored first and what was already sent
// stays in the document.

// The correlation matrix grid as a landscape table: |r| > 0.8 bold, negatives red, the header
// cells right of the corner in vertical text, rules at top, under the header and at the
// bottom, and right of the name column.
void exportCorrelationToWordProcessor(WordBackend& backend, const TextGrid& grid);

// The scale value table as a landscape table with the same rules, one more right of the
// statistic names and a thin rule between image blocks.
void exportScaleValuesToWordProcessor(WordBackend& backend, const TextGrid& grid);

// A figure pasted through the clipboard into a new document, as wide as the text area, at
// the top-left corner of the text area of the first page.
enum class FigureSource { CorrelationDiagram, NumberLine };
// A table of the statistics sub-page as it is, ruled at its head and foot.
void exportStatisticsToWordProcessor(WordBackend& backend, const TextGrid& grid);

void exportPictureToWordProcessor(WordBackend& backend, PictureClipboard& clipboard, const Picture& picture,
                                  FigureSource source);

}  // namespace kestrune::office
