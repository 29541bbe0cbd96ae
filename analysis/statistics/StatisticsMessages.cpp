#include "analysis/statistics/StatisticsMessages.h"

#include "analysis/NumberText.h"

namespace kestrune::statistics::messages {

namespace {

// Joins by appending (GCC 12 warns falsely about "literal" + std::string at -O2).
template <typename... Parts>
std::string join(const Parts&... parts) {
    std::string text;
    (text.append(parts), ...);
    return text;
}

}  // namespace

std::string panelCountUnsupported(std::string_view file, long long panels) {
    return join("ファイル ", file, " のシリーズはパネルが ", std::to_string(panels),
                " 枚です。一対比較の統計は 3 枚から 10 枚のパネルについて計算できます。");
}

std::string incompletePairSet(std::string_view file) {
    return join(
        "ファイル ", file,
        " はすべてのパネルの組を一度ずつ比較したデータではないため、一対比較の統計を計算できません。");
}

std::string notTestable(double level, double smallestProbability) {
    return join("このパネルの数では一巡三角形のない回答でも確率が ", fixedText(smallestProbability, 3),
                " あり、有意水準 ", fixedText(level, 3),
                " で有意になる被験者はいません。被験者を選別できません。");
}

std::string levelOutOfRange(std::string_view text) {
    return join("有意水準 '", text, "' は 0 より大きく 1 より小さい数でなければなりません。");
}

std::string shareOutOfRange(std::string_view text) {
    return join("割合 '", text, "' は 0 以上 1 未満の数でなければなりません。");
}

std::string confidenceOutOfRange(std::string_view text) {
    return join("信頼係数 '", text, "' は 0 より大きく 1 より小さい数でなければなりません。");
}

std::string powerOutOfRange(std::string_view text) {
    return join("検出力 '", text, "' は 0 より大きく 1 より小さい数でなければなりません。");
}

std::string filesDoNotMatch(std::string_view first, std::string_view second) {
    return join("ファイル ", first, " と ", second,
                " はパネル、組の順序またはイメージの数が異なるため、比べられません。");
}

}  // namespace kestrune::statistics::messages
