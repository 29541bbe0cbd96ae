#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/statistics/PairedData.h"
#include "core/Response.h"
#include "core/StudyDisk.h"

namespace kestrune::statistics {

// Subjects whose consistency is not significant (P(D ≤ d) > level) on more than `share` of
// the images. Needs a level that a subject can reach: with few panels even a subject without
// circular triads is not significant (five panels: 0.117), and then nobody is screened.
inline constexpr double kDefaultScreeningLevel = 0.05;
inline constexpr double kDefaultScreeningShare = 0.5;

struct ScreenedSubject {
    int subject = 0;  // 1-based
    int inconsistentImages = 0;
    double share = 0;
    bool screened = false;
};

struct Screening {
    bool testable = false;  // the smallest probability is at most the level
    double smallestProbability = 0;
    double level = kDefaultScreeningLevel;
    double share = kDefaultScreeningShare;
    std::vector<ScreenedSubject> subjects;  // every subject, in file order
    std::vector<int> screenedNumbers() const;
};
Screening screenSubjects(const PairedData& data, double level, double share);

// Where the data file without the screened subjects goes: the same series and sex group,
// the name the user gave plus ".dat". Refuses an empty name ("ファイル名を入力してください!!"),
// a name with a path separator, and the source file's own name.
std::filesystem::path screenedFilePath(const StudyDisk& disk, TSexGroup group, std::string_view series,
                                       std::string_view sourceFile, std::string_view name);

// The answers of the subjects not screened, in their order. Refuses a screening without a
// test, with nobody screened, or with everybody screened (a file has at least one subject).
TResponseMatrix withoutScreened(const TResponseMatrix& answers, const Screening& screening);

// Writes that matrix whole and atomically; the source is only read. The caller asks before
// replacing an existing file.
void writeScreenedFile(const std::filesystem::path& target, const TResponseMatrix& answers,
                       const Screening& screening);

}  // namespace kestrune::statistics
