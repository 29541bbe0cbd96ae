// Whole-file writes: a failure at any step leaves the previous file byte for byte.
#include <gtest/gtest.h>

#include "core/AtomicFile.h"
#include "core/Error.h"
#include "core/Listings.h"
#include "tests/support/TempDisk.h"
#include "tests/support/UserErrorText.h"

using kestrune::testing::textEndsWith;
using namespace kestrune;
using kestrune::testing::readBytes;
using kestrune::testing::TempDisk;

namespace {

struct FaultGuard {
    ~FaultGuard() { setWriteFaultHook({}); }
};

std::size_t filesIn(const std::filesystem::path& dir) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

}  // namespace

TEST(AtomicFile, ReplacesTheTargetWhole) {
    TempDisk disk;
    writeFileAtomically(disk.path("a.dat"), "first\r\n");
    writeFileAtomically(disk.path("a.dat"), "second\r\n");
    EXPECT_EQ(readBytes(disk.path("a.dat")), "second\r\n");
    EXPECT_EQ(filesIn(disk.root()), 1u);
}

TEST(AtomicFile, EveryFailingStepKeepsTheOldFileAndLeavesNoTemporary) {
    FaultGuard guard;
    for (const std::string failing : {"open", "write", "fsync", "close", "rename"}) {
        TempDisk disk;
        writeFileAtomically(disk.path("run1.dat"), "1,3,2\r\n0\r\n");
        // A full FAT stick answers EPERM rather than ENOSPC: any errno is a failure.
        setWriteFaultHook([&](std::string_view step) { return step == failing ? EPERM : 0; });
        try {
            writeFileAtomically(disk.path("run1.dat"), std::string(100000, 'x'));
            ADD_FAILURE() << "a failing " << failing << " was reported as success";
        } catch (const UserError& error) {
            EXPECT_PRED2(textEndsWith, std::string(error.what()),
                         "ﾌｧｲﾙ " + disk.path("run1.dat").string() + " を作成できません");
        }
        setWriteFaultHook({});
        EXPECT_EQ(readBytes(disk.path("run1.dat")), "1,3,2\r\n0\r\n") << failing;
        EXPECT_EQ(filesIn(disk.root()), 1u) << "temporary file left behind after failing " << failing;
    }
}

TEST(AtomicFile, AFailedFirstWriteCreatesNoTarget) {
    FaultGuard guard;
    TempDisk disk;
    setWriteFaultHook([&](std::string_view step) { return step == "write" ? ENOSPC : 0; });
    EXPECT_THROW(writeFileAtomically(disk.path("new.dat"), std::string(1 << 20, 'y')), UserError);
    EXPECT_FALSE(std::filesystem::exists(disk.path("new.dat")));
    EXPECT_EQ(filesIn(disk.root()), 0u);
}

TEST(AtomicFile, AMissingDirectoryCannotBeCreated) {
    TempDisk disk;
    EXPECT_THROW(writeFileAtomically(disk.path("no/such/dir/a.dat"), "x"), UserError);
}

TEST(AtomicFile, LeftoverTemporariesAreNeverListedAndCanBeSwept) {
    TempDisk disk;
    disk.makeSeries("s", 3, {"a"});
    disk.writeBytes("mix/s/run.dat", "1,3,1\r\n0\r\n0\r\n0\r\n");
    disk.writeBytes("mix/s/.run.dat.kestrune-tmp-1-2-3", "1,3");
    disk.writeBytes("mix/s/.run.dat.kestrune-tmp-1-2-4.dat", "1,3");
    EXPECT_TRUE(isTemporaryWriteName(".run.dat.kestrune-tmp-1-2-3"));
    const Listing<DataFileRow> listing = listDataFiles(disk.disk(), TSexGroup::Mix, "s");
    ASSERT_EQ(listing.rows.size(), 1u);
    EXPECT_EQ(listing.rows[0].name, "run");
    EXPECT_EQ(sweepTemporaryWrites(disk.path("mix/s")), 2);
    EXPECT_EQ(filesIn(disk.path("mix/s")), 1u);
}
