// sheets as a user runs it on a study disk.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <regex>

#include "tests/support/TempDisk.h"

using kestrune::testing::TempDisk;

namespace {

int runSheets(const TempDisk& disk, const std::string& arguments, std::string* out = nullptr) {
    const std::string command = std::string(KESTRUNE_CLI) + " --root '" + disk.root().string() + "' sheets " +
                                arguments + " 2>&1 </dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    std::string text;
    std::array<char, 4096> buffer{};
    while (std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
        text.append(buffer.data(), n);
    if (out != nullptr)
        *out = text;
    return WEXITSTATUS(pclose(pipe));
}

long pages(const std::string& pdf) {
    static const std::regex page("/Type\\s*/Page[^s]");
    return std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator());
}

}  // namespace

TEST(CliSheets, WritesOneSetPerSubjectInPresentationOrder) {
    TempDisk disk;
    disk.makeSeries("味", 4, {"甘い", "辛い", "苦い"});
    const std::filesystem::path out = disk.path("sheets.pdf");
    ASSERT_EQ(runSheets(disk, "味 --subjects 3 --codes 'X1,X2,X3,X4' -o '" + out.string() + "'"), 0);
    EXPECT_EQ(pages(kestrune::testing::readBytes(out)), 3 * 6);
    ASSERT_EQ(runSheets(disk, "味 -o '" + out.string() + "'"), 0);
    EXPECT_EQ(pages(kestrune::testing::readBytes(out)), 6);
}

TEST(CliSheets, ReportsWrongCodesInJapaneseAndWritesNothing) {
    TempDisk disk;
    disk.makeSeries("味", 4, {"甘い"});
    const std::filesystem::path out = disk.path("sheets.pdf");
    std::string message;
    EXPECT_EQ(runSheets(disk, "味 --codes 'X1,X2' -o '" + out.string() + "'", &message), 1);
    EXPECT_EQ(message, "サンプルコードの数がパネルの枚数と合いません。\n");
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(runSheets(disk, "味 --subjects 0 -o '" + out.string() + "'"), 2);
    EXPECT_EQ(runSheets(disk, "味"), 2);
    EXPECT_EQ(runSheets(disk, "無い -o '" + out.string() + "'", &message), 1);
    EXPECT_NE(message.find("は開けません"), std::string::npos);
}
