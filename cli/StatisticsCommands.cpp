// consistency, agreement, scale, order-bias and screen: the paired-comparison statistics of
// one data file as TAB-separated tables (or HTML), and the data file without the screened
// subjects.
#include <charconv>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/statistics/BatchTables.h"
#include "analysis/statistics/DifferenceTables.h"
#include "analysis/statistics/FileStatistics.h"
#include "analysis/statistics/StatisticsCaptions.h"
#include "analysis/statistics/StatisticsMessages.h"
#include "cli/AnalysisArguments.h"
#include "cli/Command.h"
#include "cli/CommonArguments.h"
#include "cli/DifferenceNotes.h"
#include "core/Error.h"
#include "output/tables/StatisticsExport.h"

namespace kestrune::cli {
namespace {

namespace st = statistics;

struct FileArguments {
    std::string series;
    TSexGroup group;
    std::string file;
    bool html = false;
    std::optional<std::string> output;
};

FileArguments fileArguments(std::vector<std::string>& args) {
    FileArguments parsed{};
    parsed.html = takeFlag(args, "--html");
    parsed.output = takeOption(args, "-o");
    const std::vector<std::string> names = positionals(args, 3);
    parsed.series = diskNameArgument(names[0]);
    parsed.group = sexGroupArgument(names[1]);
    parsed.file = diskNameArgument(names[2]);
    return parsed;
}

st::FileStatistics statisticsOf(Invocation& invocation, const FileArguments& a,
                                double level = st::kDefaultScreeningLevel,
                                double share = st::kDefaultScreeningShare) {
    return st::fileStatistics(invocation.disk, a.group, a.series, a.file, level, share);
}

void emitTable(Invocation& invocation, const FileArguments& a, const TextGrid& grid, std::string_view caption,
               const std::string& pathLabel) {
    emitLines(invocation, a.html ? statisticsHtmlLines(grid, caption, pathLabel) : statisticsTextLines(grid),
              a.output);
}

int consistency(Invocation& invocation) {
    std::vector<std::string> args = invocation.args;
    const FileArguments a = fileArguments(args);
    const st::FileStatistics stats = statisticsOf(invocation, a);
    emitTable(invocation, a, st::consistencyBatchTable(stats), st::kConsistencyCaption, stats.pathLabel);
    return 0;
}

int agreement(Invocation& invocation) {
    std::vector<std::string> args = invocation.args;
    const FileArguments a = fileArguments(args);
    const st::FileStatistics stats = statisticsOf(invocation, a);
    emitTable(invocation, a, st::agreementBatchTable(stats), st::kAgreementCaption, stats.pathLabel);
    return 0;
}

int scale(Invocation& invocation) {
    std::vector<std::string> args = invocation.args;
    const std::optional<std::string> model = takeOption(args, "--model");
    const bool matrix = takeFlag(args, "--matrix");
    if (!model || (*model != "bt" && *model != "thurstone"))
        throw UsageError("--model bt or --model thurstone is needed");
    if (matrix && *model != "bt")
        throw UsageError("--matrix goes with --model bt");
    const FileArguments a = fileArguments(args);
    if (matrix) {
        std::vector<std::string> words;
        const AnalysisInput input = st::loadPairedInput(invocation.disk, a.group, a.series, a.file, words);
        const st::FileDifferences stats = st::computeFileDifferences(input, words, {});
        emitTable(invocation, a, st::winProbabilityBatchTable(stats), st::kWinProbabilityCaption,
                  stats.pathLabel);
        noteWinProbabilityReasons(invocation, stats);
        return 0;
    }
    const st::FileStatistics stats = statisticsOf(invocation, a);
    if (*model == "bt")
        emitTable(invocation, a, st::bradleyTerryBatchTable(stats), st::kBradleyTerryCaption,
                  stats.pathLabel);
    else
        emitTable(invocation, a, st::thurstoneBatchTable(stats), st::kThurstoneCaption, stats.pathLabel);
    return 0;
}

int orderBias(Invocation& invocation) {
    std::vector<std::string> args = invocation.args;
    const FileArguments a = fileArguments(args);
    const st::FileStatistics stats = statisticsOf(invocation, a);
    emitTable(invocation, a, st::orderBiasBatchTable(stats), st::kOrderEffectCaption, stats.pathLabel);
    return 0;
}

// A proportion given on the command line; `share` allows 0, a level does not.
double proportionArgument(const std::string& text, bool share) {
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    const bool whole = result.ec == std::errc() && result.ptr == text.data() + text.size();
    if (!whole || !(share ? value >= 0 : value > 0) || !(value < 1))
        throw UserError(share ? st::messages::shareOutOfRange(text) : st::messages::levelOutOfRange(text));
    return value;
}

int screen(Invocation& invocation) {
    std::vector<std::string> args = invocation.args;
    const bool yes = takeFlag(args, "--yes");
    const std::optional<std::string> levelText = takeOption(args, "--level");
    const std::optional<std::string> shareText = takeOption(args, "--share");
    const std::optional<std::string> into = takeOption(args, "--into");
    if (yes && !into)
        throw UsageError("--yes goes with --into");
    const FileArguments a = fileArguments(args);
    const double level = levelText ? proportionArgument(*levelText, false) : st::kDefaultScreeningLevel;
    const double share = shareText ? proportionArgument(*shareText, true) : st::kDefaultScreeningShare;
    std::vector<std::string> words;
    const AnalysisInput input = st::loadStatisticsInput(invocation.disk, a.group, a.series, a.file, words);
    const st::FileStatistics stats = st::computeFileStatistics(input, words, level, share);
    if (!stats.screening.testable)
        throw UserError(st::messages::notTestable(level, stats.screening.smallestProbability));
    // The target is checked before anything is printed, so a wrong name prints nothing.
    std::filesystem::path target;
    if (into)
        target = st::screenedFilePath(invocation.disk, a.group, a.series, a.file, *into);
    emitTable(invocation, a, st::screeningBatchTable(stats.screening), st::kScreeningCaption,
              stats.pathLabel);
    if (!into)
        return 0;
    if (std::filesystem::exists(target) && !yes && !overwriteConfirmed(invocation))
        return 1;
    st::writeScreenedFile(target, input.answers, stats.screening);
    return 0;
}

using namespace common_arguments;

const ArgumentHelp kStatisticsText{"-o OUT",
                                   "標準出力の代わりにファイル OUT に書きます(シフトJIS、改行 CR LF)。"};

const CommandRegistration consistencyCommand(
    "consistency",
    {.usage = "SERIES GROUP FILE [--html] [-o OUT]",
     .summary = "被験者ごとの一致性の係数(一巡三角形の数)",
     .description =
         "被験者とイメージ語ごとに、一巡三角形の数 d、その最大値 dmax、一致性の係数 ζ = 1 − d/dmax と、"
         "でたらめに答えたときに d 以下となる正確な確率 p を、タブ区切りで 1 行ずつ書きます。"
         "列は subject、word、d、dmax、zeta、p です。",
     .arguments = {kSeries, kGroup, kFile, kHtml, kStatisticsText},
     .examples = {"kestrune-cli consistency 色彩の印象 mix 大学生2026"}},
    consistency);
const CommandRegistration agreementCommand(
    "agreement",
    {.usage = "SERIES GROUP FILE [--html] [-o OUT]",
     .summary = "被験者間の一意性の係数",
     .description = "イメージ語ごとに、被験者全体の判断がどれだけそろっているかを表す一意性の係数 u と、"
                    "その χ² 統計量(連続修正つき)、自由度、p 値を書きます。被験者が 2 人以上必要です。",
     .arguments = {kSeries, kGroup, kFile, kHtml, kStatisticsText},
     .examples = {"kestrune-cli agreement 色彩の印象 mix 大学生2026"}},
    agreement);
const CommandRegistration scaleCommand(
    "scale",
    {.usage = "SERIES GROUP FILE --model bt|thurstone [--matrix] [--html] [-o OUT]",
     .summary = "モデルによる尺度値(ブラッドリー・テリー、サーストン)",
     .description = "--model bt はブラッドリー・テリーのモデルの最尤推定で、パネル 1 を 0 とした対数の強さ、"
                    "標準誤差、95 % 信頼区間、逸脱度と自由度を書きます。--model thurstone はサーストンの"
                    "一対比較法(ケース V)の尺度値(最も低いパネルを 0)と、モステラーの適合度検定の χ² と"
                    "自由度を書きます。--model bt に --matrix を付けると、パネル i がパネル j より選ばれる"
                    "確率 π_i/(π_i + π_j) を、順序のあるすべての対について 1 行ずつ"
                    "(列 image、panel_i、panel_j、p)書きます。",
     .arguments = {kSeries,
                   kGroup,
                   kFile,
                   {"--model bt|thurstone",
                    "使うモデル。bt はブラッドリー・テリー、thurstone はサーストン。"},
                   {"--matrix", "尺度値の代わりに、パネルの対ごとの勝つ確率を書きます(bt のみ)。"},
                   kHtml,
                   kStatisticsText},
     .examples = {"kestrune-cli scale 色彩の印象 mix 大学生2026 --model bt",
                  "kestrune-cli scale 色彩の印象 mix 大学生2026 --model thurstone",
                  "kestrune-cli scale 色彩の印象 mix 大学生2026 --model bt --matrix"}},
    scale);
const CommandRegistration orderBiasCommand(
    "order-bias",
    {.usage = "SERIES GROUP FILE [--html] [-o OUT]",
     .summary = "提示順序の効果(A が選ばれやすいか)",
     .description =
         "イメージ語ごとと、最後の行「全体」に、先に示したパネル A が選ばれた回数、回答数、その割合、"
         "1/2 に対する正確な二項検定の p 値、順序効果つきブラッドリー・テリーのモデルの順序効果と"
         "その標準誤差、効果のないモデルとの尤度比 χ² と p 値を書きます。",
     .arguments = {kSeries, kGroup, kFile, kHtml, kStatisticsText},
     .examples = {"kestrune-cli order-bias 色彩の印象 mix 大学生2026"}},
    orderBias);
const CommandRegistration screenCommand(
    "screen",
    {.usage = "SERIES GROUP FILE [--level 0.05] [--share 0.5] [--into NAME [--yes]] [--html] [-o OUT]",
     .summary = "一致性の低い被験者の選別",
     .description =
         "一致性の係数が有意水準 --level で有意にならないイメージ語の割合が --share を超える被験者の"
         "番号を 1 行に 1 つ書きます。--into を付けると、その被験者を除いた新しいデータファイル NAME を"
         "同じ群に作ります。元のファイルは変わりません。",
     .arguments = {kSeries,
                   kGroup,
                   kFile,
                   {"--level P", "有意水準(既定 0.05)。"},
                   {"--share S", "有意でないイメージ語の割合の上限(既定 0.5)。"},
                   {"--into NAME", "選別した被験者を除いたデータファイルを NAME という名前で作ります。"},
                   {"--yes", "同名のファイルがあれば確認せずに置き換えます。"},
                   kHtml,
                   kStatisticsText},
     .examples = {"kestrune-cli screen 色彩の印象 mix 大学生2026 --level 0.2",
                  "kestrune-cli screen 色彩の印象 mix 大学生2026 --level 0.2 --into 大学生2026選別後"}},
    screen);

}  // namespace
}  // namespace kestrune::cli
