#include "analysis/statistics/Screening.h"

#include "analysis/AnalysisMessages.h"
#include "analysis/statistics/CircularTriads.h"
#include "analysis/statistics/StatisticsMessages.h"
#include "core/DiskNames.h"
#include "core/Error.h"

namespace kestrune::statistics {

std::vector<int> Screening::screenedNumbers() const {
    std::vector<int> numbers;
    for (const ScreenedSubject& s : subjects) {
        if (s.screened)
            numbers.push_back(s.subject);
    }
    return numbers;
}

Screening screenSubjects(const PairedData& data, double level, double share) {
    Screening result;
    result.level = level;
    result.share = share;
    result.smallestProbability = smallestTriadProbability(data.panels());
    result.testable = result.smallestProbability <= level;
    for (int s = 1; s <= data.subjects(); ++s) {
        ScreenedSubject subject;
        subject.subject = s;
        for (int m = 1; m <= data.images(); ++m) {
            if (consistencyOfWins(data.subjectWins(s, m)).probability > level)
                ++subject.inconsistentImages;
        }
        subject.share = static_cast<double>(subject.inconsistentImages) / data.images();
        subject.screened = result.testable && subject.share > share;
        result.subjects.push_back(subject);
    }
    return result;
}

std::filesystem::path screenedFilePath(const StudyDisk& disk, TSexGroup group, std::string_view series,
                                       std::string_view sourceFile, std::string_view name) {
    if (name.empty()) {
        throw UserError(std::string(analysis_messages::kEnterFileName),
                        std::string(analysis_messages::kErrorCaption));
    }
    if (const DiskNameProblem problem = diskNameProblem(name); problem != DiskNameProblem::None)
        throw UserError(diskNameMessage(name, problem), std::string(analysis_messages::kErrorCaption));
    const std::filesystem::path source = disk.dataPath(group, series, sourceFile);
    const std::filesystem::path target = disk.dataPath(group, series, name);
    std::error_code ignored;
    if (name == sourceFile || std::filesystem::equivalent(source, target, ignored))
        throw UserError(std::string(messages::kSameAsSource), std::string(analysis_messages::kErrorCaption));
    return target;
}

TResponseMatrix withoutScreened(const TResponseMatrix& answers, const Screening& screening) {
    if (!screening.testable)
        throw UserError(messages::notTestable(screening.level, screening.smallestProbability));
    const std::vector<int> screened = screening.screenedNumbers();
    if (screened.empty())
        throw UserError(std::string(messages::kNobodyScreened));
    if (static_cast<int>(screened.size()) >= answers.subjects)
        throw UserError(std::string(messages::kEverybodyScreened));
    TResponseMatrix kept{0, answers.pairs, answers.images, {}};
    const std::size_t sheetAnswers = static_cast<std::size_t>(answers.pairs) * answers.images;
    for (const ScreenedSubject& s : screening.subjects) {
        if (s.screened)
            continue;
        const auto first =
            answers.answers.begin() + static_cast<std::ptrdiff_t>((s.subject - 1) * sheetAnswers);
        kept.answers.insert(kept.answers.end(), first, first + static_cast<std::ptrdiff_t>(sheetAnswers));
        ++kept.subjects;
    }
    return kept;
}

void writeScreenedFile(const std::filesystem::path& target, const TResponseMatrix& answers,
                       const Screening& screening) {
    const TResponseMatrix kept = withoutScreened(answers, screening);
    WriteResponseFile(target, kept, kept.subjects);
}

}  // namespace kestrune::statistics
