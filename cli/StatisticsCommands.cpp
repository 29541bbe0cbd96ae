// consistency, agreement, scale, order-bias and screen: the paired-comparison statistics of
// one data file as TAB-separated tables (or HTML), and the data file without the screened
// subjects.
#include <charconv>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/statistics/BatchTables.h"
#include "analysis/statistics/FileStatistics.h"
#include "analysis/statistics/StatisticsCaptions.h"
#include "analysis/statistics/StatisticsMessages.h"
#include "cli/AnalysisArguments.h"
#include "cli/Command.h"
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
    parsed.series = names[0];
    parsed.group = sexGroupArgument(names[1]);
    parsed.file = names[2];
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
    if (!model || (*model != "bt" && *model != "thurstone"))
        throw UsageError("--model bt or --model thurstone is needed");
    const FileArguments a = fileArguments(args);
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

const CommandRegistration consistencyCommand("consistency", "SERIES GROUP FILE [--html] [-o OUT]",
                                             consistency);
const CommandRegistration agreementCommand("agreement", "SERIES GROUP FILE [--html] [-o OUT]", agreement);
const CommandRegistration scaleCommand("scale", "SERIES GROUP FILE --model bt|thurstone [--html] [-o OUT]",
                                       scale);
const CommandRegistration orderBiasCommand("order-bias", "SERIES GROUP FILE [--html] [-o OUT]", orderBias);
const CommandRegistration screenCommand(
    "screen", "SERIES GROUP FILE [--level 0.05] [--share 0.5] [--into NAME [--yes]] [--html] [-o OUT]",
    screen);

}  // namespace
}  // namespace kestrune::cli
