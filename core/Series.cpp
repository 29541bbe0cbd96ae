#include "core/Series.h"

#include <set>

#include "core/CheckedCount.h"
#include "core/Error.h"
#include "core/Numbers.h"
#include "core/TextFile.h"
#include "core/TextLines.h"

namespace kestrune {

namespace {

TPanelPair pairOnLine(TextFile& file, std::size_t number) {
    const CommaFields fields = splitAtFirstComma(file.line(number));
    return {file.integerAt(number, fields.before), file.integerAt(number, fields.after)};
}

}  // namespace

OrderFile ReadOrderFile(const std::filesystem::path& path, std::optional<int> pairsToRead) {
    TextFile file(path);
    const CommaFields header = splitAtFirstComma(file.line(1));
    OrderFile order;
    order.panelCount = file.integerAt(1, header.before);
    order.pairCount = file.integerAt(1, header.after);
    const int count = pairsToRead.value_or(order.pairCount);
    if (count < 0)
        file.failNegativeHeader();
    file.requireHeaderLines(checkedSum({count, 1}));
    order.pairs.reserve(static_cast<std::size_t>(count));
    for (int k = 1; k <= count; ++k)
        order.pairs.push_back(pairOnLine(file, k + 1));
    return order;
}

void WriteOrderFile(const StudyDisk& disk, const std::string& series, const std::string& panelCountText,
                    const std::string& pairCountText, const std::vector<PairTexts>& rows) {
    std::vector<std::string> lines;
    lines.reserve(rows.size() + 1);
    lines.push_back(panelCountText + "," + pairCountText);
    for (const PairTexts& row : rows)
        lines.push_back(row.a + "," + row.b);
    writeTextLines(disk.orderPath(series), lines);
}

std::vector<std::string> ReadVocabularyFile(const std::filesystem::path& path) {
    TextFile file(path);
    const int count = file.integerAt(1, file.line(1));
    std::vector<std::string> words;
    if (count > 0) {
        file.requireHeaderLines(checkedSum({count, 1}));
        words.reserve(static_cast<std::size_t>(count));
    }
    for (int i = 1; i <= count; ++i)
        words.push_back(stripFirstAndLast(file.line(i + 1)));
    return words;
}

void WriteVocabularyFile(const StudyDisk& disk, const std::string& series,
                         const std::vector<std::string>& words) {
    std::vector<std::string> lines;
    lines.reserve(words.size() + 1);
    lines.push_back(std::to_string(words.size()));
    for (const std::string& word : words)
        lines.push_back("\"" + word + "\"");
    writeTextLines(disk.vocabularyPath(series), lines);
}

TSeries readSeries(const StudyDisk& disk, const std::string& series) {
    const OrderFile order = ReadOrderFile(disk.orderPath(series));
    TSeries result;
    result.name = series;
    result.panelCount = order.panelCount;
    result.pairCount = order.pairCount;
    result.pairs = order.pairs;
    result.images = ReadVocabularyFile(disk.vocabularyPath(series));
    result.comment = disk.ReadSeriesComment(series);
    return result;
}

std::vector<TPanelPair> importOrderForWizard(const std::filesystem::path& path, int chosenPanelCount) {
    TextFile file(path);
    const CommaFields header = splitAtFirstComma(file.line(1));
    const int a = file.integerAt(1, header.before);
    if (a != chosenPanelCount)
        throw UserError("パネルの枚数が違います", "エラー");
    const int b = file.integerAt(1, header.after);
    if (checkedProduct({a, a - 1}).value_or(-1) / 2 != b)
        throw UserError("パネルの枚数と比較回数が合いません", "エラー");
    std::vector<TPanelPair> pairs;
    for (int k = 1; k <= b; ++k)
        pairs.push_back(pairOnLine(file, k + 1));
    return pairs;
}

bool isCompletePairSet(int panelCount, const std::vector<TPanelPair>& pairs) {
    if (panelCount < 2 || panelCount > kMaxPanels ||
        pairs.size() != static_cast<std::size_t>(panelCount * (panelCount - 1) / 2)) {
        return false;
    }
    std::set<std::pair<int, int>> seen;
    for (const TPanelPair& pair : pairs) {
        if (pair.a < 1 || pair.a > panelCount || pair.b < 1 || pair.b > panelCount || pair.a == pair.b)
            return false;
        if (!seen.insert({std::min(pair.a, pair.b), std::max(pair.a, pair.b)}).second)
            return false;
    }
    return true;
}

namespace {

std::string unsupported(std::string_view series, const std::string& reason) {
    return formatMessage("シリーズ %s は扱えません。", series) + reason;
}

}  // namespace

TSeries readSupportedSeries(const StudyDisk& disk, std::string_view series) {
    TextFile order(disk.orderPath(series));
    const CommaFields header = splitAtFirstComma(order.line(1));
    TSeries result;
    result.name = std::string(series);
    result.panelCount = order.integerAt(1, header.before);
    result.pairCount = order.integerAt(1, header.after);
    if (result.panelCount < kMinPanels || result.panelCount > kMaxPanels) {
        throw UserError(unsupported(series, "パネルの数 " + std::to_string(result.panelCount) + " は " +
                                                std::to_string(kMinPanels) + " から " +
                                                std::to_string(kMaxPanels) + " まででなければなりません。"));
    }
    // Any number of presentations the board and the analyses hold: a design may leave pairs out
    // or present each pair in both orders.
    if (result.pairCount < 1 || result.pairCount > kMaxPairs) {
        throw UserError(unsupported(series, "比較回数 " + std::to_string(result.pairCount) + " は 1 から " +
                                                std::to_string(kMaxPairs) + " まででなければなりません。"));
    }
    for (int k = 1; k <= result.pairCount; ++k) {
        const std::size_t number = static_cast<std::size_t>(k) + 1;
        const CommaFields fields = splitAtFirstComma(order.line(number));
        const TPanelPair pair{order.integerAt(number, fields.before), order.integerAt(number, fields.after)};
        if (pair.a < 1 || pair.a > result.panelCount || pair.b < 1 || pair.b > result.panelCount) {
            throw UserError(
                unsupported(series, "順序ファイルの " + std::to_string(number) + " 行目 " + fields.before +
                                        "," + fields.after + " のパネル番号が 1 から " +
                                        std::to_string(result.panelCount) + " の範囲にありません。"));
        }
        if (pair.a == pair.b) {
            throw UserError(unsupported(series, "順序ファイルの " + std::to_string(number) + " 行目 " +
                                                    fields.before + "," + fields.after +
                                                    " は同じパネルどうしの組です。"));
        }
        result.pairs.push_back(pair);
    }
    TextFile vocabulary(disk.vocabularyPath(series));
    const int images = vocabulary.integerAt(1, vocabulary.line(1));
    if (images < 1 || images > kMaxImages) {
        throw UserError(unsupported(series, "イメージの数 " + std::to_string(images) + " は 1 から " +
                                                std::to_string(kMaxImages) + " まででなければなりません。"));
    }
    for (int i = 1; i <= images; ++i)
        result.images.push_back(stripFirstAndLast(vocabulary.line(static_cast<std::size_t>(i) + 1)));
    return result;
}

}  // namespace kestrune
