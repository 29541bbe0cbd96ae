// differences, score-ci, group-test and plan: which panels differ, how sure each score is,
// whether two groups judged alike, and how many subjects the next study needs.
#include <algorithm>
#include <charconv>
#include <string>
#include <vector>

#include "analysis/statistics/DifferenceTables.h"
#include "analysis/statistics/FileDifferences.h"
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

struct DifferenceArguments {
    std::string series;
    TSexGroup group{};
    std::string file;
    bool html = false;
    std::optional<std::string> output;
};

// A number between 0 and 1 (both excluded) given on the command line.
double openProportion(const std::string& text, std::string (*message)(std::string_view)) {
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !(value > 0) || !(value < 1))
        throw UserError(message(text));
    return value;
}

DifferenceArguments differenceArguments(std::vector<std::string>& args, std::size_t files = 1) {
    DifferenceArguments parsed{};
    parsed.html = takeFlag(args, "--html");
    parsed.output = takeOption(args, "-o");
    const std::vector<std::string> names = positionals(args, 1 + 2 * files);
    parsed.series = diskNameArgument(names[0]);
    parsed.group = sexGroupArgument(names[1]);
    parsed.file = diskNameArgument(names[2]);
    return parsed;
}

st::FileDifferences differencesOf(Invocation& invocation, const DifferenceArguments& a,
                                  const st::DifferenceSettings& settings) {
    std::vector<std::string> words;
    const AnalysisInput input = st::loadPairedInput(invocation.disk, a.group, a.series, a.file, words);
    return st::computeFileDifferences(input, words, settings);
}

void emit(Invocation& invocation, const DifferenceArguments& a, const TextGrid& grid,
          std::string_view caption, const std::string& pathLabel) {
    emitLines(invocation, a.html ? statisticsHtmlLines(grid, caption, pathLabel) : statisticsTextLines(grid),
              a.output);
}

// Why some values are "NA": one line per reason on standard error, with the images it concerns,
// so that a table with gaps is never read as complete.
void noteReasons(Invocation& invocation,
                 const std::vector<std::pair<std::string, std::string>>& imageReasons) {
    std::vector<std::pair<std::string, std::string>> grouped;  // reason, images
    for (const auto& [word, reason] : imageReasons) {
        if (reason.empty())
            continue;
        auto it =
            std::find_if(grouped.begin(), grouped.end(), [&](const auto& g) { return g.first == reason; });
        if (it == grouped.end())
            grouped.emplace_back(reason, word);
        else
            it->second.append("、").append(word);
    }
    for (const auto& [reason, words] : grouped)
        invocation.err << "NA: " << reason << " (" << words << ")\n";
}

template <typename Reason>
void noteReasonsOf(Invocation& invocation, const st::FileDifferences& stats, Reason reasonOf) {
    std::vector<std::pair<std::string, std::string>> reasons;
    for (const st::ImageDifferences& image : stats.images)
        for (const std::string& reason : reasonOf(image))
            reasons.emplace_back(image.word, reason);
    noteReasons(invocation, reasons);
}

}  // namespace

void noteWinProbabilityReasons(Invocation& invocation, const statistics::FileDifferences& stats) {
    noteReasonsOf(invocation, stats,
                  [](const st::ImageDifferences& i) { return std::vector{i.winning.reason}; });
}

namespace {

int differences(Invocation& invocation) {
    std::vector<std::string> args = invocation.args;
    const bool pairs = takeFlag(args, "--pairs");
    const bool letters = takeFlag(args, "--letters");
    const std::optional<std::string> alpha = takeOption(args, "--alpha");
    if (pairs && letters)
        throw UsageError("--pairs and --letters go one at a time");
    const DifferenceArguments a = differenceArguments(args);
    st::DifferenceSettings settings;
    if (alpha)
        settings.alpha = openProportion(*alpha, st::messages::levelOutOfRange);
    const st::FileDifferences stats = differencesOf(invocation, a, settings);
    if (pairs || letters) {
        emit(invocation, a, pairs ? st::pairDifferenceBatchTable(stats) : st::letterBatchTable(stats),
             pairs ? st::kPairDifferenceCaption : st::kDifferenceCaption, stats.pathLabel);
        noteReasonsOf(invocation, stats,
                      [](const st::ImageDifferences& i) { return std::vector{i.range.reason}; });
    } else {
        emit(invocation, a, st::differenceBatchTable(stats), st::kDifferenceCaption, stats.pathLabel);
        noteReasonsOf(invocation, stats, [](const st::ImageDifferences& i) {
            return std::vector{i.test.davidReason, i.test.likelihoodRatioReason};
        });
    }
    return 0;
}

int scoreInterval(Invocation& invocation) {
    std::vector<std::string> args = invocation.args;
    const std::optional<std::string> level = takeOption(args, "--level");
    const DifferenceArguments a = differenceArguments(args);
    st::DifferenceSettings settings;
    if (level)
        settings.confidence = openProportion(*level, st::messages::confidenceOutOfRange);
    const st::FileDifferences stats = differencesOf(invocation, a, settings);
    emit(invocation, a, st::scoreIntervalBatchTable(stats), st::kScoreIntervalCaption, stats.pathLabel);
    noteReasonsOf(invocation, stats, [](const st::ImageDifferences& i) {
        return std::vector{i.intervals.empty() ? std::string() : i.intervals.front().reason};
    });
    return 0;
}

int plan(Invocation& invocation) {
    std::vector<std::string> args = invocation.args;
    const std::optional<std::string> alpha = takeOption(args, "--alpha");
    const std::optional<std::string> power = takeOption(args, "--power");
    const DifferenceArguments a = differenceArguments(args);
    st::DifferenceSettings settings;
    if (alpha)
        settings.alpha = openProportion(*alpha, st::messages::levelOutOfRange);
    if (power)
        settings.power = openProportion(*power, st::messages::powerOutOfRange);
    const st::FileDifferences stats = differencesOf(invocation, a, settings);
    emit(invocation, a, st::samplePlanBatchTable(stats), st::kSamplePlanCaption, stats.pathLabel);
    noteReasonsOf(invocation, stats,
                  [](const st::ImageDifferences& i) { return std::vector{i.plan.reason}; });
    return 0;
}

int groupTest(Invocation& invocation) {
    std::vector<std::string> args = invocation.args;
    const DifferenceArguments a = differenceArguments(args, 2);
    const std::vector<std::string> names = positionals(args, 5);
    const TSexGroup secondGroup = sexGroupArgument(names[3]);
    const std::string secondFile = diskNameArgument(names[4]);
    std::vector<std::string> words;
    const AnalysisInput first = st::loadPairedInput(invocation.disk, a.group, a.series, a.file, words);
    const AnalysisInput second =
        st::loadPairedInput(invocation.disk, secondGroup, a.series, secondFile, words);
    const st::FileGroupComparison comparison = st::compareFiles(first, second, words);
    emit(invocation, a, st::groupComparisonBatchTable(comparison), st::kGroupComparisonCaption,
         comparison.firstLabel + " / " + comparison.secondLabel);
    std::vector<std::pair<std::string, std::string>> reasons;
    for (const st::ImageGroupComparison& image : comparison.images)
        reasons.emplace_back(image.word, image.comparison.reason);
    noteReasons(invocation, reasons);
    return 0;
}

using namespace common_arguments;

const ArgumentHelp kOutput{"-o OUT", "標準出力の代わりにファイル OUT に書きます(シフトJIS、改行 CR LF)。"};
const ArgumentHelp kAlpha{"--alpha A", "有意水準(既定 0.05)。"};

const CommandRegistration differencesCommand(
    "differences",
    {.usage = "SERIES GROUP FILE [--pairs | --letters] [--alpha A] [--html] [-o OUT]",
     .summary = "パネルの間に差があるか(デビッドの検定、尤度比検定、範囲検定)",
     .description =
         "イメージ語ごとに、パネルの間に差があるかを調べます。列 image、D、df、p はデビッドの検定"
         "(勝ち数の偏りの χ² 検定)、lr と lr_p はブラッドリー・テリーのモデルと「どのパネルも同じ強さ」"
         "のモデルの尤度比検定です。--pairs はデビッドの範囲検定で、パネルの対ごとに勝ち数の差が"
         "限界値以上なら different を yes とします。--letters はパネルを勝ち数の多い順に並べ、"
         "差のないパネルに同じ文字を付けます。計算できない値は NA とし、その理由を標準エラー出力に書きます。",
     .arguments = {kSeries,
                   kGroup,
                   kFile,
                   {"--pairs", "パネルの対ごとの範囲検定を書きます。"},
                   {"--letters", "差のないパネルをまとめる文字を書きます。"},
                   kAlpha,
                   kHtml,
                   kOutput},
     .examples = {"kestrune-cli differences 色彩の印象 mix 大学生2026",
                  "kestrune-cli differences 色彩の印象 mix 大学生2026 --letters --alpha 0.01"}},
    differences);
const CommandRegistration scoreIntervalCommand(
    "score-ci",
    {.usage = "SERIES GROUP FILE [--level L] [--html] [-o OUT]",
     .summary = "100 点満点の得点の信頼区間",
     .description = "イメージ語とパネルごとに、集計表と同じ得点と標準偏差、被験者数、"
                    "得点 ± t(1 − (1 − L)/2; n − 1)·SD/√n の下限と上限を書きます。"
                    "被験者が 1 人のときは区間を NA とします。",
     .arguments = {kSeries, kGroup, kFile, {"--level L", "信頼係数(既定 0.95)。"}, kHtml, kOutput},
     .examples = {"kestrune-cli score-ci 色彩の印象 mix 大学生2026 --level 0.99"}},
    scoreInterval);
const CommandRegistration groupTestCommand(
    "group-test",
    {.usage = "SERIES GROUP1 FILE1 GROUP2 FILE2 [--html] [-o OUT]",
     .summary = "二つのデータファイルの判断が同じか(尤度比検定)",
     .description = "同じシリーズの二つのデータファイル(男性と女性など)について、イメージ語ごとに、"
                    "両方に共通のブラッドリー・テリーのモデルとファイルごとのモデルの尤度比 lr、"
                    "自由度 df と p 値を書きます。",
     .arguments = {kSeries,
                   {"GROUP1 FILE1", "一つめのデータファイルの群と名前。"},
                   {"GROUP2 FILE2", "二つめのデータファイルの群と名前。"},
                   kHtml,
                   kOutput},
     .examples = {"kestrune-cli group-test 色彩の印象 mix 大学生2026 female 予備調査"}},
    groupTest);
const CommandRegistration planCommand(
    "plan",
    {.usage = "SERIES GROUP FILE [--alpha A] [--power P] [--html] [-o OUT]",
     .summary = "次の調査に必要な被験者数(予備調査から)",
     .description = "予備調査のデータファイルからブラッドリー・テリーのモデルで勝つ確率を求め、"
                    "イメージ語ごとに、被験者 1 人あたりの非心度 lambda1、デビッドの検定が有意水準 A で"
                    "検出力 P に届く最小の被験者数 subjects と、そのときの検出力 power を書きます。"
                    "差がまったく見られないときは subjects を NA とし、その理由を標準エラー出力に書きます。",
     .arguments = {kSeries, kGroup, kFile, kAlpha, {"--power P", "目標の検出力(既定 0.8)。"}, kHtml, kOutput},
     .examples = {"kestrune-cli plan 色彩の印象 mix 大学生2026 --power 0.9"}},
    plan);

}  // namespace
}  // namespace kestrune::cli
