#include <gtest/gtest.h>

#include "analysis/statistics/FileStatistics.h"
#include "core/Cp932.h"
#include "core/Error.h"
#include "core/TextLines.h"
#include "tests/analysis/AnalysisDisk.h"
#include "tests/analysis/statistics/StatisticsInput.h"

namespace st = kestrune::statistics;
using namespace kestrune::testing;

namespace {

// Six panels, two images. Subjects 1 and 3 order the panels strictly (panel 1 first, d = 0,
// P = 720/32768 < 5 %); subject 2 answers as the circulant in which panel i beats i+1 and i+2
// (and panels 1..3 beat 4..6 opposite them): wins 3, 3, 3, 2, 2, 2 and d = dmax = 8.
std::vector<int> answersOfSubject(bool consistent) {
    std::vector<int> answers;
    for (const kestrune::TPanelPair& p : allPairs(6)) {
        const int a = p.a - 1, difference = p.b - p.a;
        const bool aWins = consistent || difference == 1 || difference == 2 || (difference == 3 && a < 3);
        answers.push_back(aWins ? 0 : 1);
        answers.push_back(aWins ? 0 : 1);  // the same on the second image
    }
    return answers;
}

void makeScreeningDisk(const TempDisk& disk) {
    disk.makeSeries("六色", 6, {"明るい", "暖かい"});
    std::vector<int> answers;
    for (bool consistent : {true, false, true}) {
        const std::vector<int> one = answersOfSubject(consistent);
        answers.insert(answers.end(), one.begin(), one.end());
    }
    disk.writeLines("mix/六色/調査.dat", dataLines(3, 15, 2, answers));
}

}  // namespace

TEST(Screening, TheInconsistentSubjectIsListedAndLeftOutOfTheNewFile) {
    TempDisk disk;
    makeScreeningDisk(disk);
    const std::string sourceBefore = readBytes(disk.path("mix/六色/調査.dat"));
    std::vector<std::string> words;
    const kestrune::AnalysisInput input =
        st::loadStatisticsInput(disk.disk(), kestrune::TSexGroup::Mix, "六色", "調査", words);
    const st::FileStatistics stats = st::computeFileStatistics(input, words, 0.05, 0.5);
    EXPECT_EQ(stats.images[0].consistency[1].circularTriads, 8);
    EXPECT_EQ(stats.images[0].consistency[1].maximum, 8);
    EXPECT_EQ(stats.screening.screenedNumbers(), std::vector<int>{2});

    const std::filesystem::path target =
        st::screenedFilePath(disk.disk(), kestrune::TSexGroup::Mix, "六色", "調査", "一貫");
    st::writeScreenedFile(target, input.answers, stats.screening);

    EXPECT_EQ(readBytes(disk.path("mix/六色/調査.dat")), sourceBefore);
    std::vector<int> kept = answersOfSubject(true);
    const std::vector<int> third = answersOfSubject(true);
    kept.insert(kept.end(), third.begin(), third.end());
    EXPECT_EQ(readBytes(target), kestrune::encodeCp932(kestrune::joinLinesCrlf(dataLines(2, 15, 2, kept))));
}

TEST(Screening, RefusesTheSourceNameNobodyScreenedAndAnUnreachableLevel) {
    TempDisk disk;
    makeScreeningDisk(disk);
    const kestrune::StudyDisk study = disk.disk();
    EXPECT_THROW(st::screenedFilePath(study, kestrune::TSexGroup::Mix, "六色", "調査", "調査"),
                 kestrune::UserError);
    EXPECT_THROW(st::screenedFilePath(study, kestrune::TSexGroup::Mix, "六色", "調査", ""),
                 kestrune::UserError);
    EXPECT_THROW(st::screenedFilePath(study, kestrune::TSexGroup::Mix, "六色", "調査", "../x"),
                 kestrune::UserError);

    std::vector<std::string> words;
    const kestrune::AnalysisInput input =
        st::loadStatisticsInput(study, kestrune::TSexGroup::Mix, "六色", "調査", words);
    // Share 1: nobody is inconsistent on more than every image.
    const st::FileStatistics lenient = st::computeFileStatistics(input, words, 0.05, 1.0);
    EXPECT_TRUE(lenient.screening.screenedNumbers().empty());
    EXPECT_THROW(st::withoutScreened(input.answers, lenient.screening), kestrune::UserError);
    // Level 1 %: even the strict order (0.022) is not significant, and no test is possible.
    const st::FileStatistics strict = st::computeFileStatistics(input, words, 0.01, 0.5);
    EXPECT_FALSE(strict.screening.testable);
    EXPECT_THROW(st::withoutScreened(input.answers, strict.screening), kestrune::UserError);
}
