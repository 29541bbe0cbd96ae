// Symbolic links on a study disk that passes through many hands, and the places a write may go:
// nothing is read from or written to a place outside the disk's real directory, links inside it
// stay usable, and a write through a link or onto a special file reaches what it names.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "core/AtomicFile.h"
#include "core/DiskNames.h"
#include "core/Error.h"
#include "core/Listings.h"
#include "core/Response.h"
#include "core/Series.h"
#include "core/TextLines.h"
#include "tests/support/TempDisk.h"
#include "tests/support/UserErrorText.h"

using namespace kestrune;
using kestrune::testing::readBytes;
using kestrune::testing::TempDisk;
using kestrune::testing::userErrorOf;
namespace fs = std::filesystem;

namespace {

struct FaultGuard {
    ~FaultGuard() { setWriteFaultHook({}); }
};

const std::string kNoError = "(no error)";

}  // namespace

TEST(DiskLinks, AFolderOrFileLinkedOutsideTheDiskIsRefusedNamingTheLink) {
    TempDisk outside;
    TempDisk disk;
    disk.makeSeries("s", 3, {"w"});
    outside.writeBytes("victim/keep.dat", "1,3,1\r\n0\r\n1\r\n0\r\n");
    fs::remove_all(disk.path("mix/s"));
    fs::create_directory_symlink(outside.path("victim"), disk.path("mix/s"));

    const std::string refused = userErrorOf([&] { disk.disk().dataPath(TSexGroup::Mix, "s", "all"); });
    EXPECT_NE(refused.find(disk.path("mix/s").string() + " は調査ディスクの外を指すリンクです"),
              std::string::npos)
        << refused;
    EXPECT_NE(userErrorOf([&] { listDataFiles(disk.disk(), TSexGroup::Mix, "s"); }), kNoError);
    EXPECT_FALSE(fs::exists(outside.path("victim/all.dat")));

    // A data file linked to a file elsewhere is neither read nor listed as readable.
    disk.writeBytes("male/s/f.dat", "1,3,1\r\n0\r\n1\r\n0\r\n");
    fs::create_symlink(outside.path("victim/keep.dat"), disk.path("male/s/stolen.dat"));
    EXPECT_NE(userErrorOf([&] {
                  ReadResponseFile(disk.disk().dataPath(TSexGroup::Male, "s", "stolen"));
              }).find("stolen.dat は調査ディスクの外を指すリンクです"),
              std::string::npos);
    const Listing<DataFileRow> listing =
        listDataFiles(disk.disk(), TSexGroup::Male, "s", ListingReach::EveryFile);
    ASSERT_EQ(listing.rows.size(), 2u);
    EXPECT_EQ(listing.rows[0].subjectCountText, "1");
    ASSERT_TRUE(listing.rows[1].unreadable);
    EXPECT_NE(listing.rows[1].unreadable->find("調査ディスクの外"), std::string::npos);

    // A link that stays inside the disk (a folder and a file) is followed.
    fs::create_directory_symlink("s", disk.path("male/t"));
    fs::create_symlink("f.dat", disk.path("male/s/same.dat"));
    EXPECT_EQ(ReadResponseFile(disk.disk().dataPath(TSexGroup::Male, "t", "same")).subjects, 1);
    // A dangling link whose target would lie outside is refused before anything is written.
    fs::create_symlink(outside.path("victim/new.dat"), disk.path("male/s/dangling.dat"));
    EXPECT_NE(userErrorOf([&] { disk.disk().dataPath(TSexGroup::Male, "s", "dangling"); }), kNoError);
}

TEST(DiskLinks, AWriteThroughALinkReplacesItsTargetAndKeepsTheLink) {
    TempDisk disk;
    disk.writeBytes("real/out.txt", "old");
    fs::create_symlink("real/out.txt", disk.path("link.txt"));
    writeFileAtomically(disk.path("link.txt"), "new bytes");
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(disk.path("link.txt"))));
    EXPECT_EQ(readBytes(disk.path("real/out.txt")), "new bytes");
    // A link to a file not made yet makes that file.
    fs::create_symlink("real/later.txt", disk.path("later.txt"));
    writeFileAtomically(disk.path("later.txt"), "made");
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(disk.path("later.txt"))));
    EXPECT_EQ(readBytes(disk.path("real/later.txt")), "made");
}

TEST(DiskLinks, SpecialFilesAreWrittenAsTheyAre) {
    TempDisk disk;
    // /dev/null stays a device: it is written, never replaced.
    writeFileAtomically("/dev/null", "nothing");
    struct stat status {};
    ASSERT_EQ(::stat("/dev/null", &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode));
    // A FIFO is written into, and stays a FIFO.
    const fs::path fifo = disk.path("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] {
        std::ifstream in(fifo, std::ios::binary);
        received.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    });
    writeFileAtomically(fifo, "through the pipe");
    reader.join();
    EXPECT_EQ(received, "through the pipe");
    EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);
}

TEST(DiskLinks, EveryNameTheCheckPassesCanBeWrittenAndWhyAWriteFailsIsSaid) {
    TempDisk disk;
    // The longest name the check lets through, with the extension the writers add.
    const std::string longest(kMaxFileNameBytes - kAppendedExtensionBytes, 'n');
    EXPECT_TRUE(isPlainDiskName(longest));
    EXPECT_FALSE(isPlainDiskName(longest + "n"));
    EXPECT_NE(diskNameMessage(longest + "n", diskNameProblem(longest + "n")).find("長すぎます"),
              std::string::npos);
    writeFileAtomically(disk.path(longest + ".dat"), "1,1,1\r\n0\r\n");
    EXPECT_EQ(readBytes(disk.path(longest + ".dat")), "1,1,1\r\n0\r\n");
    const std::string japanese = std::string(83, 'x') + "色";  // 86 bytes of text in a 255-byte name
    writeFileAtomically(disk.path(japanese + std::string(165, 'y') + ".dat"), "x");

    // A missing folder and a name that is a folder are said in Japanese.
    const std::string missing = userErrorOf([&] { writeFileAtomically(disk.path("none/x.dat"), "x"); });
    EXPECT_NE(missing.find("がありません"), std::string::npos) << missing;
    EXPECT_TRUE(missing.ends_with("を作成できません")) << missing;
    disk.makeDirectory("folder.dat");
    const std::string folder = userErrorOf([&] { writeFileAtomically(disk.path("folder.dat"), "x"); });
    EXPECT_NE(folder.find("同じ名前のフォルダがあります"), std::string::npos) << folder;
    FaultGuard guard;
    setWriteFaultHook([](std::string_view step) { return step == "write" ? ENOSPC : 0; });
    const std::string full = userErrorOf([&] { writeFileAtomically(disk.path("full.dat"), "x"); });
    setWriteFaultHook({});
    EXPECT_NE(full.find("ディスクの空きが足りません"), std::string::npos) << full;
    if (::geteuid() != 0) {
        disk.makeDirectory("locked");
        fs::permissions(disk.path("locked"), fs::perms::owner_read | fs::perms::owner_exec);
        const std::string locked = userErrorOf([&] { writeFileAtomically(disk.path("locked/x.dat"), "x"); });
        fs::permissions(disk.path("locked"), fs::perms::owner_all);
        EXPECT_NE(locked.find("読み出し専用"), std::string::npos) << locked;
    }
}
