#include "analysis/statistics/DifferenceTables.h"

#include "analysis/AnalysisGrids.h"
#include "analysis/NumberText.h"
#include "analysis/statistics/BatchTables.h"
#include "analysis/statistics/StatisticsGrids.h"

namespace kestrune::statistics {

namespace {

using Row = std::vector<std::string>;

std::string whole(long long value) {
    return std::to_string(value);
}
std::string wholeOrMissing(const std::optional<long long>& value) {
    return value ? whole(*value) : std::string(kMissing);
}
std::string threeDecimals(double value) {
    return fixedText(value, 3);
}

// The sub-page's numbers.
std::string shown(double value) {
    return fixedText(value, 4);
}
std::string shown(const std::optional<double>& value) {
    return value ? shown(*value) : std::string(kNotComputed);
}

std::vector<const ImageDifferences*> chosenImages(const FileDifferences& stats, int image) {
    std::vector<const ImageDifferences*> images;
    for (int m = 1; m <= static_cast<int>(stats.images.size()); ++m)
        if (image == 0 || image == m)
            images.push_back(&stats.images[m - 1]);
    return images;
}

std::string joinedReasons(const std::string& first, const std::string& second) {
    if (first.empty() || first == second)
        return second;
    return second.empty() ? first : first + " / " + second;
}

TextGrid differencesGrid(const FileDifferences& stats, int image) {
    if (image == 0) {
        Row header{"イメージ", "デビッドの D", "自由度", "確率", "尤度比", "確率"};
        for (int k = 1; k <= stats.panels; ++k)
            header.push_back("パネル" + std::to_string(k) + "の文字");
        header.push_back("備考");
        std::vector<Row> rows{header};
        for (const ImageDifferences& one : stats.images) {
            const DifferenceTest& t = one.test;
            Row row{one.word,
                    shown(t.david),
                    whole(t.degrees),
                    shown(t.davidProbability),
                    shown(t.likelihoodRatio),
                    shown(t.likelihoodRatioProbability)};
            for (int k = 1; k <= stats.panels; ++k)
                row.push_back(one.range.applies() ? one.range.letters[k - 1] : std::string(kNotComputed));
            row.push_back(joinedReasons(t.davidReason, t.likelihoodRatioReason));
            rows.push_back(row);
        }
        return statisticsGrid(rows);
    }
    const ImageDifferences& one = stats.images.at(image - 1);
    const DifferenceTest& t = one.test;
    std::vector<Row> rows{
        {"検定", "統計量", "自由度", "確率", "備考"},
        {"デビッドの検定", shown(t.david), whole(t.degrees), shown(t.davidProbability), t.davidReason},
        {"尤度比検定", shown(t.likelihoodRatio), whole(t.degrees), shown(t.likelihoodRatioProbability),
         t.likelihoodRatioReason},
        {},
        {"パネル", "勝ち数", "得点", "文字"}};
    for (int k : one.range.ranking) {
        rows.push_back({whole(k), whole(one.range.wins[k - 1]), threeDecimals(one.intervals[k - 1].score),
                        one.range.applies() ? one.range.letters[k - 1] : std::string(kNotComputed)});
    }
    if (!one.range.applies())
        rows.push_back({one.range.reason});
    else
        rows.push_back({"同じ文字のパネルの間には有意水準 " + fixedText(stats.settings.alpha * 100, 1) +
                        " % で差がありません"});
    return statisticsGrid(rows);
}

TextGrid pairsGrid(const FileDifferences& stats, int image) {
    std::vector<Row> rows{{"イメージ", "パネルi", "パネルj", "勝ち数i", "勝ち数j", "差", "限界値", "判定"}};
    for (const ImageDifferences* one : chosenImages(stats, image)) {
        const RangeTest& range = one->range;
        if (!range.applies()) {
            rows.push_back({one->word, kNotComputed.data(), kNotComputed.data(), kNotComputed.data(),
                            kNotComputed.data(), kNotComputed.data(), kNotComputed.data(), range.reason});
            continue;
        }
        for (const PanelComparison& p : range.pairs)
            rows.push_back({one->word, whole(p.i), whole(p.j), whole(p.winsI), whole(p.winsJ),
                            whole(std::abs(p.winsI - p.winsJ)), shown(range.critical),
                            p.different ? "差あり" : ""});
    }
    return statisticsGrid(rows);
}

TextGrid intervalsGrid(const FileDifferences& stats, int image) {
    const std::string percent = fixedText(stats.settings.confidence * 100, 1);
    std::vector<Row> rows{
        {"イメージ", "パネル", "得点", "標準偏差", "被験者数", percent + "%下限", percent + "%上限", "備考"}};
    for (const ImageDifferences* one : chosenImages(stats, image)) {
        for (std::size_t k = 0; k < one->intervals.size(); ++k) {
            const ScoreInterval& s = one->intervals[k];
            rows.push_back({one->word, whole(static_cast<long long>(k) + 1), threeDecimals(s.score),
                            s.deviation ? threeDecimals(*s.deviation) : std::string(kNotComputed),
                            whole(s.subjects), shown(s.lower), shown(s.upper), s.reason});
        }
    }
    return statisticsGrid(rows);
}

TextGrid winningGrid(const FileDifferences& stats, int image) {
    std::vector<Row> rows;
    for (const ImageDifferences* one : chosenImages(stats, image)) {
        if (!rows.empty())
            rows.push_back({});
        Row header{one->word};
        for (int j = 1; j <= stats.panels; ++j)
            header.push_back("パネル" + std::to_string(j) + "に");
        rows.push_back(header);
        if (!one->winning.reason.empty()) {
            rows.push_back({one->winning.reason});
            continue;
        }
        for (int i = 1; i <= stats.panels; ++i) {
            Row row{"パネル" + std::to_string(i) + "が勝つ"};
            for (int j = 1; j <= stats.panels; ++j)
                row.push_back(i == j ? std::string(kNotComputed) : shown(one->winning.at(i, j)));
            rows.push_back(row);
        }
    }
    return statisticsGrid(rows);
}

TextGrid planGrid(const FileDifferences& stats, int image) {
    std::vector<Row> rows{{"イメージ", "1人あたりの非心度", "必要な被験者数", "その検出力", "備考"}};
    for (const ImageDifferences* one : chosenImages(stats, image)) {
        const SamplePlan& plan = one->plan;
        rows.push_back({one->word, shown(plan.lambda1),
                        plan.subjects ? whole(*plan.subjects) : std::string(kNotComputed), shown(plan.power),
                        plan.reason});
    }
    rows.push_back({"有意水準 " + fixedText(stats.settings.alpha * 100, 1) + " %、目標の検出力 " +
                    fixedText(stats.settings.power * 100, 1) + " % のデビッドの検定"});
    return statisticsGrid(rows);
}

}  // namespace

TextGrid differenceBatchTable(const FileDifferences& stats) {
    std::vector<Row> rows;
    for (const ImageDifferences& one : stats.images) {
        const DifferenceTest& t = one.test;
        rows.push_back({one.word, batchReal(t.david), whole(t.degrees), batchReal(t.davidProbability),
                        batchReal(t.likelihoodRatio), batchReal(t.likelihoodRatioProbability)});
    }
    return batchGrid({"image", "D", "df", "p", "lr", "lr_p"}, rows);
}

TextGrid pairDifferenceBatchTable(const FileDifferences& stats) {
    std::vector<Row> rows;
    for (const ImageDifferences& one : stats.images) {
        const RangeTest& range = one.range;
        const int t = stats.panels;
        for (int i = 1; i <= t; ++i) {
            for (int j = i + 1; j <= t; ++j) {
                Row row{one.word,
                        whole(i),
                        whole(j),
                        whole(range.wins[i - 1]),
                        whole(range.wins[j - 1]),
                        whole(std::abs(range.wins[i - 1] - range.wins[j - 1]))};
                if (range.applies()) {
                    const bool different = std::abs(range.wins[i - 1] - range.wins[j - 1]) >= range.critical;
                    row.insert(row.end(), {batchReal(range.critical), different ? "yes" : "no"});
                } else {
                    row.insert(row.end(), 2, std::string(kMissing));
                }
                rows.push_back(row);
            }
        }
    }
    return batchGrid({"image", "panel_i", "panel_j", "wins_i", "wins_j", "diff", "critical", "different"},
                     rows);
}

TextGrid letterBatchTable(const FileDifferences& stats) {
    std::vector<Row> rows;
    for (const ImageDifferences& one : stats.images) {
        for (int k : one.range.ranking)
            rows.push_back({one.word, whole(k), whole(one.range.wins[k - 1]),
                            threeDecimals(one.intervals[k - 1].score),
                            one.range.applies() ? one.range.letters[k - 1] : std::string(kMissing)});
    }
    return batchGrid({"image", "panel", "wins", "score", "letters"}, rows);
}

TextGrid scoreIntervalBatchTable(const FileDifferences& stats) {
    std::vector<Row> rows;
    for (const ImageDifferences& one : stats.images) {
        for (std::size_t k = 0; k < one.intervals.size(); ++k) {
            const ScoreInterval& s = one.intervals[k];
            rows.push_back({one.word, whole(static_cast<long long>(k) + 1), threeDecimals(s.score),
                            s.deviation ? threeDecimals(*s.deviation) : std::string(kMissing),
                            whole(s.subjects), batchReal(s.lower), batchReal(s.upper)});
        }
    }
    return batchGrid({"image", "panel", "score", "sd", "n", "lower", "upper"}, rows);
}

TextGrid winProbabilityBatchTable(const FileDifferences& stats) {
    std::vector<Row> rows;
    for (const ImageDifferences& one : stats.images) {
        for (int i = 1; i <= stats.panels; ++i)
            for (int j = 1; j <= stats.panels; ++j)
                if (i != j)
                    rows.push_back({one.word, whole(i), whole(j),
                                    one.winning.reason.empty() ? batchReal(one.winning.at(i, j))
                                                               : std::string(kMissing)});
    }
    return batchGrid({"image", "panel_i", "panel_j", "p"}, rows);
}

TextGrid samplePlanBatchTable(const FileDifferences& stats) {
    std::vector<Row> rows;
    for (const ImageDifferences& one : stats.images)
        rows.push_back({one.word, batchReal(one.plan.lambda1), wholeOrMissing(one.plan.subjects),
                        batchReal(one.plan.power)});
    return batchGrid({"image", "lambda1", "subjects", "power"}, rows);
}

TextGrid groupComparisonBatchTable(const FileGroupComparison& comparison) {
    std::vector<Row> rows;
    for (const ImageGroupComparison& one : comparison.images)
        rows.push_back({one.word, batchReal(one.comparison.likelihoodRatio), whole(one.comparison.degrees),
                        batchReal(one.comparison.probability)});
    return batchGrid({"image", "lr", "df", "p"}, rows);
}

TextGrid differenceGrid(const FileDifferences& stats, DifferenceTable table, int image) {
    switch (table) {
        case DifferenceTable::Differences:
            return differencesGrid(stats, image);
        case DifferenceTable::PairDifferences:
            return pairsGrid(stats, image);
        case DifferenceTable::ScoreIntervals:
            return intervalsGrid(stats, image);
        case DifferenceTable::WinProbabilities:
            return winningGrid(stats, image);
        case DifferenceTable::SamplePlan:
            return planGrid(stats, image);
    }
    return {};
}

TextGrid groupComparisonGrid(const FileGroupComparison& comparison, int image) {
    std::vector<Row> rows{{"イメージ", "尤度比", "自由度", "確率", "備考"}};
    for (int m = 1; m <= static_cast<int>(comparison.images.size()); ++m) {
        if (image != 0 && image != m)
            continue;
        const GroupComparison& c = comparison.images[m - 1].comparison;
        rows.push_back({comparison.images[m - 1].word, shown(c.likelihoodRatio), whole(c.degrees),
                        shown(c.probability), c.reason});
    }
    rows.push_back({"比べたファイル: " + comparison.firstLabel + " と " + comparison.secondLabel});
    return statisticsGrid(rows);
}

}  // namespace kestrune::statistics
