#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/JoinList.h"
#include "core/StudyDisk.h"

namespace kestrune {

// Where the merge ("結合") of a join list writes: the group that the result group label names,
// the series of the first entry and the result file name plus ".dat".
struct MergeTarget {
    TSexGroup group = TSexGroup::Mix;
    std::string series;
    std::string file;
    std::filesystem::path path;
};

// An empty result file name throws UserError "ファイル名を入力してください!!" (caption "エラー");
// an empty join list gives no target (the merge stops without a message). The caller asks
// "同名のファイルが存在しますが、上書きしますか?" when the target exists.
std::optional<MergeTarget> planMerge(const StudyDisk& disk, const JoinList& list,
                                     std::string_view resultName);

// Reads every file of the list (as the response data reader does, so a header or value that
// is not an integer or a short file stops with its message), refuses files whose pair or image
// counts differ from the first one's, and only then writes the header "total,P,I" and the value
// lines, unchanged as text, in list order. The target is written atomically, so a target that
// is itself in the list is read first and then replaced. Returns the subject total.
long long mergeDataFiles(const StudyDisk& disk, const JoinList& list, const MergeTarget& target);

}  // namespace kestrune
