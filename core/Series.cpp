#include "core/Series.h"

#include <set>

#include "core/CheckedCount.h"
#include "core/Error.h"
#include "core/Numbers.h"
#include "core/TextLines.h"

namespace kestrune {

OrderFile ReadOrderFile(const std::filesystem::path& path, std::optional<int> pairsToRead) {
    const std::vector<std::string> lines = readTextLines(path);
    const CommaFields header = splitAtFirstComma(lineAt(lines, 1));
    OrderFile order;
    order.panelCount = parseInteger(header.before);
    order.pairCount = parseInteger(header.after);
    const int count = pairsToRead.value_or(order.pairCount);
    if (count < 0)
        throw UserError(messages::listIndexOutOfRange());
    requireLineNumber(lines, checkedSum({count, 1}));
    order.pairs.reserve(static_cast<std::size_t>(count));
    for (int k = 1; k <= count; ++k) {
        const CommaFields fields = splitAtFirstComma(lineAt(lines, k + 1));
        order.pairs.push_back({parseInteger(fields.before), parseInteger(fields.after)});
    }
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
    const std::vector<std::string> lines = readTextLines(path);
    const int count = parseInteger(lineAt(lines, 1));
    std::vector<std::string> words;
    if (count > 0) {
        requireLineNumber(lines, checkedSum({count, 1}));
        words.reserve(static_cast<std::size_t>(count));
    }
    for (int i = 1; i <= count; ++i)
        words.push_back(stripFirstAndLast(lineAt(lines, i + 1)));
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
    const std::vector<std::string> lines = readTextLines(path);
    const CommaFields header = splitAtFirstComma(lineAt(lines, 1));
    const int a = parseInteger(header.before);
    if (a != chosenPanelCount)
        throw UserError("パネルの枚数が違います", "エラー");
    const int b = parseInteger(header.after);
    if (checkedProduct({a, a - 1}).value_or(-1) / 2 != b)
        throw UserError("パネルの枚数と比較回数が合いません", "エラー");
    std::vector<TPanelPair> pairs;
    for (int k = 1; k <= b; ++k) {
        const CommaFields fields = splitAtFirstComma(lineAt(lines, k + 1));
        pairs.push_back({parseInteger(fields.before), parseInteger(fields.after)});
    }
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
    const std::vector<std::string> lines = readTextLines(disk.orderPath(series));
    const CommaFields header = splitAtFirstComma(lineAt(lines, 1));
    TSeries result;
    result.name = std::string(series);
    result.panelCount = parseInteger(header.before);
    result.pairCount = parseInteger(header.after);
    if (result.panelCount < kMinPanels || result.panelCount > kMaxPanels) {
        throw UserError(unsupported(series, "パネルの数 " + std::to_string(result.panelCount) + " は " +
                                                std::to_string(kMinPanels) + " から " +
                                                std::to_string(kMaxPanels) + " まででなければなりません。"));
    }
    const int allPairs = result.panelCount * (result.panelCount - 1) / 2;
    if (result.pairCount != allPairs) {
        throw UserError(unsupported(series, "比較回数 " + std::to_string(result.pairCount) +
                                                " がパネルの数 " + std::to_string(result.panelCount) +
                                                " の組み合わせの数 " + std::to_string(allPairs) +
                                                " と合っていません。"));
    }
    for (int k = 1; k <= result.pairCount; ++k) {
        const CommaFields fields = splitAtFirstComma(lineAt(lines, k + 1));
        const TPanelPair pair{parseInteger(fields.before), parseInteger(fields.after)};
        if (pair.a < 1 || pair.a > result.panelCount || pair.b < 1 || pair.b > result.panelCount) {
            throw UserError(
                unsupported(series, "順序ファイルの " + std::to_string(k + 1) + " 行目 " + fields.before +
                                        "," + fields.after + " のパネル番号が 1 から " +
                                        std::to_string(result.panelCount) + " の範囲にありません。"));
        }
        result.pairs.push_back(pair);
    }
    const std::vector<std::string> vocabulary = readTextLines(disk.vocabularyPath(series));
    const int images = parseInteger(lineAt(vocabulary, 1));
    if (images < 1 || images > kMaxImages) {
        throw UserError(unsupported(series, "イメージの数 " + std::to_string(images) + " は 1 から " +
                                                std::to_string(kMaxImages) + " まででなければなりません。"));
    }
    for (int i = 1; i <= images; ++i)
        result.images.push_back(stripFirstAndLast(lineAt(vocabulary, i + 1)));
    return result;
}

}  // namespace kestrune
