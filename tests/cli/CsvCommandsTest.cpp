// export and import run as a user runs them on a copy of the sample disk.
#include <gtest/gtest.h>

#include "tests/support/ProgramRun.h"
#include "tests/support/TempDisk.h"

using kestrune::testing::readBytes;
using kestrune::testing::runProgram;
using kestrune::testing::TempDisk;

namespace {

struct SampleDisk {
    TempDisk disk;
    SampleDisk() {
        std::filesystem::copy(std::filesystem::path(KESTRUNE_EXAMPLES) / "study-disk", disk.root(),
                              std::filesystem::copy_options::recursive);
    }
    kestrune::testing::ProgramRun run(const std::string& arguments) const {
        return runProgram("cd '" + disk.root().string() + "' && '" + KESTRUNE_CLI + "' " + arguments);
    }
};

}  // namespace

TEST(CliCsv, ExportThenImportGivesTheOriginalFile) {
    const SampleDisk sample;
    const auto printed = sample.run("export 色彩の印象 mix 大学生2026");
    ASSERT_EQ(printed.status, 0) << printed.err;
    EXPECT_EQ(printed.out.rfind("series,group,file,subject,trial,panel_a,panel_b,image,word,answer,chosen\n"
                                "色彩の印象,mix,大学生2026,1,1,1,2,1,明るい,",
                                0),
              0u);
    ASSERT_EQ(sample.run("export 色彩の印象 mix 大学生2026 --excel -o 書き出し.csv").status, 0);
    const std::string excel = readBytes(sample.disk.path("書き出し.csv"));
    EXPECT_EQ(excel.rfind("\xEF\xBB\xBFseries,group,", 0), 0u);
    EXPECT_EQ(std::count(excel.begin(), excel.end(), '\n'), std::count(excel.begin(), excel.end(), '\r'));
    const auto imported = sample.run("import 色彩の印象 female 戻り 書き出し.csv");
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(readBytes(sample.disk.path("female/色彩の印象/戻り.dat")),
              readBytes(sample.disk.path("mix/色彩の印象/大学生2026.dat")));

    const auto paircomp = sample.run("export 色彩の印象 mix 大学生2026 --paircomp");
    EXPECT_EQ(paircomp.status, 0);
    EXPECT_EQ(
        paircomp.out.rfind("subject,image,word,1:2,1:3,2:3,1:4,2:4,3:4,1:5,2:5,3:5,4:5\n1,1,明るい,", 0), 0u);
}

TEST(CliCsv, ImportAsksBeforeReplacingAndWritesNothingOnAnError) {
    const SampleDisk sample;
    const std::filesystem::path existing = sample.disk.path("mix/色彩の印象/大学生2026.dat");
    const std::string before = readBytes(existing);
    const auto asked = sample.run("import 色彩の印象 mix 大学生2026 回答フォーム.csv");
    EXPECT_EQ(asked.status, 1);
    EXPECT_NE(asked.err.find("同名のファイルが存在しますが、上書きしますか?"), std::string::npos);
    EXPECT_EQ(readBytes(existing), before);
    const auto replaced = sample.run("import 色彩の印象 mix 大学生2026 回答フォーム.csv --yes");
    EXPECT_EQ(replaced.status, 0) << replaced.err;
    EXPECT_EQ(readBytes(existing).rfind("3,10,8\r\n", 0), 0u);

    sample.disk.writeBytes("bad.csv", "subject,trial,image,answer\n1,1,1,0\n1,11,1,0\n");
    const auto refused = sample.run("import 色彩の印象 mix 新しい bad.csv");
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err,
              "CSV ファイル bad.csv の 3 行目: trial の値 「11」 は 1 から 10 までの整数ではありません。\n");
    EXPECT_FALSE(std::filesystem::exists(sample.disk.path("mix/色彩の印象/新しい.dat")));
    EXPECT_EQ(sample.run("import 色彩の印象 mix ../外 bad.csv").status, 1);
    EXPECT_EQ(sample.run("import 色彩の印象 mix").status, 2);
}
