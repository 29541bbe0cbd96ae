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
3.31449315755 3.6331595818 3.85765552685 4.03009208664 4.16955421609 4.28630951256 4.38650927983 4.47412447126 4.12030328327 4.40280086155 4.60282104317 4.75704725465 4.88216621456 4.98718274605 5.0775058195 5.15663525314 0.949955859593 0.949986758422 0.173335455825 0.999416572655 12.7062047362 4.30265272975 2.57058183564 2.06865761042 1.98421695159 63.6567411629 4.60409487135 2.74999565357 0.715986352659 0.19867656645 1 0.0028073710227
15.571224034 21.5037176669 0.787870345746 0.812129654254 0.537870345746 0.726666666667 14 0.822383080164
4.23750866724 6.62637894193 0.525424088107 0.624575911893 0.600424088107 0.21 46 0.801101908925
24.1830918762 44.9283925634 0.719271690792 0.427584767091 0.753143542116 0.225732992316 0.543538698476 0.803317759407 1.145 10 0.820998749936
41.5892447723 14.3897597616 0.527340533321 0.479689252886 0.217970213793 0.452454329276 0.199886204045 0.232143582162 1.9575 6 0.831538216562
31.4263061256 9.56587730119 0.375005434128 0.238845243674 0.172869544296 0.263279777903 0.343391121844 0.258338392681 0.373275919602 0.399774608577 0.532461756942 0.630982545553 1.492 8 0.800026902795
69.2791108274 96.0726456866 0.278150660303 0.171175649604 0.291483454426 0.459190235666 0.3489484786 0.516359999955 0.687842181749 0.665772887604 0.8043512406 0.673616341986 3.278 4 0.840523357072
24.8418201685 15.3092511426 0.465382112719 0.352749849367 0.482698726798 0.628844734625 0.620324576491 0.38502336813 0.51735819971 0.66059735156 0.652403193318 0.631286749848 0.756620083047 0.749866384601 0.644854383038 0.636489293318 0.49091655227 1.20666666667 11 0.815459411967
110.645481309 140.038629362 0.785424973507 0.785424973507 0.825034968355 0.52547983591 0.65363524872 0.5 0.562982215751 0.23226640485 0.340176352906 0.562982215751 0.23226640485 0.340176352906 0.190181398096 0.285818001761 0.630194043707 5.22166666667 3 0.882668937403
40.6949782199 22.001344173 0.454073162745 0.439137369475 0.261764341646 0.48450420615 0.367242958558 0.243277961426 0.484895322655 0.298889446571 0.530517918495 0.410999204893 0.27877127013 0.311706196015 0.545538629291 0.425704371376 0.291083495449 0.72607827251 0.620755358569 0.475526353152 0.381765838612 0.254873187834 0.356467732009 1.96857142857 7 0.805284148651
124.393834485 218.760823121 0.534819215994 0.488246332829 0.561429963896 0.680912580819 0.834591906462 0.5 0.453503232689 0.526840388163 0.649869620189 0.814425190947 0.465180784006 0.572972877414 0.69104133729 0.840981683642 0.511753667171 0.625041173914 0.797632019454 0.438570036104 0.702777293032 0.319087419181 0.165408093538 5.80285714286 3 0.899801747853
85.7105465733 71.082091147 0.684226104807 0.309733716746 0.486499230516 0.347936796766 0.677405442525 0.446261911873 0.347936796766 0.171557850212 0.304220888372 0.197596799091 0.4921535668 0.271100201242 0.197596799091 0.678600628968 0.543202958492 0.823934967009 0.642350053997 0.543202958492 0.360290286708 0.689094602527 0.459645571913 0.360290286708 0.797379237487 0.60164760357 0.5 0.277347053835 0.202620762513 0.39835239643 4.055 4 0.854614045385
138.351144776 171.983887007 0.617628044739 0.579365621142 0.811893238175 0.68216666572 0.458971016095 0.506753110647 0.493222303482 0.460253336984 0.727676642103 0.570588912032 0.344347780885 0.388771646624 0.375989726112 0.758081391789 0.609111054979 0.381153391422 0.427231484046 0.41404163589 0.332119970292 0.164263028949 0.192267224394 0.184001048432 0.283283407742 0.323719007306 0.311984187975 0.547729196614 0.534289428479 0.486471669631 6.54625 3 0.922694604232
91.4538159734 73.9466828346 0.331964594744 0.644401489527 0.638870543742 0.469710289513 0.535766142096 0.535766142096 0.75032938021 0.693191418072 0.784795173299 0.780704776425 0.64060833639 0.699017191439 0.699017191439 0.858110294853 0.819711630899 0.493986713773 0.328312560544 0.389073041737 0.389073041737 0.62383314006 0.554918164974 0.333638837913 0.394805654491 0.394805654491 0.629460817343 0.560851069701 0.565770842244 0.565770842244 0.772358559674 0.7183697802 0.5 0.722532866577 0.66190000543 0.722532866577 0.66190000543 0.429157925294 4.34666666667 4 0.865018454367
214.674863089 114.25713037 0.37194267034 0.417744330738 0.192815697384 0.40608867633 0.487420507144 0.309934438644 0.16721137958 0.496842299841 0.547816342976 0.28742453077 0.535871577119 0.616226753778 0.431303691265 0.25319779666 0.625101977772 0.249781647198 0.487972715055 0.56996576038 0.384998380448 0.218661936833 0.5791802338 0.741093298282 0.799229974854 0.652804891542 0.456682895233 0.805210815441 0.581717983203 0.396452777026 0.226994105505 0.590861401052 0.320800115145 0.174337574258 0.509423289955 0.308936647079 0.687357646992 0.831022335148 10.1233333333 2 0.919256119632
118.550651528 135.033314883 0.745789647871 0.77259102156 0.548459701535 0.478039742958 0.478039742958 0.63611576832 0.708868032735 0.527088667851 0.405007674212 0.536613908727 0.292798220798 0.237908753957 0.237908753957 0.373381619969 0.453537238078 0.275315109398 0.188326042986 0.263365200491 0.212336725196 0.212336725196 0.339739576566 0.417484823123 0.247025667237 0.166916212476 0.429878530987 0.429878530987 0.590031504642 0.66717677205 0.478516158206 0.359141625953 0.5 0.656208313007 0.726669542262 0.548932490207 0.426353407623 0.656208313007 0.726669542262 0.548932490207 0.426353407623 0.582087309699 0.389340811578 0.280256974233 0.314011372668 0.218481887543 0.379162767351 5.65 3 0.837248670822
194.519146757 310.981217374 0.597374395841 0.707104343561 0.670718062002 0.762388749779 0.57138053295 0.836898491005 0.519768792946 0.647026284884 0.637340347032 0.619358170445 0.578567987328 0.68379852331 0.473262774184 0.775702032382 0.421792205135 0.552667994574 0.542224708484 0.457620107935 0.570639028014 0.355746038081 0.680042736191 0.309545410465 0.431589616166 0.421279577154 0.611681567093 0.395572268033 0.715835173243 0.346985097069 0.473664093389 0.463167958438 0.29352298008 0.615267622925 0.252239398313 0.363587412379 0.3538904545 0.793776942463 0.448095287589 0.578960453193 0.568651910083 0.174190640901 0.263212719363 0.255119637946 0.628754407251 0.618862425166 0.489462981197 9.287 2 0.875727313676
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
