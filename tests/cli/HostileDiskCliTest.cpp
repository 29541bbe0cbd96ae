// The batch program on a study disk that passed through many hands: links leading off the disk,
// padded files, lost output, special files, terminal escapes, overlong names, missing disks and
// a drawing surface that cannot start. Each is refused or done with our own message and status.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "tests/support/ProgramRun.h"
#include "tests/support/TempDisk.h"

using kestrune::testing::readBytes;
using kestrune::testing::TempDisk;
namespace fs = std::filesystem;

namespace {

using CliRun = kestrune::testing::ProgramRun;

CliRun run(const TempDisk& disk, const std::string& arguments, bool merge = false) {
    return kestrune::testing::runProgram(
        std::string(KESTRUNE_CLI) + " --root \'" + disk.root().string() + "\' " + arguments, merge);
}

// A three-panel series "s" with one image and two two-subject data files in male/s.
void makeSmallSeries(const TempDisk& disk) {
    disk.makeSeries("s", 3, {"明るい"});
    disk.writeLines("male/s/f.dat", {"2,3,1", "0", "1", "0", "1", "1", "0"});
    disk.writeLines("male/s/g.dat", {"1,3,1", "1", "1", "0"});
    disk.writeLines("female/s/h.dat", {"1,3,1", "0", "0", "1"});
}

}  // namespace

TEST(HostileDiskCli, NothingIsWrittenOrReadOutsideTheDiskThroughALink) {
    TempDisk outside;
    TempDisk disk;
    makeSmallSeries(disk);
    outside.makeDirectory("victim");
    outside.writeLines("victim/old.dat", {"1,3,1", "0", "0", "0"});
    fs::remove_all(disk.path("mix/s"));
    fs::create_directory_symlink(outside.path("victim"), disk.path("mix/s"));
    for (const char* yes : {"", "--yes "}) {
        CliRun merged = run(disk, std::string("merge s ") + yes + "--into 全員 male:f female:h");
        EXPECT_EQ(merged.status, 1) << merged.out << merged.err;
        EXPECT_NE(merged.err.find("mix/s は調査ディスクの外を指すリンクです"), std::string::npos)
            << merged.err;
        EXPECT_FALSE(fs::exists(outside.path("victim/全員.dat")));
    }
    // The screened file is written beside its source: a source folder linked off the disk is
    // refused before anything is read or written.
    outside.writeLines("elsewhere/s/f.dat", {"2,3,1", "0", "1", "0", "1", "1", "0"});
    fs::remove_all(disk.path("female"));
    fs::create_directory_symlink(outside.path("elsewhere"), disk.path("female"));
    CliRun screened = run(disk, "screen s female f --level 0.2 --into x");
    EXPECT_EQ(screened.status, 1);
    EXPECT_NE(screened.err.find("female は調査ディスクの外を指すリンクです"), std::string::npos)
        << screened.err;
    EXPECT_FALSE(fs::exists(outside.path("elsewhere/s/x.dat")));
    // A data file linked to a file elsewhere is not copied into the disk.
    fs::create_symlink(outside.path("victim/old.dat"), disk.path("male/s/old.dat"));
    CliRun copied = run(disk, "merge s --into copy male:old");
    EXPECT_EQ(copied.status, 1);
    EXPECT_NE(copied.err.find("old.dat は調査ディスクの外を指すリンクです"), std::string::npos) << copied.err;
    EXPECT_FALSE(fs::exists(disk.path("male/s/copy.dat")));
    // The file list shows every file, the unreadable one as such.
    CliRun files = run(disk, "files s male");
    EXPECT_EQ(files.status, 1);
    EXPECT_EQ(files.out, "f\t2\t\ng\t1\t\nold\t(読めません)\t\n");
    EXPECT_NE(files.err.find("調査ディスクの外"), std::string::npos) << files.err;
}

TEST(HostileDiskCli, LostOutputSpecialFilesAndLinksAsOutput) {
    TempDisk disk;
    makeSmallSeries(disk);
    CliRun full = run(disk, "aggregate s male f > /dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_NE(full.err.find("標準出力に書き込めませんでした"), std::string::npos) << full.err;
    CliRun fullErrors = run(disk, "aggregate s male nofile 2> /dev/full");
    EXPECT_EQ(fullErrors.status, 1);

    const CliRun shown = run(disk, "aggregate s male f");
    CliRun toStdout = run(disk, "aggregate s male f -o /dev/stdout");
    EXPECT_EQ(toStdout.status, 0) << toStdout.err;
    EXPECT_FALSE(toStdout.out.empty());
    EXPECT_NE(toStdout.out.find("\r\n"), std::string::npos);  // the file's bytes, CR LF
    CliRun toNull = run(disk, "aggregate s male f -o /dev/null");
    EXPECT_EQ(toNull.status, 0);
    struct stat status {};
    ASSERT_EQ(::stat("/dev/null", &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode));

    disk.writeBytes("out/real.txt", "old");
    fs::create_symlink("out/real.txt", disk.path("link.txt"));
    CliRun throughLink = run(disk, "aggregate s male f -o " + disk.path("link.txt").string());
    EXPECT_EQ(throughLink.status, 0) << throughLink.err;
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(disk.path("link.txt"))));
    EXPECT_EQ(readBytes(disk.path("out/real.txt")), toStdout.out);
    (void)shown;
}

TEST(HostileDiskCli, EscapesAndNulAreShownVisiblyButWrittenFilesKeepTheirBytes) {
    TempDisk disk;
    makeSmallSeries(disk);
    disk.writeBytes("male/s/esc.dat", "1,3,1\r\n\x1b]0;PWNED\x07\x1b[2J\r\n0\r\n0\r\n");
    CliRun escaped = run(disk, "aggregate s male esc");
    EXPECT_EQ(escaped.status, 1);
    EXPECT_EQ(escaped.err.find('\x1b'), std::string::npos) << escaped.err;
    EXPECT_NE(escaped.err.find("の 2 行目: '\\x1b]0;PWNED\\x07\\x1b[2J' は整数ではありません"),
              std::string::npos)
        << escaped.err;
    disk.writeBytes("male/s/nul.dat", std::string("1,3,1\r\n1\0\r\n0\r\n0\r\n", 17));
    CliRun nul = run(disk, "aggregate s male nul");
    EXPECT_NE(nul.err.find("'1\\x00' は整数ではありません"), std::string::npos) << nul.err;

    // A comment holding an escape: shown visibly on a terminal, kept exactly in a redirect.
    disk.writeBytes("kestrune.ini", "[groups]\r\ns=\x1b[2Jclear\r\n");
    CliRun redirected = run(disk, "series");
    EXPECT_EQ(redirected.out, "s\t3\t1\t\x1b[2Jclear\n");
    CliRun terminal =
        kestrune::testing::runProgram("script -qec \"" + std::string(KESTRUNE_CLI) + " --root '" +
                                      disk.root().string() + "' series\" /dev/null");
    EXPECT_EQ(terminal.out.find('\x1b'), std::string::npos) << terminal.out;
    EXPECT_NE(terminal.out.find("\\x1b[2Jclear"), std::string::npos) << terminal.out;
}

TEST(HostileDiskCli, NamesTheCheckPassesAreWrittenAndLongerOnesAreRefusedAsTooLong) {
    TempDisk disk;
    makeSmallSeries(disk);
    const std::string longest(251, 'n');
    CliRun merged = run(disk, "merge s --into " + longest + " male:f");
    EXPECT_EQ(merged.status, 0) << merged.err;
    EXPECT_TRUE(fs::exists(disk.path("male/s/" + longest + ".dat")));
    CliRun tooLong = run(disk, "merge s --into " + longest + "n male:f");
    EXPECT_EQ(tooLong.status, 1);
    EXPECT_NE(tooLong.err.find("名前が長すぎます"), std::string::npos) << tooLong.err;
    CliRun screened = run(disk, "screen s male f --level 0.2 --into " + std::string(240, 's'));
    EXPECT_EQ(screened.err.find("を作成できません"), std::string::npos) << screened.err;
}

TEST(HostileDiskCli, MissingDiskMissingPluginAndPaddedFiles) {
    TempDisk disk;
    makeSmallSeries(disk);
    CliRun missing = kestrune::testing::runProgram(std::string(KESTRUNE_CLI) + " --root /nonexistent series");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err,
              "調査ディスク /nonexistent が見つかりません。--root にはフォルダを指定してください。\n");

    CliRun noPlugin = kestrune::testing::runProgram(
        "QT_QPA_PLATFORM=kestrune-none " + std::string(KESTRUNE_CLI) + " --root '" + disk.root().string() +
        "' numberline s male f -o " + disk.path("n.png").string());
    EXPECT_EQ(noPlugin.status, 1) << noPlugin.err;
    EXPECT_NE(noPlugin.err.find("プラットフォームプラグイン \"kestrune-none\" が見つからないか"),
              std::string::npos)
        << noPlugin.err;
    EXPECT_EQ(noPlugin.err.find("This application"), std::string::npos) << noPlugin.err;

    // A series presenting every pair in both orders is analysed like any other.
    std::vector<std::string> order{"3,6", "1,2", "2,1", "1,3", "3,1", "2,3", "3,2"};
    disk.writeLines("order/s.ord", order);
    disk.writeLines("male/s/both.dat", {"1,6,1", "0", "1", "0", "1", "0", "1"});
    CliRun both = run(disk, "aggregate s male both");
    EXPECT_EQ(both.status, 0) << both.err;

    // Padding after what the headers promise changes no result.
    disk.writeLines("order/s.ord", {"3,3", "1,2", "2,3", "1,3"});
    const CliRun plain = run(disk, "aggregate s male f");
    const std::string padding(8u << 20, '\n');
    disk.writeBytes("order/s.ord", "3,3\r\n1,2\r\n2,3\r\n1,3\r\n" + padding);
    disk.writeBytes("paper/s.pap", "1\r\n\"\x96\xbe\x82\xe9\x82\xa2\"\r\n" + padding);
    disk.writeBytes("male/s/f.dat", "2,3,1\r\n0\r\n1\r\n0\r\n1\r\n1\r\n0\r\n" + padding);
    const CliRun padded = run(disk, "aggregate s male f");
    EXPECT_EQ(padded.status, 0) << padded.err;
    EXPECT_EQ(padded.out, plain.out);
    CliRun mergedPadded = run(disk, "merge s --into m male:f male:g");
    EXPECT_EQ(mergedPadded.status, 0) << mergedPadded.err;
    EXPECT_EQ(readBytes(disk.path("male/s/m.dat")), "3,3,1\r\n0\r\n1\r\n0\r\n1\r\n1\r\n0\r\n1\r\n1\r\n0\r\n");
}
