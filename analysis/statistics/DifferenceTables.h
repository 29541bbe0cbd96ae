#pragma once

#include "analysis/statistics/FileDifferences.h"
#include "core/TextGrid.h"

namespace kestrune::statistics {

// The batch program's tables of the tests of difference, with the conventions of BatchTables.h.
// image, D, df, p, lr, lr_p — per image.
TextGrid differenceBatchTable(const FileDifferences& stats);
// image, panel_i, panel_j, wins_i, wins_j, diff, critical, different — per image and pair i < j.
TextGrid pairDifferenceBatchTable(const FileDifferences& stats);
// image, panel, wins, score, letters — per image, panels by descending wins.
TextGrid letterBatchTable(const FileDifferences& stats);
// image, panel, score, sd, n, lower, upper — score and sd with three decimals as the scale
// value table shows them.
TextGrid scoreIntervalBatchTable(const FileDifferences& stats);
// image, panel_i, panel_j, p — per image and ordered pair i ≠ j.
TextGrid winProbabilityBatchTable(const FileDifferences& stats);
// image, lambda1, subjects, power — per image.
TextGrid samplePlanBatchTable(const FileDifferences& stats);
// image, lr, df, p — per image.
TextGrid groupComparisonBatchTable(const FileGroupComparison& comparison);

// The same as the statistics sub-page shows them: four decimals, "-" for a missing value and
// its reason in a "備考" column or a note row. `image` is 1-based; 0 puts every image in one table.
enum class DifferenceTable { Differences, PairDifferences, ScoreIntervals, WinProbabilities, SamplePlan };
TextGrid differenceGrid(const FileDifferences& stats, DifferenceTable table, int image);
TextGrid groupComparisonGrid(const FileGroupComparison& comparison, int image);

}  // namespace kestrune::statistics
