// differences, score-ci, group-test, plan and scale --matrix on a copy of the sample study disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

#include "tests/support/ProgramRun.h"
#include "tests/support/TempDisk.h"

using kestrune::testing::TempDisk;

namespace {

using Row = std::vector<std::string>;

std::vector<Row> cells(const std::string& text) {
    std::vector<Row> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        Row row;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            row.push_back(line.substr(start, tab - start));
        row.push_back(line.substr(start));
        rows.push_back(row);
    }
    return rows;
}

class DifferenceCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::copy(std::string(KESTRUNE_EXAMPLES) + "/study-disk", disk_.root(),
                              std::filesystem::copy_options::recursive);
    }
    kestrune::testing::ProgramRun run(const std::string& arguments) const {
        return kestrune::testing::runProgram(std::string(KESTRUNE_CLI) + " --root '" + disk_.root().string() +
                                             "' " + arguments);
    }
    std::vector<Row> table(const std::string& arguments) const {
        const kestrune::testing::ProgramRun result = run(arguments);
        EXPECT_EQ(result.status, 0) << arguments << ": " << result.err;
        return cells(result.out);
    }

    TempDisk disk_;
};

double number(const std::string& text) {
    return std::strtod(text.c_str(), nullptr);
}

}  // namespace

TEST_F(DifferenceCommands, DifferencesPairsAndLettersAgreeWithEachOther) {
    // 24 students, 5 panels, 8 images.
    const auto tests = table("differences 色彩の印象 mix 大学生2026");
    ASSERT_EQ(tests.size(), 1u + 8);
    EXPECT_EQ(tests[0], (Row{"image", "D", "df", "p", "lr", "lr_p"}));
    EXPECT_EQ(tests[1][0], "明るい");
    // Wins 15, 22, 48, 70, 85 of m = 24, t = 5: D = 4/120 · Σ(a − 48)² = 120.6.
    EXPECT_EQ(tests[1][1], "120.600000");
    EXPECT_EQ(tests[1][2], "4");

    const auto pairs = table("differences 色彩の印象 mix 大学生2026 --pairs");
    ASSERT_EQ(pairs.size(), 1u + 8 * 10);
    EXPECT_EQ(pairs[0],
              (Row{"image", "panel_i", "panel_j", "wins_i", "wins_j", "diff", "critical", "different"}));
    // q(0.95; 5, ∞) = 3.857656 · √120 / 2.
    EXPECT_EQ(pairs[1], (Row{"明るい", "1", "2", "15", "22", "7", "21.129249", "no"}));
    EXPECT_EQ(pairs[2][7], "yes");

    const auto letters = table("differences 色彩の印象 mix 大学生2026 --letters");
    ASSERT_EQ(letters.size(), 1u + 8 * 5);
    EXPECT_EQ(letters[0], (Row{"image", "panel", "wins", "score", "letters"}));
    EXPECT_EQ(letters[1], (Row{"明るい", "5", "85", "88.542", "a"}));
    // Within each image: descending wins, and a shared letter exactly where --pairs says "no".
    for (std::size_t r = 1; r < letters.size(); ++r) {
        for (std::size_t s = r + 1; s < letters.size() && letters[s][0] == letters[r][0]; ++s) {
            EXPECT_GE(number(letters[r][2]), number(letters[s][2]));
            bool share = false;
            for (char c : letters[r][4])
                share = share || letters[s][4].find(c) != std::string::npos;
            const std::string i = std::min(letters[r][1], letters[s][1]);
            const std::string j = std::max(letters[r][1], letters[s][1]);
            for (const Row& p : pairs) {
                if (p[0] == letters[r][0] && p[1] == i && p[2] == j) {
                    EXPECT_EQ(share, p[7] == "no") << letters[r][0] << " " << i << "-" << j;
                }
            }
        }
    }

    // A stricter level widens the critical difference.
    const auto strict = table("differences 色彩の印象 mix 大学生2026 --pairs --alpha 0.01");
    EXPECT_GT(number(strict[1][6]), number(pairs[1][6]));
    const auto refused = run("differences 色彩の印象 mix 大学生2026 --alpha 1.5");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("有意水準 '1.5'"), std::string::npos) << refused.err;
    EXPECT_EQ(run("differences 色彩の印象 mix 大学生2026 --pairs --letters").status, 2);
}

TEST_F(DifferenceCommands, ScoreIntervalsShowTheScaleValueTablesScoresAndDeviations) {
    const auto intervals = table("score-ci 色彩の印象 mix 大学生2026");
    ASSERT_EQ(intervals.size(), 1u + 8 * 5);
    EXPECT_EQ(intervals[0], (Row{"image", "panel", "score", "sd", "n", "lower", "upper"}));
    const auto aggregate = cells(run("aggregate 色彩の印象 mix 大学生2026").out);
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(intervals[k][2], aggregate[1][1 + k]);  // 100点換算得点
        EXPECT_EQ(intervals[k][3], aggregate[2][1 + k]);  // 標準偏差
    }
    // 15.625 ± t(0.975; 23) · 16.172 / √24 (R: qt(0.975, 23) = 2.068658).
    EXPECT_NEAR(number(intervals[1][5]), 15.625 - 2.068658 * 16.172 / std::sqrt(24.0), 2e-3);
    const auto wider = table("score-ci 色彩の印象 mix 大学生2026 --level 0.99");
    EXPECT_LT(number(wider[1][5]), number(intervals[1][5]));
    // One subject: the score, no interval.
    const auto single = table("score-ci 色彩の印象 female 予備調査");
    EXPECT_EQ(single[1][4], "1");
    EXPECT_EQ(single[1][5], "NA");
    EXPECT_EQ(single[1][6], "NA");
    EXPECT_NE(run("score-ci 色彩の印象 female 予備調査").err.find("被験者が 1 人"), std::string::npos);
}

TEST_F(DifferenceCommands, GroupTestWinProbabilitiesAndPlan) {
    const auto same = table("group-test 色彩の印象 mix 大学生2026 mix 大学生2026");
    ASSERT_EQ(same.size(), 1u + 8);
    EXPECT_EQ(same[0], (Row{"image", "lr", "df", "p"}));
    EXPECT_EQ(same[1], (Row{"明るい", "0.000000", "4", "1.000000"}));
    // The one-subject pilot has no finite worths, but the likelihood's supremum compares.
    const auto pilot = table("group-test 色彩の印象 mix 大学生2026 female 予備調査");
    EXPECT_NE(pilot[1][1], "NA");
    const auto otherSeries = run("group-test 色彩の印象 mix 大学生2026 male 試飲会");
    EXPECT_EQ(otherSeries.status, 1);

    const auto matrix = table("scale 色彩の印象 mix 大学生2026 --model bt --matrix");
    ASSERT_EQ(matrix.size(), 1u + 8 * 20);
    EXPECT_EQ(matrix[0], (Row{"image", "panel_i", "panel_j", "p"}));
    EXPECT_EQ(matrix[1], (Row{"明るい", "1", "2", "0.400805"}));
    EXPECT_EQ(matrix[5], (Row{"明るい", "2", "1", "0.599195"}));
    EXPECT_EQ(run("scale 色彩の印象 mix 大学生2026 --model thurstone --matrix").status, 2);

    const auto plan = table("plan 色彩の印象 mix 大学生2026");
    ASSERT_EQ(plan.size(), 1u + 8);
    EXPECT_EQ(plan[0], (Row{"image", "lambda1", "subjects", "power"}));
    const auto stronger = table("plan 色彩の印象 mix 大学生2026 --power 0.99 --alpha 0.01");
    for (std::size_t r = 1; r < plan.size(); ++r) {
        EXPECT_GE(number(plan[r][3]), 0.8);
        EXPECT_GE(number(stronger[r][2]), number(plan[r][2]));
    }
    const auto none = run("plan 色彩の印象 female 予備調査");
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(cells(none.out)[1], (Row{"明るい", "NA", "NA", "NA"}));
    // The reason once, with the images it concerns.
    EXPECT_EQ(none.err.rfind("NA: 最尤推定値が存在しません", 0), 0u) << none.err;
    EXPECT_NE(none.err.find("(明るい、暖かい、"), std::string::npos) << none.err;
    EXPECT_EQ(std::count(none.err.begin(), none.err.end(), '\n'), 1);
    EXPECT_EQ(run("plan 色彩の印象 mix 大学生2026 --power 1").status, 1);
}

TEST_F(DifferenceCommands, AnOrderListingEveryPairInBothOrdersCountsEachPairTwice) {
    // Five panels: the ten pairs, then the same ten the other way round (r = 2). Each subject
    // chooses the same panel both times, so every win count and D are twice those of the ten
    // pairs shown once.
    std::vector<std::pair<int, int>> pairs;
    for (int a = 1; a <= 5; ++a)
        for (int b = a + 1; b <= 5; ++b)
            pairs.emplace_back(a, b);
    std::vector<std::string> once{"5,10"};
    std::vector<std::string> twice{"5,20"};
    for (const auto& [a, b] : pairs) {
        once.push_back(std::to_string(a) + "," + std::to_string(b));
        twice.push_back(std::to_string(a) + "," + std::to_string(b));
    }
    for (const auto& [a, b] : pairs)
        twice.push_back(std::to_string(b) + "," + std::to_string(a));
    disk_.writeLines("order/一回.ord", once);
    disk_.writeLines("order/二回.ord", twice);
    disk_.writeLines("paper/一回.pap", {"1", "\"明るい\""});
    disk_.writeLines("paper/二回.pap", {"1", "\"明るい\""});
    std::vector<std::string> dataOnce{"6,10,1"};
    std::vector<std::string> dataTwice{"6,20,1"};
    for (int s = 0; s < 6; ++s) {
        std::vector<int> answers;
        for (std::size_t p = 0; p < pairs.size(); ++p)
            answers.push_back((s + static_cast<int>(p) * 3) % 4 == 0 ? 1 : 0);
        for (int a : answers) {
            dataOnce.push_back(std::to_string(a));
            dataTwice.push_back(std::to_string(a));
        }
        for (int a : answers)
            dataTwice.push_back(std::to_string(1 - a));  // the same panel, now on the other side
    }
    disk_.writeLines("mix/一回/調査.dat", dataOnce);
    disk_.writeLines("mix/二回/調査.dat", dataTwice);

    const auto single = table("differences 一回 mix 調査");
    const auto doubled = table("differences 二回 mix 調査");
    ASSERT_EQ(doubled.size(), 2u);
    EXPECT_NEAR(number(doubled[1][1]), 2 * number(single[1][1]), 1e-5);
    EXPECT_NEAR(number(doubled[1][4]), 2 * number(single[1][4]), 1e-5);
    const auto pairsOnce = table("differences 一回 mix 調査 --pairs");
    const auto pairsTwice = table("differences 二回 mix 調査 --pairs");
    ASSERT_EQ(pairsTwice.size(), 1u + 10);
    EXPECT_EQ(number(pairsTwice[1][3]), 2 * number(pairsOnce[1][3]));
    // The critical difference grows with √m: √2 times.
    EXPECT_NEAR(number(pairsTwice[1][6]), std::sqrt(2.0) * number(pairsOnce[1][6]), 1e-5);
    const auto planTwice = table("plan 二回 mix 調査");
    EXPECT_NE(planTwice[1][1], "NA");
}
