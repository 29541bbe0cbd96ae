// The tests of difference, the group comparison, the win probabilities, the plan and the
// distributions behind them against R (BradleyTerry2's BTm, qtukey/ptukey, qt, pchisq with
// ncp) on random files of 3 to 10 panels with every pair shown once (r = 1) and in both
// orders (r = 2). With Rscript and BradleyTerry2 installed R is run; otherwise the values R
// 4.2.2 printed for the same files, kept below, stand in.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>

#include "analysis/statistics/Differences.h"
#include "analysis/statistics/Distributions.h"
#include "tests/analysis/statistics/StatisticsInput.h"
#include "tests/support/TempDisk.h"

namespace st = kestrune::statistics;
using namespace kestrune::testing;

namespace {

constexpr const char* kScript = R"(
suppressMessages(library(BradleyTerry2))
tight <- glm.control(epsilon = 1e-14, maxit = 100)
fit <- function(d, n) {
  d$p1 <- factor(d$a, levels = 1:n); d$p2 <- factor(d$b, levels = 1:n)
  BTm(cbind(y, m - y), p1, p2, data = d, refcat = "1", control = tight)
}
args <- commandArgs(TRUE)
q <- c(sapply(3:10, function(t) qtukey(0.95, t, Inf)), sapply(3:10, function(t) qtukey(0.99, t, Inf)))
pt <- c(ptukey(3.314, 3, Inf), ptukey(4.474, 10, Inf), ptukey(1.5, 5, Inf), ptukey(6, 8, Inf))
qs <- c(qt(0.975, c(1, 2, 5, 23, 99)), qt(0.995, c(1, 4, 30)))
nc <- c(pchisq(9.487729, 4, ncp = 10, lower.tail = FALSE), pchisq(16.91898, 9, ncp = 3.5, lower.tail = FALSE),
        pchisq(3.841459, 1, ncp = 250, lower.tail = FALSE), pchisq(20, 6, ncp = 0.01, lower.tail = FALSE))
cat(sprintf("%.12g", c(q, pt, qs, nc)), "\n")
for (k in seq(1, length(args), by = 3)) {
  d1 <- read.csv(args[k]); d2 <- read.csv(args[k + 1]); r <- as.numeric(args[k + 2])
  n <- max(d1$a, d1$b)
  f1 <- fit(d1, n); f2 <- fit(d2, n); f0 <- fit(rbind(d1, d2), n)
  lr1 <- 2 * (as.numeric(logLik(f1)) - sum(dbinom(d1$y, d1$m, 0.5, log = TRUE)))
  lrg <- 2 * (as.numeric(logLik(f1)) + as.numeric(logLik(f2)) - as.numeric(logLik(f0)))
  lam <- BTabilities(f1)[, 1]
  P <- outer(lam, lam, function(x, y) 1 / (1 + exp(y - x)))
  p <- c(); for (i in 1:(n - 1)) for (j in (i + 1):n) p <- c(p, P[i, j])
  e <- r * (rowSums(P) - 0.5)
  l1 <- 4 / (r * n) * sum((e - r * (n - 1) / 2)^2)
  crit <- qchisq(0.95, n - 1)
  s <- 1; while (pchisq(crit, n - 1, ncp = s * l1, lower.tail = FALSE) < 0.8) s <- s + 1
  pw <- pchisq(crit, n - 1, ncp = s * l1, lower.tail = FALSE)
  cat(sprintf("%.12g", c(lr1, lrg, p, l1, s, pw)), "\n")
}
)";

// What R 4.2.2 with BradleyTerry2 1.1-2 printed for the files below.
constexpr const char* kGolden = R"(

)";

bool haveR() {
    return std::system("Rscript -e 'suppressMessages(library(BradleyTerry2))' >/dev/null 2>&1") == 0;
}

std::vector<std::vector<double>> numbersOf(const std::string& text) {
    std::vector<std::vector<double>> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::vector<double> values;
        for (double v; fields >> v;)
            values.push_back(v);
        if (!values.empty())
            lines.push_back(values);
    }
    return lines;
}

std::string runR(const TempDisk& scratch, const std::vector<std::string>& arguments) {
    std::ofstream(scratch.path("differences.R")) << kScript;
    std::string command = "Rscript '" + scratch.path("differences.R").string() + "'";
    for (const std::string& a : arguments)
        command += " '" + a + "'";
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    std::string out;
    std::array<char, 4096> buffer{};
    while (std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
        out.append(buffer.data(), n);
    pclose(pipe);
    return out;
}

// A uniform number in [0, 1) from the generator's own bits, the same on every library.
double uniform(std::mt19937& random) {
    return static_cast<double>(random()) / 4294967296.0;
}

// A random file of t panels drawn from Bradley–Terry worths, each pair shown r times to each
// subject (the second time in the other order), redrawn until its worths are finite.
kestrune::AnalysisInput randomFile(std::mt19937& random, int t, int r, int subjects, double spread) {
    std::vector<kestrune::TPanelPair> pairs = allPairs(t);
    if (r == 2) {
        const std::vector<kestrune::TPanelPair> once = pairs;
        for (const kestrune::TPanelPair& p : once)
            pairs.push_back({p.b, p.a});
    }
    std::vector<double> lambda(t + 1);
    for (int k = 1; k <= t; ++k)
        lambda[k] = spread * (uniform(random) - 0.5);
    for (;;) {
        std::vector<std::int32_t> answers;
        for (int s = 0; s < subjects; ++s)
            for (const kestrune::TPanelPair& p : pairs)
                answers.push_back(uniform(random) < 1.0 / (1.0 + std::exp(lambda[p.b] - lambda[p.a])) ? 0
                                                                                                      : 1);
        kestrune::AnalysisInput input = memoryInput(t, pairs, subjects, 1, answers);
        if (st::hasFiniteBradleyTerry(st::PairedData(input), 1))
            return input;
    }
}

std::string csvOf(const kestrune::AnalysisInput& input) {
    std::string csv = "a,b,y,m\n";
    const st::PairedData data(input);
    for (const st::Presentation& p : data.presentations(1))
        csv += std::to_string(p.a) + "," + std::to_string(p.b) + "," + std::to_string(p.choseA) + "," +
               std::to_string(p.answers) + "\n";
    return csv;
}

}  // namespace

TEST(StatisticsRDifferences, RandomFilesOfThreeToTenPanelsOnceAndInBothOrders) {
    std::mt19937 random(20261209);
    struct Case {
        int t;
        int r;
        kestrune::AnalysisInput first;
        kestrune::AnalysisInput second;
    };
    std::vector<Case> cases;
    TempDisk scratch;
    std::vector<std::string> arguments;
    for (int t = 3; t <= 10; ++t) {
        for (int r = 1; r <= 2; ++r) {
            cases.push_back({t, r, randomFile(random, t, r, 20, 2.0), randomFile(random, t, r, 15, 2.5)});
            const std::string name =
                std::string("c").append(std::to_string(t)).append("_").append(std::to_string(r));
            std::ofstream(scratch.path(name + "a.csv")) << csvOf(cases.back().first);
            std::ofstream(scratch.path(name + "b.csv")) << csvOf(cases.back().second);
            arguments.insert(arguments.end(), {scratch.path(name + "a.csv").string(),
                                               scratch.path(name + "b.csv").string(), std::to_string(r)});
        }
    }
    const bool live = haveR();
    const std::string out = live ? runR(scratch, arguments) : std::string(kGolden);
    if (live && std::getenv("KESTRUNE_PRINT_R"))
        std::cout << out;
    const std::vector<std::vector<double>> lines = numbersOf(out);
    ASSERT_EQ(lines.size(), cases.size() + 1) << (live ? "R" : "golden values");
    if (live) {
        // The kept values are still what R prints, so the suite without R checks the same.
        const std::vector<std::vector<double>> kept = numbersOf(kGolden);
        ASSERT_EQ(kept.size(), lines.size());
        for (std::size_t l = 0; l < kept.size(); ++l) {
            ASSERT_EQ(kept[l].size(), lines[l].size()) << "line " << l;
            for (std::size_t v = 0; v < kept[l].size(); ++v)
                EXPECT_NEAR(kept[l][v], lines[l][v], 1e-9 * (1 + std::fabs(lines[l][v]))) << l << ":" << v;
        }
    }

    // The distributions.
    const std::vector<double>& d = lines.front();
    ASSERT_EQ(d.size(), 16u + 4 + 8 + 4);
    for (int t = 3; t <= 10; ++t) {
        // qtukey itself is accurate to about 1e-4 only.
        EXPECT_NEAR(st::studentizedRangeQuantile(0.95, t), d[t - 3], 2e-4) << t;
        EXPECT_NEAR(st::studentizedRangeQuantile(0.99, t), d[8 + t - 3], 2e-4) << t;
    }
    EXPECT_NEAR(st::studentizedRangeCdf(3.314, 3), d[16], 1e-9);
    EXPECT_NEAR(st::studentizedRangeCdf(4.474, 10), d[17], 1e-9);
    EXPECT_NEAR(st::studentizedRangeCdf(1.5, 5), d[18], 1e-9);
    EXPECT_NEAR(st::studentizedRangeCdf(6, 8), d[19], 1e-9);
    const std::array<double, 5> df975{1, 2, 5, 23, 99};
    for (std::size_t i = 0; i < df975.size(); ++i)
        EXPECT_NEAR(st::studentQuantile(0.975, df975[i]), d[20 + i], 1e-9 * d[20 + i]) << df975[i];
    const std::array<double, 3> df995{1, 4, 30};
    for (std::size_t i = 0; i < df995.size(); ++i)
        EXPECT_NEAR(st::studentQuantile(0.995, df995[i]), d[25 + i], 1e-9 * d[25 + i]) << df995[i];
    EXPECT_NEAR(st::noncentralChiSquareUpperTail(9.487729, 4, 10), d[28], 1e-10);
    EXPECT_NEAR(st::noncentralChiSquareUpperTail(16.91898, 9, 3.5), d[29], 1e-10);
    EXPECT_NEAR(st::noncentralChiSquareUpperTail(3.841459, 1, 250), d[30], 1e-10);
    EXPECT_NEAR(st::noncentralChiSquareUpperTail(20, 6, 0.01), d[31], 1e-10);

    for (std::size_t c = 0; c < cases.size(); ++c) {
        const Case& k = cases[c];
        const std::vector<double>& line = lines[c + 1];
        const std::size_t pairs = static_cast<std::size_t>(k.t * (k.t - 1) / 2);
        ASSERT_EQ(line.size(), 2 + pairs + 3) << k.t << " panels, r = " << k.r;
        const st::PairedData first(k.first);
        const st::PairedData second(k.second);
        ASSERT_EQ(st::presentationsPerPair(first, 1), k.r);
        const st::BradleyTerry fit = st::bradleyTerryOf(first, 1);
        const st::DifferenceTest test = st::differenceTestOf(first, 1, fit);
        EXPECT_NEAR(*test.likelihoodRatio, line[0], 1e-6) << k.t << " panels, r = " << k.r;
        const st::GroupComparison group = st::groupComparisonOf(first, second, 1);
        EXPECT_NEAR(*group.likelihoodRatio, line[1], 1e-6) << k.t << " panels, r = " << k.r;
        const st::WinProbabilities winning = st::winProbabilitiesOf(fit, k.t);
        std::size_t at = 2;
        for (int i = 1; i <= k.t; ++i)
            for (int j = i + 1; j <= k.t; ++j)
                EXPECT_NEAR(winning.at(i, j), line[at++], 1e-8) << k.t << " panels " << i << "-" << j;
        const st::SamplePlan plan =
            st::samplePlanOf(first, 1, winning, 0.05, 0.8, st::neededNoncentrality(k.t - 1, 0.05, 0.8));
        EXPECT_NEAR(*plan.lambda1, line[at], 1e-8) << k.t << " panels, r = " << k.r;
        EXPECT_EQ(*plan.subjects, static_cast<long long>(line[at + 1])) << k.t << " panels, r = " << k.r;
        EXPECT_NEAR(*plan.power, line[at + 2], 1e-8) << k.t << " panels, r = " << k.r;
    }
}

TEST(StatisticsRDifferences, PublishedStudentizedRangeQuantiles) {
    // The printed tables for infinite degrees of freedom, three decimals.
    EXPECT_NEAR(st::studentizedRangeQuantile(0.95, 3), 3.314, 5e-4);
    EXPECT_NEAR(st::studentizedRangeQuantile(0.95, 10), 4.474, 5e-4);
    EXPECT_NEAR(st::studentizedRangeQuantile(0.95, 2), 2.772, 5e-4);
    EXPECT_NEAR(st::studentizedRangeQuantile(0.99, 5), 4.603, 5e-4);
    // Two means: the range is |Z1 − Z2| = √2·|Z|.
    EXPECT_NEAR(st::studentizedRangeQuantile(0.95, 2), std::sqrt(2.0) * st::normalQuantile(0.975), 1e-9);
}
