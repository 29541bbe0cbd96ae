// The R and Python scripts of the CSV chapter of the manual, taken from the page as printed, fit
// the Bradley-Terry model to the sample disk's export and agree with `scale --model bt`. Each
// runs only where its interpreter and packages are installed (they are optional).
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "tests/support/ProgramRun.h"
#include "tests/support/TempDisk.h"

using kestrune::testing::readBytes;
using kestrune::testing::runProgram;
using kestrune::testing::TempDisk;

namespace {

// The fenced code blocks of one language on the page, in order.
std::vector<std::string> codeBlocks(const std::string& language) {
    const std::string page =
        readBytes(std::filesystem::path(KESTRUNE_EXAMPLES) / ".." / "docs" / "ja" / "11-csv.md");
    std::vector<std::string> blocks;
    const std::string open = "```" + language + "\n";
    for (std::size_t at = page.find(open); at != std::string::npos; at = page.find(open, at)) {
        at += open.size();
        const std::size_t end = page.find("```\n", at);
        blocks.push_back(page.substr(at, end - at));
    }
    return blocks;
}

// "image \t panel \t logworth" lines after a header, by image and panel.
std::map<std::pair<std::string, int>, double> logWorths(const std::string& table) {
    std::map<std::pair<std::string, int>, double> values;
    std::istringstream in(table);
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string image, panel, value;
        std::getline(fields, image, '\t');
        std::getline(fields, panel, '\t');
        std::getline(fields, value, '\t');
        values[{image, std::stoi(panel)}] = std::stod(value);
    }
    return values;
}

class CsvScripts : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::copy(std::filesystem::path(KESTRUNE_EXAMPLES) / "study-disk", disk.root(),
                              std::filesystem::copy_options::recursive);
        for (const char* arguments : {"-o long.csv", "--paircomp -o paircomp.csv"})
            ASSERT_EQ(cli(std::string("export 色彩の印象 mix 大学生2026 ") + arguments).status, 0);
        const auto scale = cli("scale 色彩の印象 mix 大学生2026 --model bt");
        ASSERT_EQ(scale.status, 0);
        expected = logWorths(scale.out);
        ASSERT_EQ(expected.size(), 8u * 5u);
    }

    kestrune::testing::ProgramRun cli(const std::string& arguments) const {
        return runProgram("cd '" + disk.root().string() + "' && '" + KESTRUNE_CLI + "' " + arguments);
    }

    // Runs the script on the CSV and compares every log-worth.
    void runAndCompare(const std::string& interpreter, const std::string& script, const std::string& csv) {
        const std::filesystem::path file = disk.path("script");
        std::ofstream(file) << script;
        const auto run = runProgram("cd '" + disk.root().string() + "' && " + interpreter + " script " + csv);
        ASSERT_EQ(run.status, 0) << run.err;
        const auto got = logWorths(run.out);
        ASSERT_EQ(got.size(), expected.size()) << run.out;
        for (const auto& [key, value] : expected) {
            ASSERT_TRUE(got.count(key)) << key.first << " " << key.second;
            EXPECT_NEAR(got.at(key), value, 1e-4) << key.first << " panel " << key.second;
        }
    }

    static bool available(const std::string& check) {
        return runProgram(check + " >/dev/null 2>&1").status == 0;
    }

    TempDisk disk;
    std::map<std::pair<std::string, int>, double> expected;
};

}  // namespace

TEST_F(CsvScripts, RWithBradleyTerry2OnTheLongLayout) {
    if (!available("Rscript -e 'library(BradleyTerry2)'"))
        GTEST_SKIP() << "R with BradleyTerry2 is not installed (r-base-core, r-cran-bradleyterry2)";
    const std::vector<std::string> scripts = codeBlocks("r");
    ASSERT_EQ(scripts.size(), 2u);
    runAndCompare("Rscript", scripts[0], "long.csv");
}

TEST_F(CsvScripts, RWithPsychotoolsOnThePaircompLayout) {
    if (!available("Rscript -e 'library(psychotools)'"))
        GTEST_SKIP() << "R with psychotools is not installed (r-base-core, r-cran-psychotools)";
    const std::vector<std::string> scripts = codeBlocks("r");
    ASSERT_EQ(scripts.size(), 2u);
    runAndCompare("Rscript", scripts[1], "paircomp.csv");
}

TEST_F(CsvScripts, PythonWithPandasAndNumpyOnTheLongLayout) {
    if (!available("/usr/bin/python3 -c 'import numpy, pandas'"))
        GTEST_SKIP() << "Python with pandas and numpy is not installed (python3-pandas, python3-numpy)";
    const std::vector<std::string> scripts = codeBlocks("python");
    ASSERT_EQ(scripts.size(), 1u);
    runAndCompare("/usr/bin/python3", scripts[0], "long.csv");
}
