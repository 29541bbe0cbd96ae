// merge: concatenates data files of one series, in the order given, into a new data file.
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/JoinList.h"
#include "analysis/Merge.h"
#include "cli/AnalysisArguments.h"
#include "cli/Command.h"
#include "cli/CommonArguments.h"

namespace kestrune::cli {
namespace {

JoinEntry joinEntryArgument(const std::string& series, const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == text.size()) {
        throw UsageError("a file to merge is GROUP:FILE, not " + text);
    }
    return {sexGroupArgument(text.substr(0, colon)), series, diskNameArgument(text.substr(colon + 1))};
}

int merge(Invocation& invocation) {
    std::vector<std::string> args = invocation.args;
    const bool yes = takeFlag(args, "--yes");
    const std::optional<std::string> into = takeOption(args, "--into");
    if (!into)
        throw UsageError("--into NAME is needed");
    if (args.size() < 2)
        throw UsageError("a series and at least one GROUP:FILE are needed");
    const std::string series = diskNameArgument(args.front());
    std::vector<JoinEntry> chosen;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i].rfind("--", 0) == 0)
            throw UsageError("unknown option " + args[i]);
        chosen.push_back(joinEntryArgument(series, args[i]));
    }
    JoinList list;
    list.add(chosen);
    const std::optional<MergeTarget> target = planMerge(invocation.disk, list, *into);
    if (!target)
        return 0;
    // The name itself is looked at, not what a link points to: a link (even a loop) is a file
    // of that name, and replacing it is asked first.
    std::error_code error;
    const bool exists = std::filesystem::exists(std::filesystem::symlink_status(target->path, error));
    if (exists && !yes && !overwriteConfirmed(invocation))
        return 1;
    mergeDataFiles(invocation.disk, list, *target);
    return 0;
}

const CommandRegistration mergeCommand(
    "merge",
    {.usage = "SERIES --into NAME [--yes] GROUP:FILE ...",
     .summary = "データファイルの結合",
     .description =
         "シリーズ SERIES のデータファイルを、並べた順に被験者をつないで 1 つの新しいデータファイル "
         "NAME.dat にします(画面の「データの結合」)。結合するファイルがすべて男性なら male に、"
         "すべて女性なら female に、それ以外は mix に書きます。対の数やイメージ語の数が違うファイルは"
         "結合できません。同名のファイルがあるときは上書きしてよいか尋ね、端末でないときや答えが "
         "y でないときは何も書きません。",
     .arguments = {common_arguments::kSeries,
                   {"GROUP:FILE",
                    "結合するデータファイル。群と名前をコロンでつなぎます(例 mix:大学生2026)。"},
                   {"--into NAME", "作るデータファイルの名前(拡張子 .dat は付けません)。"},
                   {"--yes", "同名のファイルがあっても尋ねずに上書きします。"}},
     .examples = {"kestrune-cli merge 色彩の印象 --into 全員 mix:大学生2026 female:予備調査"}},
    merge);

}  // namespace
}  // namespace kestrune::cli
