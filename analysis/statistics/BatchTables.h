#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/statistics/FileStatistics.h"
#include "core/TextGrid.h"

namespace kestrune::statistics {

// The batch program's tables: one header row naming the columns, then one row per record;
// counts as whole numbers, other numbers with six decimals, "NA" where a value does not exist.
inline constexpr std::string_view kMissing = "NA";
inline constexpr std::string_view kOverallLabel = "全体";

// A batch table of a header and rows, and its two kinds of number.
TextGrid batchGrid(const std::vector<std::string>& header, const std::vector<std::vector<std::string>>& rows);
std::string batchReal(double value);
std::string batchReal(const std::optional<double>& value);

// subject, image, d, dmax, zeta, p — per subject within each image.
TextGrid consistencyBatchTable(const FileStatistics& stats);
// image, u, chisq, df, p — per image.
TextGrid agreementBatchTable(const FileStatistics& stats);
// image, panel, logworth, se, lower, upper, deviance, df — per image and panel.
TextGrid bradleyTerryBatchTable(const FileStatistics& stats);
// image, panel, scale, chisq, df — per image and panel.
TextGrid thurstoneBatchTable(const FileStatistics& stats);
// image, chose_a, answers, share, binom_p, order_effect, se, lr_chisq, p — per image, then "全体".
TextGrid orderBiasBatchTable(const FileStatistics& stats);
// subject — the screened subjects.
TextGrid screeningBatchTable(const Screening& screening);

}  // namespace kestrune::statistics
