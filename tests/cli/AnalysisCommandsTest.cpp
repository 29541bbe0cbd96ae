// aggregate, individual, correlate and merge, run as a user runs them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>

#include "core/Cp932.h"
#include "core/TextLines.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempDisk.h"

using kestrune::testing::readBytes;
using kestrune::testing::TempDisk;

namespace {

using CliRun = kestrune::testing::ProgramRun;

// Runs the batch program in `directory`, standard input not a terminal.
CliRun run(const std::string& directory, const std::string& arguments) {
    return kestrune::testing::runProgram("cd \'" + directory + "\' && " + std::string(KESTRUNE_CLI) + " " +
                                         arguments);
}

const std::string kTables = std::string(KESTRUNE_TEST_DATA) + "/tables";

std::string golden(const std::string& name) {
    return readBytes(std::filesystem::path(kTables) / name);
}

// The golden bytes as standard output shows them: UTF-8 with LF.
std::string onTerminal(const std::string& name) {
    std::string text;
    for (const std::string& line : kestrune::splitLines(kestrune::decodeCp932(golden(name), name)))
        text += line + "\n";
    return text;
}

struct Case {
    const char* arguments;
    const char* golden;
};

const Case kCases[] = {
    {"aggregate 印象 male 例題", "scale-value-text/expected.txt"},
    {"aggregate 印象 女性 一人", "scale-value-one-subject/expected.txt"},
    {"aggregate 印象 male 例題 --html", "scale-value-html/expected.htm"},
    {"individual 印象 male 例題 --image 2", "individual-current/expected.txt"},
    {"individual 印象 male 例題 --all", "individual-all/expected.txt"},
    {"correlate 印象 --columns images:male:例題 --rows physical", "correlation-text/expected.txt"},
    {"correlate 印象 --columns images:male:例題 --rows physical --html", "correlation-html/expected.htm"},
    {"correlate 印象 --columns images:male:例題 --rows physical --rtf", "correlation-rtf/expected.rtf"},
};

}  // namespace

TEST(AnalysisCommands, OutputFilesHoldExactlyTheBytesOfTheSaves) {
    TempDisk out;
    for (const Case& c : kCases) {
        const std::string file = (out.root() / "out").string();
        std::filesystem::remove(file);
        const CliRun result =
            run(kTables, "--root study-disk " + std::string(c.arguments) + " -o '" + file + "'");
        EXPECT_EQ(result.status, 0) << c.arguments << ": " << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(readBytes(file), golden(c.golden)) << c.arguments;
    }
}

TEST(AnalysisCommands, StandardOutputGetsTheSameTextInUtf8WithLineFeeds) {
    for (const Case& c : kCases) {
        const CliRun result = run(kTables, "--root study-disk " + std::string(c.arguments));
        EXPECT_EQ(result.status, 0) << c.arguments << ": " << result.err;
        EXPECT_EQ(result.out, onTerminal(c.golden)) << c.arguments;
    }
}

TEST(AnalysisCommands, IndividualDefaultsToTheFirstImage) {
    const CliRun first = run(kTables, "--root study-disk individual 印象 male 例題");
    EXPECT_EQ(first.out, "[明るい]\n\t1\t2\t3\n1\t2\t1\t0\n2\t1\t1\t1\n");
    EXPECT_EQ(run(kTables, "--root study-disk individual 印象 male 例題 --image 3").status, 2);
    EXPECT_EQ(run(kTables, "--root study-disk individual 印象 male 例題 --image 0").status, 2);
    EXPECT_EQ(run(kTables, "--root study-disk individual 印象 male 例題 --image 1 --all").status, 2);
}

TEST(AnalysisCommands, MalformedAndOutOfLimitFilesGiveTheirMessagesAndWriteNothing) {
    TempDisk disk;
    disk.makeSeries("印象", 3, {"明るい"});
    disk.writeLines("male/印象/未回答.dat", {"1,3,1", "0", "-1", "0"});
    disk.writeLines("male/印象/字.dat", {"1,3,1", "0", "x", "0"});
    std::vector<std::string> many{"101,3,1"};
    for (int n = 0; n < 303; ++n)
        many.push_back("0");
    disk.writeLines("male/印象/多い.dat", many);
    const std::string root = "--root '" + disk.root().string() + "' ";
    const std::string out = (disk.root() / "out.txt").string();
    const struct {
        const char* arguments;
        const char* message;
    } cases[] = {
        {"aggregate 印象 male 未回答", "3 行目は未回答 (-1)"},
        {"aggregate 印象 male 字", "'x' は整数ではありません"},
        {"individual 印象 male 多い", "被験者数 101"},
        {"aggregate 印象 male ない", "は開けません"},
        {"correlate 印象 --columns images:male:未回答 --rows physical", "3 行目は未回答 (-1)"},
    };
    for (const auto& c : cases) {
        const CliRun result = run(disk.root().string(), root + c.arguments + " -o '" + out + "'");
        EXPECT_EQ(result.status, 1) << c.arguments;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << c.arguments << ": " << result.err;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.arguments;
    }
    EXPECT_EQ(run(disk.root().string(), root + "aggregate 印象 nogroup 字").status, 2);
    EXPECT_EQ(run(disk.root().string(), root + "correlate 印象 --columns images:male --rows physical").status,
              2);
}

TEST(AnalysisCommands, MergeIntoTheGroupTheLabelNames) {
    TempDisk disk;
    disk.makeSeries("印象", 3, {"明るい"});
    disk.writeLines("male/印象/一.dat", {"1,3,1", "0", "0", "1"});
    disk.writeLines("female/印象/二.dat", {"1,3,1", "1", "1", "0"});
    const std::string root = "--root '" + disk.root().string() + "' ";
    const CliRun merged = run(disk.root().string(), root + "merge 印象 --into ALL male:一 女性:二");
    EXPECT_EQ(merged.status, 0) << merged.err;
    EXPECT_EQ(readBytes(disk.path("mix/印象/ALL.dat")), "2,3,1\r\n0\r\n0\r\n1\r\n1\r\n1\r\n0\r\n");
    const CliRun men = run(disk.root().string(), root + "merge 印象 --into 男 male:一 male:一");
    EXPECT_EQ(men.status, 0) << men.err;
    EXPECT_EQ(readBytes(disk.path("male/印象/男.dat")), "2,3,1\r\n0\r\n0\r\n1\r\n0\r\n0\r\n1\r\n");
}

TEST(AnalysisCommands, AnExistingTargetNeedsYes) {
    TempDisk disk;
    disk.makeSeries("印象", 3, {"明るい"});
    disk.writeLines("male/印象/一.dat", {"1,3,1", "0", "0", "1"});
    const std::string root = "--root '" + disk.root().string() + "' ";
    const CliRun refused = run(disk.root().string(), root + "merge 印象 --into 一 male:一 male:一");
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "同名のファイルが存在しますが、上書きしますか?\n");
    EXPECT_EQ(readBytes(disk.path("male/印象/一.dat")), "1,3,1\r\n0\r\n0\r\n1\r\n");
    const CliRun accepted = run(disk.root().string(), root + "merge 印象 --into 一 --yes male:一 male:一");
    EXPECT_EQ(accepted.status, 0) << accepted.err;
    EXPECT_EQ(readBytes(disk.path("male/印象/一.dat")), "2,3,1\r\n0\r\n0\r\n1\r\n0\r\n0\r\n1\r\n");
}

TEST(AnalysisCommands, OnATerminalTheOverwriteQuestionIsAnswered) {
    if (std::system("command -v script >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "no script(1) for a terminal";
    TempDisk disk;
    disk.makeSeries("印象", 3, {"明るい"});
    disk.writeLines("male/印象/一.dat", {"1,3,1", "0", "0", "1"});
    const auto answer = [&](const std::string& reply) {
        const std::string merge = std::string(KESTRUNE_CLI) + " --root '" + disk.root().string() +
                                  "' merge 印象 --into 一 male:一 male:一";
        const std::string command = "echo " + reply + " | script -qec \"" + merge + "\" /dev/null >/dev/null";
        return WEXITSTATUS(std::system(command.c_str()));
    };
    EXPECT_EQ(answer("n"), 1);
    EXPECT_EQ(readBytes(disk.path("male/印象/一.dat")), "1,3,1\r\n0\r\n0\r\n1\r\n");
    EXPECT_EQ(answer("y"), 0);
    EXPECT_EQ(readBytes(disk.path("male/印象/一.dat")), "2,3,1\r\n0\r\n0\r\n1\r\n0\r\n0\r\n1\r\n");
}

TEST(AnalysisCommands, MergeRefusalsWriteNothing) {
    TempDisk disk;
    disk.makeSeries("印象", 3, {"明るい", "暖かい"});
    disk.writeLines("male/印象/一.dat", {"1,3,1", "0", "0", "1"});
    disk.writeLines("male/印象/二語.dat", {"1,3,2", "0", "0", "1", "1", "0", "0"});
    const std::string root = "--root '" + disk.root().string() + "' ";
    const CliRun disagree = run(disk.root().string(), root + "merge 印象 --into ALL male:一 male:二語");
    EXPECT_EQ(disagree.status, 1);
    EXPECT_NE(disagree.err.find("結合できません"), std::string::npos) << disagree.err;
    const CliRun empty = run(disk.root().string(), root + "merge 印象 --into '' male:一");
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err, "ファイル名を入力してください!!\n");
    EXPECT_EQ(run(disk.root().string(), root + "merge 印象 --into ALL").status, 2);
    EXPECT_EQ(run(disk.root().string(), root + "merge 印象 --into ALL 一").status, 2);
    EXPECT_FALSE(std::filesystem::exists(disk.path("male/印象/ALL.dat")));
}
