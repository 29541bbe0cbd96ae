// The model fits against R's BradleyTerry2 (BTm) and glm on random data of every size from 3
// to 10 panels. Needs Rscript with BradleyTerry2 on the machine; skips without it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>

#include "analysis/statistics/BradleyTerry.h"
#include "analysis/statistics/OrderBias.h"
#include "tests/analysis/statistics/StatisticsInput.h"
#include "tests/support/TempDisk.h"

namespace st = kestrune::statistics;
using namespace kestrune::testing;

namespace {

// One R run fits every file given and prints one line per file: the log-worths of panels
// 2..n, their standard errors, the deviance, the order effect, its standard error and the
// likelihood-ratio chi-square.
constexpr const char* kScript = R"(
suppressMessages(library(BradleyTerry2))
tight <- glm.control(epsilon = 1e-14, maxit = 100)
for (file in commandArgs(TRUE)) {
  d <- read.csv(file); n <- max(d$a, d$b)
  d$p1 <- factor(d$a, levels = 1:n); d$p2 <- factor(d$b, levels = 1:n)
  f <- BTm(cbind(y, m - y), p1, p2, data = d, refcat = "1", control = tight)
  s <- summary(f)$coefficients
  X <- matrix(0, nrow(d), n); for (r in 1:nrow(d)) { X[r, d$a[r]] <- 1; X[r, d$b[r]] <- -1 }
  X <- X[, -1, drop = FALSE]
  g0 <- glm(cbind(d$y, d$m - d$y) ~ X - 1, family = binomial, control = tight)
  g1 <- glm(cbind(d$y, d$m - d$y) ~ X, family = binomial, control = tight)
  o <- coef(summary(g1))[1, 1:2]
  cat(sprintf("%.12f", c(s[, 1], s[, 2], deviance(f), o, deviance(g0) - deviance(g1))), "\n")
}
)";

bool haveR() {
    return std::system("Rscript -e 'suppressMessages(library(BradleyTerry2))' >/dev/null 2>&1") == 0;
}

std::vector<std::vector<double>> runR(const TempDisk& scratch, const std::vector<std::string>& csvFiles) {
    std::ofstream(scratch.path("fit.R")) << kScript;
    std::string command = "Rscript '" + scratch.path("fit.R").string() + "'";
    for (std::size_t i = 0; i < csvFiles.size(); ++i) {
        const std::string name = "counts" + std::to_string(i) + ".csv";
        std::ofstream(scratch.path(name)) << csvFiles[i];
        command += " '" + scratch.path(name).string() + "'";
    }
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    std::string out;
    std::array<char, 4096> buffer{};
    while (std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
        out.append(buffer.data(), n);
    pclose(pipe);
    std::vector<std::vector<double>> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        lines.emplace_back();
        for (double v; fields >> v;)
            lines.back().push_back(v);
    }
    return lines;
}

// A random complete file of n panels and 25 subjects on one image, drawn from a Bradley–Terry
// model with an order effect until its worths are finite.
kestrune::AnalysisInput randomFile(std::mt19937& random, int n, std::vector<int>& chosen) {
    const int subjects = 25;
    const std::vector<kestrune::TPanelPair> pairs = allPairs(n);
    std::normal_distribution<double> worth(0.0, 0.8);
    std::vector<double> lambda(n + 1);
    for (int k = 1; k <= n; ++k)
        lambda[k] = worth(random);
    for (;;) {
        chosen.clear();
        for (const kestrune::TPanelPair& p : pairs) {
            const double chance = 1.0 / (1.0 + std::exp(-(lambda[p.a] - lambda[p.b] + 0.3)));
            chosen.push_back(std::binomial_distribution<int>(subjects, chance)(random));
        }
        // Subject s chose A in pair p when s < y_p.
        std::vector<std::int32_t> answers;
        for (int s = 0; s < subjects; ++s)
            for (int y : chosen)
                answers.push_back(s < y ? 0 : 1);
        kestrune::AnalysisInput input = memoryInput(n, pairs, subjects, 1, answers);
        if (st::hasFiniteBradleyTerry(st::PairedData(input), 1))
            return input;
    }
}

}  // namespace

TEST(StatisticsRCrossCheck, RandomFilesOfThreeToTenPanels) {
    if (!haveR())
        GTEST_SKIP() << "Rscript with BradleyTerry2 is not installed";
    std::mt19937 random(20260513);
    std::vector<kestrune::AnalysisInput> inputs;
    std::vector<std::string> csvFiles;
    for (int n = 3; n <= 10; ++n) {
        std::vector<int> chosen;
        inputs.push_back(randomFile(random, n, chosen));
        std::string csv = "a,b,y,m\n";
        for (std::size_t p = 0; p < chosen.size(); ++p) {
            const kestrune::TPanelPair& pair = inputs.back().pairs[p];
            csv += std::to_string(pair.a) + "," + std::to_string(pair.b) + "," + std::to_string(chosen[p]) +
                   ",25\n";
        }
        csvFiles.push_back(csv);
    }
    TempDisk scratch;
    const std::vector<std::vector<double>> r = runR(scratch, csvFiles);
    ASSERT_EQ(r.size(), inputs.size());
    for (std::size_t f = 0; f < inputs.size(); ++f) {
        const int n = inputs[f].panelCount;
        const std::vector<double>& line = r[f];
        ASSERT_EQ(line.size(), static_cast<std::size_t>(2 * (n - 1) + 4)) << n << " panels";
        const st::PairedData data(inputs[f]);
        const st::BradleyTerry bt = st::bradleyTerryOf(data, 1);
        ASSERT_TRUE(bt.finite);
        for (int k = 2; k <= n; ++k) {
            EXPECT_NEAR(bt.panels[k - 1].logWorth, line[k - 2], 1e-8) << n << " panels, panel " << k;
            EXPECT_NEAR(bt.panels[k - 1].standardError, line[n - 1 + k - 2], 1e-7) << n << " panels";
        }
        EXPECT_NEAR(bt.deviance, line[2 * (n - 1)], 1e-7) << n << " panels";
        const st::OrderBias bias = st::orderBiasOf(data, 1);
        ASSERT_TRUE(bias.effect) << n << " panels";
        EXPECT_NEAR(bias.effect->estimate, line[2 * (n - 1) + 1], 1e-7) << n << " panels";
        EXPECT_NEAR(bias.effect->standardError, line[2 * (n - 1) + 2], 1e-6) << n << " panels";
        EXPECT_NEAR(bias.effect->chiSquare, line[2 * (n - 1) + 3], 1e-6) << n << " panels";
    }
}
