// consistency, agreement, scale, order-bias and screen on a copy of the sample study disk.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <regex>
#include <sstream>

#include "tests/support/ProgramRun.h"
#include "tests/support/TempDisk.h"

using kestrune::testing::readBytes;
using kestrune::testing::TempDisk;

namespace {

using CliRun = kestrune::testing::ProgramRun;

CliRun runOn(const TempDisk& disk, const std::string& arguments) {
    return kestrune::testing::runProgram(std::string(KESTRUNE_CLI) + " --root \'" + disk.root().string() +
                                         "\' " + arguments);
}

std::vector<std::vector<std::string>> cells(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> row;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            row.push_back(line.substr(start, tab - start));
        row.push_back(line.substr(start));
        rows.push_back(row);
    }
    return rows;
}

using Row = std::vector<std::string>;

class StatisticsCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::copy(std::string(KESTRUNE_EXAMPLES) + "/study-disk", disk_.root(),
                              std::filesystem::copy_options::recursive);
    }
    CliRun run(const std::string& arguments) const { return runOn(disk_, arguments); }
    std::filesystem::path students() const { return disk_.path("mix/色彩の印象/大学生2026.dat"); }

    TempDisk disk_;
};

// Every value field is a whole number, six decimals, "NA", or text in the first column(s).
void expectNumbers(const std::vector<Row>& rows, std::size_t firstNumber) {
    const std::regex number(R"(-?[0-9]+(\.[0-9]{6})?|NA)");
    for (std::size_t r = 1; r < rows.size(); ++r)
        for (std::size_t c = firstNumber; c < rows[r].size(); ++c)
            EXPECT_TRUE(std::regex_match(rows[r][c], number)) << rows[r][c];
}

}  // namespace

TEST_F(StatisticsCommands, TablesHaveOneHeaderLineAndOneLinePerRecord) {
    // 24 students, 5 panels, 8 images.
    const auto consistency = cells(run("consistency 色彩の印象 mix 大学生2026").out);
    ASSERT_EQ(consistency.size(), 1u + 24 * 8);
    EXPECT_EQ(consistency[0], (Row{"subject", "image", "d", "dmax", "zeta", "p"}));
    EXPECT_EQ(consistency[1][1], "明るい");
    expectNumbers(consistency, 2);

    const auto agreement = cells(run("agreement 色彩の印象 mix 大学生2026").out);
    ASSERT_EQ(agreement.size(), 1u + 8);
    EXPECT_EQ(agreement[0], (Row{"image", "u", "chisq", "df", "p"}));
    // u and χ² of the first image as R computes them (0.5086957, 138.8595).
    EXPECT_EQ(agreement[1][1], "0.508696");
    EXPECT_EQ(agreement[1][2], "138.859504");
    expectNumbers(agreement, 1);

    const auto bt = cells(run("scale 色彩の印象 mix 大学生2026 --model bt").out);
    ASSERT_EQ(bt.size(), 1u + 8 * 5);
    EXPECT_EQ(bt[0], (Row{"image", "panel", "logworth", "se", "lower", "upper", "deviance", "df"}));
    EXPECT_EQ(bt[1], (Row{"明るい", "1", "0.000000", "NA", "NA", "NA", "8.836763", "6"}));
    EXPECT_EQ(bt[5][2], "3.785903");
    expectNumbers(bt, 1);

    const auto thurstone = cells(run("scale 色彩の印象 mix 大学生2026 --model thurstone").out);
    ASSERT_EQ(thurstone.size(), 1u + 8 * 5);
    EXPECT_EQ(thurstone[0], (Row{"image", "panel", "scale", "chisq", "df"}));
    EXPECT_EQ(thurstone[5], (Row{"明るい", "5", "2.104058", "11.444488", "6"}));

    const auto order = cells(run("order-bias 色彩の印象 mix 大学生2026").out);
    ASSERT_EQ(order.size(), 1u + 8 + 1);
    EXPECT_EQ(order[0], (Row{"image", "chose_a", "answers", "share", "binom_p", "order_effect", "se",
                             "lr_chisq", "p"}));
    EXPECT_EQ(order.back()[0], "全体");
    EXPECT_EQ(order.back()[2], "1920");
    expectNumbers(order, 1);
}

TEST_F(StatisticsCommands, OneSubjectGivesNotAvailableInsteadOfNumbers) {
    const auto agreement = cells(run("agreement 色彩の印象 female 予備調査").out);
    ASSERT_EQ(agreement.size(), 1u + 8);
    EXPECT_EQ(agreement[1], (Row{"明るい", "NA", "NA", "NA", "NA"}));
    const auto bt = cells(run("scale 色彩の印象 female 予備調査 --model bt").out);
    EXPECT_EQ(bt[2], (Row{"明るい", "2", "NA", "NA", "NA", "NA", "NA", "6"}));
}

TEST_F(StatisticsCommands, ScreenWritesTheNewFileAndLeavesTheSourceAlone) {
    const std::string sourceBefore = readBytes(students());
    // Five panels cannot be significant at 5 % (0.117 at best): refused with the reason.
    const CliRun refused = run("screen 色彩の印象 mix 大学生2026 --into 残り");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("0.117"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(disk_.path("mix/色彩の印象/残り.dat")));

    const CliRun listed = run("screen 色彩の印象 mix 大学生2026 --level 0.2 --into 残り");
    ASSERT_EQ(listed.status, 0) << listed.err;
    const auto screened = cells(listed.out);
    ASSERT_GE(screened.size(), 2u);
    EXPECT_EQ(screened[0], Row{"subject"});
    const std::string written = readBytes(disk_.path("mix/色彩の印象/残り.dat"));
    const std::string header = std::to_string(24 - (screened.size() - 1)) + ",10,8\r\n";
    EXPECT_EQ(written.substr(0, header.size()), header);
    EXPECT_EQ(readBytes(students()), sourceBefore);

    // Replacing asks; without a terminal the answer is no and the file stays as it was.
    const CliRun again = run("screen 色彩の印象 mix 大学生2026 --level 0.3 --into 残り");
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("同名のファイルが存在しますが、上書きしますか?"), std::string::npos);
    EXPECT_EQ(readBytes(disk_.path("mix/色彩の印象/残り.dat")), written);
    EXPECT_EQ(run("screen 色彩の印象 mix 大学生2026 --level 0.3 --into 残り --yes").status, 0);
    EXPECT_NE(readBytes(disk_.path("mix/色彩の印象/残り.dat")), written);

    EXPECT_EQ(run("screen 色彩の印象 mix 大学生2026 --level 0.2 --into 大学生2026 --yes").status, 1);
    EXPECT_EQ(readBytes(students()), sourceBefore);
}

TEST_F(StatisticsCommands, HtmlAndOutputFileFollowTheOtherTables) {
    const std::string out = (disk_.root() / "bt.htm").string();
    ASSERT_EQ(run("scale 色彩の印象 mix 大学生2026 --model bt --html -o '" + out + "'").status, 0);
    const std::string bytes = readBytes(out);
    EXPECT_EQ(bytes.substr(0, 53), "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML i18n//EN\">\r\n");
    EXPECT_NE(bytes.find("<TR><TD>image</TD><TD>panel</TD>"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 9), "</HTML>\r\n");
}
