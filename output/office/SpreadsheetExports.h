#pragma once

#include <string>

#include "core/TextGrid.h"
#include "output/office/IndividualTabs.h"
#include "output/office/SpreadsheetModel.h"
#include "output/tables/IndividualText.h"

namespace kestrune::office {

// The three "Excel97" exports, each making one new workbook through the backend. Failures of
// a member call throw (UserError); screen updating is restored first and what was already sent
// stays in the workbook.

// The correlation matrix grid: four-decimal numbers with red negatives, |r| > 0.8 bold, the
// header row in vertical text, landscape, the sheet named after the series.
void exportCorrelationToSpreadsheet(SpreadsheetBackend& backend, const TextGrid& grid,
                                    const std::string& seriesName);

// The scale value table: three decimals from the third column on, a thin rule between image
// blocks, portrait, the sheet named after the series.
void exportScaleValuesToSpreadsheet(SpreadsheetBackend& backend, const TextGrid& grid,
                                    const std::string& seriesName);

// The individual data table: the image shown now on the active sheet, or one new sheet per
// image tab ahead of the workbook's first sheet, after which the first tab and the first
// sheet are selected again.
// A table of the statistics sub-page as it is, on one portrait sheet named after its caption.
void exportStatisticsToSpreadsheet(SpreadsheetBackend& backend, const TextGrid& grid,
                                   const std::string& caption);

void exportIndividualToSpreadsheet(SpreadsheetBackend& backend, IndividualImageTabs& tabs,
                                   IndividualScope scope);

inline constexpr const char* kCorrelationNumberFormat = "0.0000_ ;[赤]-0.0000 ";
inline constexpr const char* kScaleValueNumberFormat = "0.000";
inline constexpr const char* kSheetNameHeader = "&A";

}  // namespace kestrune::office
