#include "core/Series.h"

#include <set>

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
    order.pairs.reserve(count);
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
    if (a * (a - 1) / 2 != b)
        throw UserError("パネルの枚数と比較回数が合いません", "エラー");
    std::vector<TPanelPair> pairs;
    for (int k = 1; k <= b; ++k) {
        const CommaFields fields = splitAtFirstComma(lineAt(lines, k + 1));
        pairs.push_back({parseInteger(fields.before), parseInteger(fields.after)});
    }
    return pairs;
}

bool isCompletePairSet(int panelCount, const std::vector<TPanelPair>& pairs) {
    if (panelCount < 2 || pairs.size() != static_cast<std::size_t>(panelCount * (panelCount - 1) / 2))
        return false;
    std::set<std::pair<int, int>> seen;
    for (const TPanelPair& pair : pairs) {
        if (pair.a < 1 || pair.a > panelCount || pair.b < 1 || pair.b > panelCount || pair.a == pair.b)
            return false;
        if (!seen.insert({std::min(pair.a, pair.b), std::max(pair.a, pair.b)}).second)
            return false;
    }
    return true;
}

}  // namespace kestrune
