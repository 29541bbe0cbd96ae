#include "analysis/statistics/StatisticsGrids.h"

#include <optional>
#include <string>
#include <vector>

#include "analysis/AnalysisGrids.h"
#include "analysis/NumberText.h"
#include "analysis/statistics/BatchTables.h"
#include "analysis/statistics/StatisticsCaptions.h"

namespace kestrune::statistics {

namespace {

using Row = std::vector<std::string>;

constexpr std::string_view kNoEstimate = "最尤推定値が存在しません (全勝または全敗のパネルがあります)";
constexpr std::string_view kNoOrderEstimate = "順序効果の最尤推定値が存在しません";
constexpr std::string_view kNoTest = "パネルが少ないため、通常の有意水準では検定できません";
constexpr std::string_view kReplacedRule =
    "比率 0 と 1 は 1/(2N) と 1 - 1/(2N) に置き換えています (N: 被験者数)";

std::string value(double v) {
    return fixedText(v, 4);
}
std::string value(const std::optional<double>& v) {
    return v ? value(*v) : std::string(kNotComputed);
}
std::string whole(long long v) {
    return std::to_string(v);
}
std::string none() {
    return std::string(kNotComputed);
}

TextGrid gridOf(const std::vector<Row>& rows) {
    return statisticsGrid(rows);
}

}  // namespace

TextGrid statisticsGrid(const std::vector<std::vector<std::string>>& rows) {
    std::size_t columns = 0;
    for (const Row& row : rows)
        columns = std::max(columns, row.size());
    TextGrid grid(static_cast<int>(columns), static_cast<int>(rows.size()));
    // Wide enough for the Japanese headings and for a note in the first column.
    grid.defaultColumnWidth = 110;
    grid.setColumnWidth(0, 130);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            grid.setCell(static_cast<int>(c), static_cast<int>(r), rows[r][c]);
    return grid;
}

namespace {

std::string panelHeading(int k) {
    return "パネル" + std::to_string(k);
}

Row orderRow(const std::string& label, const OrderBias& bias) {
    Row row{label, whole(bias.choseA), whole(bias.answers), value(bias.share),
            value(bias.binomialProbability)};
    if (bias.effect) {
        for (double v : {bias.effect->estimate, bias.effect->standardError, bias.effect->chiSquare,
                         bias.effect->probability})
            row.push_back(value(v));
    } else {
        row.insert(row.end(), 4, none());
    }
    return row;
}
const Row kOrderHeader{"イメージ", "Aの選択数", "回答数",   "Aの割合", "二項検定の確率",
                       "順序効果", "標準誤差",  "尤度比χ²", "確率"};

TextGrid consistencyGrid(const FileStatistics& stats, const ImageStatistics& image) {
    std::vector<Row> rows{{"被験者", "一巡三角形 d", "最大値", "一致性の係数 ζ", "確率 P(D≦d)", "判定"}};
    bool testable = true;
    for (std::size_t s = 0; s < image.consistency.size(); ++s) {
        const Consistency& c = image.consistency[s];
        testable = c.testable;
        const bool significant = c.probability <= stats.screening.level;
        rows.push_back({whole(static_cast<long long>(s) + 1), whole(c.circularTriads), whole(c.maximum),
                        value(c.zeta), value(c.probability), significant ? "有意" : ""});
    }
    if (!testable)
        rows.push_back({std::string(kNoTest)});
    return gridOf(rows);
}

TextGrid agreementGrid(const std::vector<const ImageStatistics*>& images) {
    std::vector<Row> rows{{"イメージ", "被験者数", "一意性の係数 u", "χ²", "自由度", "確率"}};
    for (const ImageStatistics* image : images) {
        const Agreement& a = image->agreement;
        rows.push_back({image->word, whole(a.subjects), value(a.u), value(a.chiSquare), value(a.degrees),
                        value(a.probability)});
    }
    return gridOf(rows);
}

TextGrid thurstoneImageGrid(const ImageStatistics& image) {
    const Thurstone& t = image.thurstone;
    std::vector<Row> rows{{"パネル", "尺度値"}};
    for (std::size_t k = 0; k < t.scale.size(); ++k)
        rows.push_back({whole(static_cast<long long>(k) + 1), value(t.scale[k])});
    rows.push_back({"モステラーのχ²", value(t.chiSquare)});
    rows.push_back({"自由度", whole(t.degrees)});
    rows.push_back({"確率", value(t.probability)});
    if (t.replacedProportions > 0)
        rows.push_back({std::string(kReplacedRule)});
    return gridOf(rows);
}

TextGrid bradleyTerryImageGrid(const ImageStatistics& image, int panels) {
    const BradleyTerry& bt = image.bradleyTerry;
    std::vector<Row> rows{{"パネル", "対数価値", "価値", "標準誤差", "95%下限", "95%上限"}};
    for (int k = 1; k <= panels; ++k) {
        if (!bt.finite) {
            rows.push_back({whole(k), none(), none(), none(), none(), none()});
            continue;
        }
        const BradleyTerryPanel& p = bt.panels[k - 1];
        if (k == 1)
            rows.push_back({whole(k), value(p.logWorth), value(p.worth), none(), none(), none()});
        else
            rows.push_back({whole(k), value(p.logWorth), value(p.worth), value(p.standardError),
                            value(p.lower), value(p.upper)});
    }
    rows.push_back({"逸脱度", bt.finite ? value(bt.deviance) : none()});
    rows.push_back({"自由度", whole(bt.degrees)});
    rows.push_back({"確率", bt.finite ? value(bt.probability) : none()});
    if (!bt.finite)
        rows.push_back({std::string(kNoEstimate)});
    return gridOf(rows);
}

}  // namespace

std::string_view statisticsCaption(StatisticsTable table) {
    switch (table) {
        case StatisticsTable::Consistency:
            return kConsistencyCaption;
        case StatisticsTable::Agreement:
            return kAgreementCaption;
        case StatisticsTable::Thurstone:
            return kThurstoneCaption;
        case StatisticsTable::BradleyTerry:
            return kBradleyTerryCaption;
        case StatisticsTable::OrderEffect:
            return kOrderEffectCaption;
    }
    return {};
}

TextGrid imageStatisticsGrid(const FileStatistics& stats, StatisticsTable table, int image) {
    const ImageStatistics& one = stats.images.at(image - 1);
    switch (table) {
        case StatisticsTable::Consistency:
            return consistencyGrid(stats, one);
        case StatisticsTable::Agreement:
            return agreementGrid({&one});
        case StatisticsTable::Thurstone:
            return thurstoneImageGrid(one);
        case StatisticsTable::BradleyTerry:
            return bradleyTerryImageGrid(one, stats.panels);
        case StatisticsTable::OrderEffect: {
            std::vector<Row> rows{kOrderHeader, orderRow(one.word, one.orderBias)};
            if (!one.orderBias.effect)
                rows.push_back({std::string(kNoOrderEstimate)});
            return gridOf(rows);
        }
    }
    return {};
}

TextGrid summaryStatisticsGrid(const FileStatistics& stats, StatisticsTable table) {
    std::vector<const ImageStatistics*> images;
    for (const ImageStatistics& image : stats.images)
        images.push_back(&image);
    switch (table) {
        case StatisticsTable::Consistency: {
            std::vector<Row> rows{{"被験者", "有意でないイメージ数", "その割合", "ζの平均", "除外候補"}};
            for (const ScreenedSubject& s : stats.screening.subjects) {
                double zeta = 0;
                for (const ImageStatistics* image : images)
                    zeta += image->consistency[s.subject - 1].zeta;
                rows.push_back({whole(s.subject), whole(s.inconsistentImages), value(s.share),
                                value(zeta / static_cast<double>(images.size())), s.screened ? "○" : ""});
            }
            if (!stats.screening.testable)
                rows.push_back({std::string(kNoTest)});
            return gridOf(rows);
        }
        case StatisticsTable::Agreement:
            return agreementGrid(images);
        case StatisticsTable::Thurstone:
        case StatisticsTable::BradleyTerry: {
            const bool thurstone = table == StatisticsTable::Thurstone;
            Row header{"イメージ"};
            for (int k = 1; k <= stats.panels; ++k)
                header.push_back(panelHeading(k));
            for (const char* h : {thurstone ? "モステラーのχ²" : "逸脱度", "自由度", "確率"})
                header.push_back(h);
            std::vector<Row> rows{header};
            for (const ImageStatistics* image : images) {
                Row row{image->word};
                const BradleyTerry& bt = image->bradleyTerry;
                for (int k = 1; k <= stats.panels; ++k) {
                    if (thurstone)
                        row.push_back(value(image->thurstone.scale[k - 1]));
                    else
                        row.push_back(bt.finite ? value(bt.panels[k - 1].logWorth) : none());
                }
                if (thurstone) {
                    row.insert(row.end(), {value(image->thurstone.chiSquare), whole(image->thurstone.degrees),
                                           value(image->thurstone.probability)});
                } else {
                    row.insert(row.end(), {bt.finite ? value(bt.deviance) : none(), whole(bt.degrees),
                                           bt.finite ? value(bt.probability) : none()});
                }
                rows.push_back(row);
            }
            return gridOf(rows);
        }
        case StatisticsTable::OrderEffect: {
            std::vector<Row> rows{kOrderHeader};
            for (const ImageStatistics* image : images)
                rows.push_back(orderRow(image->word, image->orderBias));
            rows.push_back(orderRow(std::string(kOverallLabel), stats.overallOrderBias.bias));
            return gridOf(rows);
        }
    }
    return {};
}

}  // namespace kestrune::statistics
