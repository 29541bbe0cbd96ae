// A file written piece by piece keeps the whole-file guarantees: a failure in the middle, from
// the disk or from the code making the pieces, leaves the previous file and no temporary file.
#include <gtest/gtest.h>

#include <stdexcept>

#include "core/AtomicFile.h"
#include "core/Error.h"
#include "tests/support/TempDisk.h"
#include "tests/support/UserErrorText.h"

using namespace kestrune;
using kestrune::testing::readBytes;
using kestrune::testing::TempDisk;
using kestrune::testing::userErrorOf;

namespace {

std::size_t filesIn(const std::filesystem::path& directory) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(directory))
        ++count;
    return count;
}

}  // namespace

TEST(AtomicStream, PiecesMakeTheFileAndAFailureKeepsThePreviousOne) {
    TempDisk disk;
    const std::filesystem::path target = disk.path("out.csv");
    writeFileAtomically(target, [](const ByteSink& sink) {
        sink("a,b\n");
        sink("");
        sink("1,2\n");
    });
    EXPECT_EQ(readBytes(target), "a,b\n1,2\n");

    // The code making the pieces fails after some were written: its own error goes on.
    EXPECT_EQ(userErrorOf([&] {
                  writeFileAtomically(target, [](const ByteSink& sink) {
                      sink("x\n");
                      throw UserError("作れません");
                  });
              }),
              "作れません");
    EXPECT_THROW(writeFileAtomically(target,
                                     [](const ByteSink& sink) {
                                         sink("x\n");
                                         throw std::runtime_error("other");
                                     }),
                 std::runtime_error);
    // The disk fails at the second piece.
    int writes = 0;
    setWriteFaultHook([&](std::string_view step) { return step == "write" && ++writes == 2 ? ENOSPC : 0; });
    EXPECT_EQ(userErrorOf([&] {
                  writeFileAtomically(target, [](const ByteSink& sink) {
                      sink("x\n");
                      sink("y\n");
                  });
              }),
              "ディスクの空きが足りません。" + messages::cannotCreate(target.string()));
    setWriteFaultHook(nullptr);
    EXPECT_EQ(readBytes(target), "a,b\n1,2\n");
    EXPECT_EQ(filesIn(disk.root()), 1u);
}
