// The two programs of the batch program: kestrune-cli does the text commands without Qt and
// hands the drawing commands to kestrune-cli-draw, as one program to its user.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/support/ProgramRun.h"
#include "tests/support/TempDisk.h"

using kestrune::testing::TempDisk;

namespace {

using kestrune::testing::ProgramRun;

// Runs a shell command line; standard error is kept apart from standard output.
ProgramRun run(const std::string& commandLine, const std::filesystem::path&) {
    return kestrune::testing::runProgram(commandLine);
}

const std::string kSample = std::string("--root '") + KESTRUNE_EXAMPLES + "/study-disk'";

}  // namespace

TEST(DrawingProgram, TextCommandsLoadNeitherQtNorTheOfficeWriters) {
    TempDisk scratch;
    // The dynamic loader names every library it loads on standard error.
    for (const char* command : {" series", " files 色彩の印象 mix", " aggregate 色彩の印象 mix 大学生2026"}) {
        const ProgramRun listing =
            run("LD_DEBUG=libs " + std::string(KESTRUNE_CLI) + " " + kSample + command, scratch.root());
        EXPECT_EQ(listing.status, 0) << command;
        EXPECT_FALSE(listing.out.empty()) << command;
        EXPECT_NE(listing.err.find("libc.so"), std::string::npos)
            << "LD_DEBUG printed nothing for" << command;
        EXPECT_EQ(listing.err.find("libQt6"), std::string::npos) << command << " loaded Qt";
        EXPECT_EQ(listing.err.find("libxlsxwriter"), std::string::npos)
            << command << " loaded the office writers";
    }
    // An office file is made by the drawing program, which has the writers.
    const ProgramRun workbook = run("LD_DEBUG=libs " + std::string(KESTRUNE_CLI) + " " + kSample +
                                        " aggregate 色彩の印象 mix 大学生2026 --xlsx -o '" +
                                        (scratch.root() / "t.xlsx").string() + "'",
                                    scratch.root());
    EXPECT_EQ(workbook.status, 0) << workbook.err;
    EXPECT_NE(workbook.err.find("libxlsxwriter"), std::string::npos);
    EXPECT_EQ(kestrune::testing::readBytes(scratch.root() / "t.xlsx").substr(0, 2), "PK");
}

TEST(DrawingProgram, DrawingCommandRunsInTheDrawingProgramWithItsStatusAndMessages) {
    TempDisk scratch;
    const ProgramRun wrongCall =
        run("LD_DEBUG=libs " + std::string(KESTRUNE_CLI) + " " + kSample + " numberline 色彩の印象 mix",
            scratch.root());
    EXPECT_EQ(wrongCall.status, 2);
    EXPECT_NE(wrongCall.err.find("kestrune-cli: -o OUT で図を書くファイルを指定してください。"),
              std::string::npos)
        << wrongCall.err;
    EXPECT_NE(wrongCall.err.find("libQt6Gui"), std::string::npos)
        << "the figure was not left to the drawing program";

    const std::filesystem::path svg = scratch.root() / "数直線.svg";
    const ProgramRun drawn = run(std::string(KESTRUNE_CLI) + " " + kSample +
                                     " numberline 色彩の印象 mix 大学生2026 -o '" + svg.string() + "'",
                                 scratch.root());
    EXPECT_EQ(drawn.status, 0) << drawn.err;
    EXPECT_NE(kestrune::testing::readBytes(svg).find("<svg"), std::string::npos);
}

TEST(DrawingProgram, AMissingDrawingProgramIsReportedAndTheRestStillWorks) {
    TempDisk scratch;
    // kestrune-cli alone, with no kestrune-cli-draw beside it or in ../lib/kestrune.
    const std::filesystem::path lone = scratch.root() / "bin" / "kestrune-cli";
    std::filesystem::create_directories(lone.parent_path());
    std::filesystem::copy_file(KESTRUNE_CLI, lone);
    std::string program = lone.string();
    program.insert(0, 1, '\'').append("' ").append(kSample);

    const ProgramRun drawing =
        run(program + " numberline 色彩の印象 mix 大学生2026 -o x.png", scratch.root());
    EXPECT_EQ(drawing.status, 1);
    EXPECT_NE(drawing.err.find("kestrune-cli-draw を起動できません。"), std::string::npos) << drawing.err;
    EXPECT_TRUE(drawing.out.empty());

    const ProgramRun help = run(program + " numberline --help", scratch.root());
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("数直線"), std::string::npos);
    EXPECT_EQ(run(program + " series", scratch.root()).status, 0);
}
