// merge: concatenates data files of one series, in the order given, into a new data file.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "analysis/JoinList.h"
#include "analysis/Merge.h"
#include "cli/AnalysisArguments.h"
#include "cli/Command.h"

namespace kestrune::cli {
namespace {

constexpr const char* kOverwriteQuestion = "同名のファイルが存在しますが、上書きしますか?";

JoinEntry joinEntryArgument(const std::string& series, const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == text.size()) {
        throw UsageError("a file to merge is GROUP:FILE, not " + text);
    }
    return {sexGroupArgument(text.substr(0, colon)), series, diskNameArgument(text.substr(colon + 1))};
}

// The overwrite question: on a terminal the user answers it; otherwise the run is refused.
bool overwriteConfirmed(Invocation& invocation) {
    invocation.err << kOverwriteQuestion;
    if (!invocation.interactive) {
        invocation.err << '\n';
        return false;
    }
    invocation.err << " [y/N] " << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer))
        return false;
    return answer == "y" || answer == "Y" || answer == "yes" || answer == "はい";
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

const CommandRegistration mergeCommand("merge", "SERIES --into NAME [--yes] GROUP:FILE ...", merge);

}  // namespace
}  // namespace kestrune::cli
