#include <gtest/gtest.h>

#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "EmfTestReader.h"
#include "tests/support/TempDisk.h"

using namespace kestrune::testing;

namespace {

struct CliRun {
    int status = -1;
    std::string err;
};

// Runs the batch program on the sample study disk; standard error is captured.
CliRun runCli(const std::string& arguments, const TempDisk& dir,
              const std::string& root = std::string(KESTRUNE_EXAMPLES) + "/study-disk") {
    const std::filesystem::path errFile = dir.path("stderr.txt");
    const std::string command = std::string("'") + KESTRUNE_CLI + "' --root '" + root + "' " + arguments +
                                " 2>'" + errFile.string() + "'";
    const int status = std::system(command.c_str());
    CliRun run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = std::filesystem::exists(errFile) ? readBytes(errFile) : "";
    return run;
}

std::string out(const TempDisk& dir, const std::string& name) {
    return "-o '" + dir.path(name).string() + "'";
}

void expectAllFormats(const TempDisk& dir, const std::string& stem) {
    const std::string emf = readBytes(dir.path(stem + ".emf"));
    const std::vector<EmfRecord> records = readEmfRecords(emf);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.front().type, 1u);
    EXPECT_EQ(records.back().type, 14u);
    EXPECT_EQ(readBytes(dir.path(stem + ".bmp")).substr(0, 2), "BM");
    const QImage png(QString::fromStdString(dir.path(stem + ".png").string()));
    EXPECT_EQ(png.size(), QSize(1000, 1000));
    EXPECT_NE(readBytes(dir.path(stem + ".svg")).find("<svg"), std::string::npos);
    EXPECT_EQ(readBytes(dir.path(stem + ".pdf")).substr(0, 5), "%PDF-");
}

}  // namespace

TEST(FigureCommands, NumberLineWritesEveryFormat) {
    TempDisk dir;
    for (const char* extension : {".emf", ".bmp", ".png", ".svg", ".pdf"}) {
        const CliRun run =
            runCli("numberline 色彩の印象 mix 大学生2026 " + out(dir, std::string("nl") + extension), dir);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
    }
    expectAllFormats(dir, "nl");
}

TEST(FigureCommands, DiagramWritesEveryFormat) {
    TempDisk dir;
    for (const char* extension : {".emf", ".bmp", ".png", ".svg", ".pdf"}) {
        const CliRun run = runCli(
            "diagram 色彩の印象 --x physical:1 --xlog --y images:mix:大学生2026:2 --shape 4 "
            "--color '#008000' " +
                out(dir, std::string("d") + extension),
            dir);
        EXPECT_EQ(run.status, 0) << run.err;
    }
    expectAllFormats(dir, "d");
    // The plot colour reaches the picture: green markers in the bitmap.
    const QImage png(QString::fromStdString(dir.path("d.png").string()));
    int green = 0;
    for (int y = 0; y < png.height(); y += 2) {
        for (int x = 0; x < png.width(); x += 2)
            green += png.pixel(x, y) == qRgb(0, 128, 0);
    }
    EXPECT_GT(green, 50);
}

TEST(FigureCommands, DiagramOutcomesGoToStandardError) {
    TempDisk dir;
    // A single subject has no standard deviation.
    CliRun run =
        runCli("diagram 色彩の印象 --x physical:1 --y images:female:予備調査:1 " + out(dir, "a.png"), dir);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "#DIV/0!\n");
    // No such data file in the group: nothing to name.
    run = runCli("diagram 色彩の印象 --x images:male:none:1 --y physical:2 " + out(dir, "b.png"), dir);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "#NAME?\n");
    // A series without physical quantities has no item to plot.
    TempDisk disk;
    disk.makeSeries("s", 3, {"a", "b"});
    run = runCli("diagram s --x physical:1 --y physical:1 " + out(dir, "c.png"), dir, disk.root().string());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "#NAME?\n");
    EXPECT_FALSE(std::filesystem::exists(dir.path("a.png")));
    EXPECT_FALSE(std::filesystem::exists(dir.path("b.png")));
    EXPECT_FALSE(std::filesystem::exists(dir.path("c.png")));
}

TEST(FigureCommands, WrongCallsPrintTheUsage) {
    TempDisk dir;
    CliRun run = runCli("numberline 色彩の印象 mix 大学生2026 " + out(dir, "x.gif"), dir);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("usage:"), std::string::npos);
    run = runCli("diagram 色彩の印象 --x physical:1 --y physical:2 --shape 5 " + out(dir, "x.png"), dir);
    EXPECT_EQ(run.status, 2);
    run = runCli("diagram 色彩の印象 --x physical:1 --y physical:2 --color red " + out(dir, "x.png"), dir);
    EXPECT_EQ(run.status, 2);
    run = runCli("diagram 色彩の印象 --x pictures:1 --y physical:2 " + out(dir, "x.png"), dir);
    EXPECT_EQ(run.status, 2);
    run = runCli("diagram 色彩の印象 --y physical:2 " + out(dir, "x.png"), dir);
    EXPECT_EQ(run.status, 2);
}
