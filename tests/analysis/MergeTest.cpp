// Merging the files of a join list into one data file.
#include <gtest/gtest.h>

#include "analysis/Merge.h"
#include "core/Error.h"
#include "core/TextLines.h"
#include "tests/analysis/AnalysisDisk.h"
#include "tests/support/UserErrorText.h"

using namespace kestrune;
using kestrune::testing::dataLines;
using kestrune::testing::readBytes;
using kestrune::testing::TempDisk;
using kestrune::testing::textEndsWith;

namespace {

JoinList listOf(const std::vector<JoinEntry>& entries) {
    JoinList list;
    list.add(entries);
    return list;
}

void makeTwoFiles(const TempDisk& disk) {
    disk.makeSeries("印象", 3, {"明るい"});
    disk.writeLines("male/印象/一.dat", dataLines(1, 3, 1, {0, 0, 1}));
    disk.writeLines("female/印象/二.dat", {"2,3,1", "1", "+1", " 0", "0", "1", "1", "999"});
}

}  // namespace

TEST(Merge, ConcatenatesTheValueLinesUnchangedInListOrder) {
    TempDisk disk;
    makeTwoFiles(disk);
    const JoinList list = listOf({{TSexGroup::Male, "印象", "一"}, {TSexGroup::Female, "印象", "二"}});
    const std::optional<MergeTarget> target = planMerge(disk.disk(), list, "ALL");
    ASSERT_TRUE(target);
    EXPECT_EQ(target->group, TSexGroup::Mix);
    EXPECT_EQ(target->path, disk.path("mix/印象/ALL.dat"));
    EXPECT_EQ(mergeDataFiles(disk.disk(), list, *target), 3);
    EXPECT_EQ(readBytes(target->path), "3,3,1\r\n0\r\n0\r\n1\r\n1\r\n+1\r\n 0\r\n0\r\n1\r\n1\r\n");
}

TEST(Merge, AFileAddedTwiceDoublesItsSubjects) {
    TempDisk disk;
    makeTwoFiles(disk);
    const JoinList list = listOf({{TSexGroup::Male, "印象", "一"}, {TSexGroup::Male, "印象", "一"}});
    const MergeTarget target = *planMerge(disk.disk(), list, "倍");
    EXPECT_EQ(target.group, TSexGroup::Male);
    mergeDataFiles(disk.disk(), list, target);
    EXPECT_EQ(readTextLines(target.path), (std::vector<std::string>{"2,3,1", "0", "0", "1", "0", "0", "1"}));
}

TEST(Merge, MergingIntoAFileOfTheListReadsItBeforeReplacingIt) {
    TempDisk disk;
    makeTwoFiles(disk);
    const JoinList list = listOf({{TSexGroup::Male, "印象", "一"}, {TSexGroup::Male, "印象", "一"}});
    const MergeTarget target = *planMerge(disk.disk(), list, "一");
    ASSERT_EQ(target.path, disk.path("male/印象/一.dat"));
    mergeDataFiles(disk.disk(), list, target);
    EXPECT_EQ(readTextLines(target.path), (std::vector<std::string>{"2,3,1", "0", "0", "1", "0", "0", "1"}));
}

TEST(Merge, EmptyNameAndEmptyList) {
    TempDisk disk;
    makeTwoFiles(disk);
    try {
        planMerge(disk.disk(), listOf({{TSexGroup::Male, "印象", "一"}}), "");
        FAIL() << "an empty name was accepted";
    } catch (const UserError& error) {
        EXPECT_STREQ(error.what(), "ファイル名を入力してください!!");
        EXPECT_EQ(error.caption(), "エラー");
    }
    EXPECT_FALSE(planMerge(disk.disk(), JoinList(), "ALL"));
}

TEST(Merge, FilesWhoseCountsDisagreeAreRefusedBeforeAnythingIsWritten) {
    TempDisk disk;
    makeTwoFiles(disk);
    disk.writeLines("male/印象/二語.dat", dataLines(1, 3, 2, {0, 0, 0, 0, 0, 0}));
    disk.writeLines("mix/印象/ALL.dat", {"old"});
    const JoinList list = listOf({{TSexGroup::Male, "印象", "一"}, {TSexGroup::Male, "印象", "二語"}});
    try {
        mergeDataFiles(disk.disk(), list, *planMerge(disk.disk(), list, "ALL"));
        FAIL() << "disagreeing files were merged";
    } catch (const UserError& error) {
        EXPECT_NE(std::string(error.what()).find("二語.dat"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(std::filesystem::exists(disk.path("male/印象/ALL.dat")));
    EXPECT_EQ(readBytes(disk.path("mix/印象/ALL.dat")), "old\r\n");
}

TEST(Merge, UnreadableOrMalformedFilesStopTheMergeWithTheReadersMessages) {
    TempDisk disk;
    makeTwoFiles(disk);
    disk.writeLines("male/印象/字.dat", {"1,3,1", "0", "x", "0"});
    disk.writeLines("male/印象/短.dat", {"1,3,1", "0"});
    const auto messageOf = [&](const std::string& file) {
        const JoinList list = listOf({{TSexGroup::Male, "印象", "一"}, {TSexGroup::Male, "印象", file}});
        try {
            mergeDataFiles(disk.disk(), list, *planMerge(disk.disk(), list, "ALL"));
        } catch (const UserError& error) {
            return std::string(error.what());
        }
        return std::string("merged");
    };
    EXPECT_PRED2(textEndsWith, messageOf("字"), "字.dat の 3 行目: 'x' は整数ではありません");
    EXPECT_PRED2(textEndsWith, messageOf("短"), "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています");
    EXPECT_NE(messageOf("ない").find("は開けません"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(disk.path("male/印象/ALL.dat")));
}
