#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/TempDisk.h"

namespace kestrune::testing {

// The table export cases: one directory per case under tests/data/tables, each holding the
// expected bytes; the input study disk they share lies beside them.
inline std::filesystem::path tableData(const std::string& relative) {
    return std::filesystem::path(KESTRUNE_TEST_DATA) / "tables" / pathFromUtf8(relative);
}

// Compares a produced file with the golden one byte for byte. With KESTRUNE_WRITE_GOLDEN set,
// a missing golden file is written from the produced bytes instead (to be reviewed by hand).
inline void expectGolden(const std::filesystem::path& produced, const std::string& golden) {
    const std::filesystem::path expected = tableData(golden);
    if (!std::filesystem::exists(expected) && std::getenv("KESTRUNE_WRITE_GOLDEN")) {
        std::filesystem::create_directories(expected.parent_path());
        std::filesystem::copy_file(produced, expected);
    }
    ASSERT_TRUE(std::filesystem::exists(expected)) << expected;
    EXPECT_EQ(readBytes(produced), readBytes(expected)) << golden;
}

}  // namespace kestrune::testing
