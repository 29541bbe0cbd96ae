// The six faults a review reproduced with the batch program on hostile study disks: each is
// refused with our own message, nothing is written where it must not be, nothing crashes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>

#include "tests/support/ProgramRun.h"
#include "tests/support/TempDisk.h"

using kestrune::testing::readBytes;
using kestrune::testing::TempDisk;

namespace {

using CliRun = kestrune::testing::ProgramRun;

CliRun run(const TempDisk& disk, const std::string& arguments) {
    return kestrune::testing::runProgram(
        std::string(KESTRUNE_CLI) + " --root \'" + disk.root().string() + "\' " + arguments, true);
}

// A three-panel series "s" with one image and a two-subject data file male/s/f.dat.
void makeSmallSeries(const TempDisk& disk) {
    disk.makeSeries("s", 3, {"明るい"});
    disk.writeLines("male/s/f.dat", {"2,3,1", "0", "1", "0", "1", "1", "0"});
}

bool hasAsciiLetterRun(const std::string& text) {
    // An English library message has words of letters; ours have none.
    int run = 0;
    for (char c : text) {
        run = ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) ? run + 1 : 0;
        if (run >= 5)
            return true;
    }
    return false;
}

}  // namespace

TEST(HostileFilesCli, HeaderCountsAreCheckedBeforeAnythingIsSizedFromThem) {
    TempDisk disk;
    makeSmallSeries(disk);
    disk.writeLines("order/s.ord", {"5,666663330", "1,2"});
    CliRun pairs = run(disk, "aggregate s male f");
    EXPECT_EQ(pairs.status, 1);
    EXPECT_NE(pairs.out.find("比較回数 666663330"), std::string::npos) << pairs.out;

    for (const char* panels : {"9912333,0", "2147483647,1", "20000000,1"}) {
        disk.writeLines("order/s.ord", {panels, "1,2"});
        CliRun refused = run(disk, "aggregate s male f");
        EXPECT_EQ(refused.status, 1) << panels;
        EXPECT_NE(refused.out.find("シリーズ s は扱えません。パネルの数"), std::string::npos) << refused.out;
        EXPECT_FALSE(hasAsciiLetterRun(refused.out)) << refused.out;
    }

    disk.makeSeries("s", 3, {"明るい"});
    disk.writeLines("male/s/f.dat", {"2147483647,2147483647,2147483647", "0"});
    CliRun answers = run(disk, "aggregate s male f");
    EXPECT_EQ(answers.status, 1);
    EXPECT_NE(
        answers.out.find("f.dat の 1 行目: 見出し '2147483647,2147483647,2147483647' の数が大きすぎます: "
                         "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています\n"),
        std::string::npos)
        << answers.out;

    disk.writeLines("physical/s/s.phy", {"1,2147483647", "\"x\",\"\"", "1"});
    CliRun quantities = run(disk, "correlate s --columns physical --rows physical");
    EXPECT_EQ(quantities.status, 1);
    // The message names the file: its path is the one run of letters allowed.
    std::string withoutPath = quantities.out;
    const std::string root = disk.path("physical/s/s.phy").string();
    for (std::size_t at; (at = withoutPath.find(root)) != std::string::npos;)
        withoutPath.erase(at, root.size());
    EXPECT_FALSE(hasAsciiLetterRun(withoutPath)) << quantities.out;
}

TEST(HostileFilesCli, AMergeResultNameNeverLeavesTheSeriesDirectory) {
    TempDisk disk;
    makeSmallSeries(disk);
    const std::filesystem::path outside = disk.path("elsewhere");
    for (const std::string& name :
         {outside.string(), std::string("../../escaped"), std::string(".."), std::string("a\\b")}) {
        CliRun refused = run(disk, "merge s --yes --into '" + name + "' male:f");
        EXPECT_EQ(refused.status, 1) << name;
        EXPECT_NE(refused.out.find("はファイル名に使えません。"), std::string::npos) << refused.out;
    }
    EXPECT_FALSE(std::filesystem::exists(outside.string() + ".dat"));
    EXPECT_FALSE(std::filesystem::exists(disk.path("escaped.dat")));
    // The names of the files to merge go through the same test.
    EXPECT_EQ(run(disk, "merge s --into ok male:../s/f").status, 1);
    EXPECT_EQ(run(disk, "aggregate ../male s f").status, 1);
    EXPECT_FALSE(std::filesystem::exists(disk.path("male/s/ok.dat")));
}

TEST(HostileFilesCli, AMergeBeyondWhatAHeaderHoldsIsRefusedBeforeWriting) {
    TempDisk disk;
    makeSmallSeries(disk);
    disk.writeLines("male/s/g.dat", {"2147483647,0,0"});
    CliRun refused = run(disk, "merge s --into big male:g male:g");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.out.find("被験者数 4294967294"), std::string::npos) << refused.out;
    EXPECT_FALSE(std::filesystem::exists(disk.path("male/s/big.dat")));
    // Within the limit the merge still writes a file its own reader takes.
    ASSERT_EQ(run(disk, "merge s --into both male:f male:f").status, 0);
    EXPECT_EQ(run(disk, "files s male").out, "both\t4\t\nf\t2\t\ng\t2147483647\t\n");
}

TEST(HostileFilesCli, ARegistryThatIsADirectoryReadsAsEmpty) {
    TempDisk disk;
    makeSmallSeries(disk);
    disk.makeDirectory("kestrune.ini");
    CliRun series = run(disk, "series");
    EXPECT_EQ(series.status, 0);
    EXPECT_EQ(series.out, "s\t3\t1\t\n");
    CliRun files = run(disk, "files s male");
    EXPECT_EQ(files.status, 0);
    EXPECT_EQ(files.out, "f\t2\t\n");
}

TEST(HostileFilesCli, QuantitiesNearTheLimitOfADoubleGiveTheNumberMarker) {
    TempDisk disk;
    makeSmallSeries(disk);
    disk.writeLines("physical/s/s.phy",
                    {"2,3", "\"q\",\"\"", "1e308", "1e308", "-1e308", "\"r\",\"\"", "1", "2", "4"});
    CliRun matrix = run(disk, "correlate s --columns physical --rows physical");
    EXPECT_EQ(matrix.status, 0);
    EXPECT_EQ(matrix.out.find("NAN"), std::string::npos) << matrix.out;
    EXPECT_EQ(matrix.out.find("INF"), std::string::npos) << matrix.out;
    EXPECT_EQ(matrix.out, "\tq\tr\nq\t#NUM!\t#NUM!\nr\t#NUM!\t1.0000\n");
}

TEST(HostileFilesCli, ALinkLoopAsMergeTargetIsAskedAboutAndThenReplaced) {
    TempDisk disk;
    makeSmallSeries(disk);
    std::filesystem::create_symlink("loop.dat", disk.path("male/s/loop.dat"));
    CliRun asked = run(disk, "merge s --into loop male:f");
    EXPECT_EQ(asked.status, 1);
    EXPECT_EQ(asked.out, "同名のファイルが存在しますが、上書きしますか?\n");
    CliRun replaced = run(disk, "merge s --yes --into loop male:f");
    EXPECT_EQ(replaced.status, 0) << replaced.out;
    EXPECT_EQ(readBytes(disk.path("male/s/loop.dat")), readBytes(disk.path("male/s/f.dat")));
    // A loop where a file to read should be is reported as a file that cannot be opened.
    std::filesystem::create_symlink("cycle.dat", disk.path("male/s/cycle.dat"));
    CliRun unreadable = run(disk, "aggregate s male cycle");
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_NE(unreadable.out.find("cycle.dat は開けません"), std::string::npos) << unreadable.out;
}
