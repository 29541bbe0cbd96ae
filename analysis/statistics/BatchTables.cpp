#include "analysis/statistics/BatchTables.h"

#include <optional>

#include "analysis/NumberText.h"

namespace kestrune::statistics {

namespace {

using Row = std::vector<std::string>;

template <typename Value>
std::string real(const Value& value) {
    return batchReal(value);
}
std::string whole(long long value) {
    return std::to_string(value);
}

TextGrid gridOf(const Row& header, const std::vector<Row>& rows) {
    return batchGrid(header, rows);
}

Row orderRow(const std::string& label, const OrderBias& bias) {
    Row row{label, whole(bias.choseA), whole(bias.answers), real(bias.share), real(bias.binomialProbability)};
    if (bias.effect) {
        for (double v : {bias.effect->estimate, bias.effect->standardError, bias.effect->chiSquare,
                         bias.effect->probability})
            row.push_back(real(v));
    } else {
        row.insert(row.end(), 4, std::string(kMissing));
    }
    return row;
}

}  // namespace

std::string batchReal(double value) {
    return fixedText(value, 6);
}
std::string batchReal(const std::optional<double>& value) {
    return value ? batchReal(*value) : std::string(kMissing);
}

TextGrid batchGrid(const std::vector<std::string>& header,
                   const std::vector<std::vector<std::string>>& rows) {
    TextGrid grid(static_cast<int>(header.size()), static_cast<int>(rows.size()) + 1);
    for (std::size_t c = 0; c < header.size(); ++c)
        grid.setCell(static_cast<int>(c), 0, header[c]);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            grid.setCell(static_cast<int>(c), static_cast<int>(r) + 1, rows[r][c]);
    }
    return grid;
}

TextGrid consistencyBatchTable(const FileStatistics& stats) {
    std::vector<Row> rows;
    for (const ImageStatistics& image : stats.images) {
        for (std::size_t s = 0; s < image.consistency.size(); ++s) {
            const Consistency& c = image.consistency[s];
            rows.push_back({whole(static_cast<long long>(s) + 1), image.word, whole(c.circularTriads),
                            whole(c.maximum), real(c.zeta), real(c.probability)});
        }
    }
    return gridOf({"subject", "image", "d", "dmax", "zeta", "p"}, rows);
}

TextGrid agreementBatchTable(const FileStatistics& stats) {
    std::vector<Row> rows;
    for (const ImageStatistics& image : stats.images) {
        const Agreement& a = image.agreement;
        rows.push_back({image.word, real(a.u), real(a.chiSquare), real(a.degrees), real(a.probability)});
    }
    return gridOf({"image", "u", "chisq", "df", "p"}, rows);
}

TextGrid bradleyTerryBatchTable(const FileStatistics& stats) {
    std::vector<Row> rows;
    for (const ImageStatistics& image : stats.images) {
        const BradleyTerry& bt = image.bradleyTerry;
        for (int k = 1; k <= stats.panels; ++k) {
            Row row{image.word, whole(k)};
            if (!bt.finite) {
                row.insert(row.end(), 5, std::string(kMissing));
            } else {
                const BradleyTerryPanel& p = bt.panels[k - 1];
                const bool reference = k == 1;  // fixed at 0 by the convention, no error of its own
                row.push_back(real(p.logWorth));
                for (double v : {p.standardError, p.lower, p.upper})
                    row.push_back(reference ? std::string(kMissing) : real(v));
                row.push_back(real(bt.deviance));
            }
            row.push_back(whole(bt.degrees));
            rows.push_back(row);
        }
    }
    return gridOf({"image", "panel", "logworth", "se", "lower", "upper", "deviance", "df"}, rows);
}

TextGrid thurstoneBatchTable(const FileStatistics& stats) {
    std::vector<Row> rows;
    for (const ImageStatistics& image : stats.images) {
        const Thurstone& t = image.thurstone;
        for (int k = 1; k <= stats.panels; ++k)
            rows.push_back({image.word, whole(k), real(t.scale[k - 1]), real(t.chiSquare), whole(t.degrees)});
    }
    return gridOf({"image", "panel", "scale", "chisq", "df"}, rows);
}

TextGrid orderBiasBatchTable(const FileStatistics& stats) {
    std::vector<Row> rows;
    for (const ImageStatistics& image : stats.images)
        rows.push_back(orderRow(image.word, image.orderBias));
    rows.push_back(orderRow(std::string(kOverallLabel), stats.overallOrderBias.bias));
    return gridOf({"image", "chose_a", "answers", "share", "binom_p", "order_effect", "se", "lr_chisq", "p"},
                  rows);
}

TextGrid screeningBatchTable(const Screening& screening) {
    std::vector<Row> rows;
    for (int number : screening.screenedNumbers())
        rows.push_back({whole(number)});
    return gridOf({"subject"}, rows);
}

}  // namespace kestrune::statistics
