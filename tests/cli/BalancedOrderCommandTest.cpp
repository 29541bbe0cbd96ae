// balanced-order as a user runs it: its lines read back as the order file of a series.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>

#include "core/Series.h"
#include "tests/support/TempDisk.h"

using kestrune::testing::TempDisk;

namespace {

int runCli(const std::string& arguments, std::string* out = nullptr) {
    const std::string command = std::string(KESTRUNE_CLI) + " " + arguments + " 2>&1 </dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    std::string text;
    std::array<char, 4096> buffer{};
    while (std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
        text.append(buffer.data(), n);
    if (out != nullptr)
        *out = text;
    return WEXITSTATUS(pclose(pipe));
}

}  // namespace

TEST(CliBalancedOrder, WritesAnOrderFileThatHoldsEveryPairOnce) {
    TempDisk disk;
    disk.makeDirectory("order");
    const std::filesystem::path file = disk.path("order/seven.ord");
    ASSERT_EQ(runCli("balanced-order 7 -o '" + file.string() + "'"), 0);
    const kestrune::OrderFile order = kestrune::ReadOrderFile(file);
    EXPECT_EQ(order.panelCount, 7);
    EXPECT_EQ(order.pairCount, 21);
    EXPECT_TRUE(kestrune::isCompletePairSet(7, order.pairs));
    // The file is what the wizard writes: CR LF after every line.
    const std::string bytes = kestrune::testing::readBytes(file);
    EXPECT_EQ(bytes.substr(0, 6), "7,21\r\n");

    std::string printed;
    ASSERT_EQ(runCli("balanced-order 7", &printed), 0);
    std::string expected;
    for (char c : bytes) {
        if (c != '\r')
            expected += c;
    }
    EXPECT_EQ(printed, expected);
}

TEST(CliBalancedOrder, RefusesPanelCountsOutsideThreeToTen) {
    for (const char* n : {"2", "11", "x", "0"})
        EXPECT_EQ(runCli(std::string("balanced-order ") + n), 2) << n;
}
