#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "analysis/statistics/FileStatistics.h"
#include "core/TextGrid.h"

namespace kestrune::statistics {

// The tables of the statistics sub-page, in the order of its chooser.
enum class StatisticsTable { Consistency, Agreement, Thurstone, BradleyTerry, OrderEffect };
inline constexpr int kStatisticsTableCount = 5;
std::string_view statisticsCaption(StatisticsTable table);

// One table as the sub-page shows it: numbers with four decimals, "-" where a value does not
// exist, a note row where a statement replaces numbers. `image` is 1-based; the summary over
// images puts one row per image (or per subject for the consistency).
TextGrid imageStatisticsGrid(const FileStatistics& stats, StatisticsTable table, int image);
TextGrid summaryStatisticsGrid(const FileStatistics& stats, StatisticsTable table);

// Rows of text as a table of the sub-page, its columns wide enough for the Japanese headings.
TextGrid statisticsGrid(const std::vector<std::vector<std::string>>& rows);

}  // namespace kestrune::statistics
