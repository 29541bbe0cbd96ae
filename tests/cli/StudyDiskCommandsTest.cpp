// The batch program's listings, run as a user runs them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>

#include "tests/support/ProgramRun.h"
#include "tests/support/TempDisk.h"

using kestrune::testing::TempDisk;

namespace {

using CliRun = kestrune::testing::ProgramRun;

CliRun run(const std::string& arguments) {
    return kestrune::testing::runProgram(std::string(KESTRUNE_CLI) + " " + arguments, true);
}

}  // namespace

TEST(CliListings, SeriesAndFilesOfADisk) {
    TempDisk disk;
    disk.makeSeries("味", 4, {"甘い", "辛い"});
    disk.writeLines("female/味/run1.dat",
                    {"1,6,2", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"});
    disk.writeLines("kestrune.ini", {"[groups]", "味=味の調査", "[files]", "female\\味\\run1=一回目"});
    const std::string root = "--root '" + disk.root().string() + "'";
    CliRun series = run(root + " series");
    EXPECT_EQ(series.status, 0);
    EXPECT_EQ(series.out, "味\t4\t2\t味の調査\n");
    for (const char* group : {"female", "女性"}) {
        CliRun files = run(root + " files 味 " + group);
        EXPECT_EQ(files.status, 0);
        EXPECT_EQ(files.out, "run1\t1\t一回目\n");
    }
}

TEST(CliListings, ErrorsAndUsage) {
    TempDisk disk;
    disk.makeSeries("a", 3, {"x"});
    std::filesystem::remove(disk.path("paper/a.pap"));
    const std::string root = "--root '" + disk.root().string() + "'";
    CliRun failed = run(root + " series");
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.out.find("a.pap は開けません"), std::string::npos);
    EXPECT_EQ(run(root + " files a nogroup").status, 2);
    EXPECT_EQ(run(root + " files").status, 2);
    EXPECT_EQ(run(root + " nosuchcommand").status, 2);
    EXPECT_EQ(run("").status, 2);
}
