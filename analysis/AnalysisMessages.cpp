#include "analysis/AnalysisMessages.h"

#include "core/Error.h"

namespace kestrune::analysis_messages {

namespace {

// Joins the parts by appending (GCC 12 warns falsely about "literal" + std::string at -O2).
template <typename... Parts>
std::string join(const Parts&... parts) {
    std::string text;
    (text.append(parts), ...);
    return text;
}

std::string inFile(std::string_view file) {
    return join("ファイル ", file, " ");
}
std::string number(long long value) {
    return std::to_string(value);
}

}  // namespace

std::string noSubjects(std::string_view file) {
    return join(inFile(file), "には被験者のデータがありません。");
}

std::string tooManySubjects(std::string_view file, long long count, int limit) {
    return join(inFile(file), "の被験者数 ", number(count), " は範囲外です (1 から ", number(limit),
                " 人まで集計できます)。");
}

std::string pairCountOutOfRange(std::string_view file, long long count, int limit) {
    return join(inFile(file), "の比較回数 ", number(count), " は範囲外です (1 から ", number(limit),
                " まで集計できます)。");
}

std::string imageCountOutOfRange(std::string_view file, long long count, int limit) {
    return join(inFile(file), "のイメージの数 ", number(count), " は範囲外です (1 から ", number(limit),
                " まで集計できます)。");
}

std::string panelCountOutOfRange(std::string_view file, long long count, int lowest, int limit) {
    return join(inFile(file), "のパネルの数 ", number(count), " は範囲外です (", number(lowest), " から ",
                number(limit), " まで集計できます)。");
}

std::string panelNumberOutOfRange(std::string_view file, long long line, long long panel, int limit) {
    return join(inFile(file), "の ", number(line), " 行目のパネル番号 ", number(panel),
                " は範囲外です (1 から ", number(limit), " まで)。");
}

std::string unanswered(std::string_view file, long long line) {
    return join(inFile(file), "の ", number(line),
                " 行目は未回答 (-1) です。すべて回答されたファイルだけを集計できます。");
}

std::string answerOutOfRange(std::string_view file, long long line, long long value) {
    return join(inFile(file), "の ", number(line), " 行目の回答 ", number(value),
                " は 0 でも 1 でもありません。");
}

std::string imageCountMismatch(std::string_view file, long long fileCount, long long seriesCount) {
    return join(inFile(file), "のイメージの数 ", number(fileCount), " がシリーズのイメージの数 ",
                number(seriesCount), " と合っていません。");
}

std::string panelCountChanged(std::string_view file, long long fileCount, long long tableCount) {
    return join(inFile(file), "のパネルの数 ", number(fileCount), " が表のパネルの数 ", number(tableCount),
                " と合っていません。シリーズを選び直してください。");
}

std::string quantityCountChanged(std::string_view file, long long fileCount, long long tableCount) {
    return join(inFile(file), "の物理量の数 ", number(fileCount), " が表の物理量の数 ", number(tableCount),
                " と合っていません。シリーズを選び直してください。");
}

std::string quantityCountOutOfRange(std::string_view file, long long count, int limit) {
    return join(inFile(file), "の物理量の数 ", number(count), " は範囲外です (1 から ", number(limit),
                " まで扱えます)。");
}

std::string panelCountMismatch(long long columnPanels, long long rowPanels) {
    return join("列のパネルの数 ", number(columnPanels), " と行のパネルの数 ", number(rowPanels),
                " が合っていません。");
}

std::string notReal(std::string_view text) {
    return join("'", messages::excerpt(text), "' は浮動小数点数ではありません");
}

std::string headerOutOfRange(std::string_view file, std::string_view header) {
    return join(inFile(file), "の 1 行目 '", header, "' に負の数があります。");
}

std::string variableOutOfRange(std::string_view file, long long index, long long count) {
    return join(inFile(file), "には ", number(index), " 番目の項目がありません (項目の数 ", number(count),
                ")。");
}

std::string mergeCountsDisagree(std::string_view file, long long pairs, long long images,
                                long long firstPairs, long long firstImages) {
    return join(inFile(file), "の比較回数 ", number(pairs), "、イメージの数 ", number(images),
                " が最初のファイルの比較回数 ", number(firstPairs), "、イメージの数 ", number(firstImages),
                " と合っていないため結合できません。");
}

std::string mergeTooLarge(std::string_view target, long long subjects, long long answers, long long limit) {
    const auto count = [](long long value) { return value < 0 ? std::string("(桁あふれ)") : number(value); };
    return join(inFile(target), "に結合すると被験者数 ", count(subjects), "、回答の数 ", count(answers),
                " になり、データファイルに書ける数 ", number(limit), " を超えるため結合できません。");
}

}  // namespace kestrune::analysis_messages
