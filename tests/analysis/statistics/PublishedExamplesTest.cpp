// Worked examples from the literature, reproduced to the digits they were printed with:
// - baseball, the American League East of 1987 (Agresti, Categorical Data Analysis, 2nd ed.,
//   2002, p. 438; the same fits printed by Turner and Firth, "Bradley-Terry models in R",
//   Journal of Statistical Software 48(9), 2012): Bradley–Terry with and without home advantage;
// - Stigler's (1994) citations among four statistics journals, from the same paper;
// - Guilford's (Psychometric Methods, 1954) preferences among nine vegetables: Thurstone Case V;
// - the exact distribution of the number of circular triads, Kendall and Babington Smith
//   (Biometrika 31, 1940) for up to seven objects and Alway (Biometrika 49, 1962) for eight to ten.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "analysis/statistics/BradleyTerry.h"
#include "analysis/statistics/CircularTriads.h"
#include "analysis/statistics/PairedLogitFit.h"
#include "analysis/statistics/Thurstone.h"
#include "tests/analysis/statistics/StatisticsInput.h"

namespace st = kestrune::statistics;
using namespace kestrune::testing;

namespace {

// One data file of one image in which, for every pair (i, j) with i < j, `preferredToLater(i, j)`
// of the subjects chose panel i and the others panel j (each subject judges every pair once,
// the earlier panel shown as A).
template <typename Count>
kestrune::AnalysisInput fileOfPooledCounts(int panels, int subjects, Count preferredToLater) {
    const std::vector<kestrune::TPanelPair> pairs = allPairs(panels);
    std::vector<std::int32_t> answers;
    for (int s = 0; s < subjects; ++s)
        for (const kestrune::TPanelPair& pair : pairs)
            answers.push_back(s < preferredToLater(pair.a, pair.b) ? 0 : 1);
    return memoryInput(panels, pairs, subjects, 1, answers);
}

// The baseball season: each team's home games against each other team, the teams in the
// alphabetical order the published fits use, Baltimore (the reference, 0) first.
enum Team { Baltimore = 1, Boston, Cleveland, Detroit, Milwaukee, NewYork, Toronto };
struct HomeGames {
    int home, away, homeWins, awayWins;
};
const std::vector<HomeGames> kSeason1987 = {
    {Milwaukee, Detroit, 4, 3},   {Milwaukee, Toronto, 4, 2},   {Milwaukee, NewYork, 4, 3},
    {Milwaukee, Boston, 6, 1},    {Milwaukee, Cleveland, 4, 2}, {Milwaukee, Baltimore, 6, 0},
    {Detroit, Milwaukee, 3, 3},   {Detroit, Toronto, 4, 2},     {Detroit, NewYork, 4, 3},
    {Detroit, Boston, 6, 0},      {Detroit, Cleveland, 6, 1},   {Detroit, Baltimore, 4, 3},
    {Toronto, Milwaukee, 2, 5},   {Toronto, Detroit, 4, 3},     {Toronto, NewYork, 2, 4},
    {Toronto, Boston, 4, 3},      {Toronto, Cleveland, 4, 2},   {Toronto, Baltimore, 6, 0},
    {NewYork, Milwaukee, 3, 3},   {NewYork, Detroit, 5, 1},     {NewYork, Toronto, 2, 5},
    {NewYork, Boston, 4, 3},      {NewYork, Cleveland, 4, 2},   {NewYork, Baltimore, 6, 1},
    {Boston, Milwaukee, 5, 1},    {Boston, Detroit, 2, 5},      {Boston, Toronto, 3, 3},
    {Boston, NewYork, 4, 2},      {Boston, Cleveland, 5, 2},    {Boston, Baltimore, 6, 0},
    {Cleveland, Milwaukee, 2, 5}, {Cleveland, Detroit, 3, 3},   {Cleveland, Toronto, 3, 4},
    {Cleveland, NewYork, 4, 3},   {Cleveland, Boston, 4, 2},    {Cleveland, Baltimore, 2, 4},
    {Baltimore, Milwaukee, 2, 5}, {Baltimore, Detroit, 1, 5},   {Baltimore, Toronto, 1, 6},
    {Baltimore, NewYork, 2, 4},   {Baltimore, Boston, 1, 6},    {Baltimore, Cleveland, 3, 4},
};

int seasonWins(int team, int opponent) {
    int wins = 0;
    for (const HomeGames& g : kSeason1987) {
        if (g.home == team && g.away == opponent)
            wins += g.homeWins;
        if (g.away == team && g.home == opponent)
            wins += g.awayWins;
    }
    return wins;
}

double deviance(const st::PairedLogitModel& model, const st::PairedLogitFit& fit) {
    return 2.0 * (st::saturatedLogLikelihood(model.counts) - fit.logLikelihood);
}

// The published fits print four decimals.
constexpr double kPrinted = 5.01e-5;

}  // namespace

TEST(PublishedExamples, BaseballSeasonAsADataFileGivesAgrestisBradleyTerryFit) {
    // Every pair of teams met 13 times, so the season is a data file of 13 subjects who each
    // judged every pair once.
    for (int i = 1; i <= 7; ++i)
        for (int j = i + 1; j <= 7; ++j)
            ASSERT_EQ(seasonWins(i, j) + seasonWins(j, i), 13) << i << " " << j;
    const st::PairedData data(fileOfPooledCounts(7, 13, seasonWins));
    const st::BradleyTerry bt = st::bradleyTerryOf(data, 1);
    ASSERT_TRUE(bt.finite);
    const double ability[] = {0, 1.1077, 0.6839, 1.4364, 1.5814, 1.2476, 1.2945};
    const double standardError[] = {0, 0.3339, 0.3319, 0.3396, 0.3433, 0.3359, 0.3367};
    for (int team = Baltimore; team <= Toronto; ++team) {
        EXPECT_NEAR(bt.panels[team - 1].logWorth, ability[team - 1], kPrinted) << team;
        EXPECT_NEAR(bt.panels[team - 1].standardError, standardError[team - 1], kPrinted) << team;
    }
    EXPECT_EQ(bt.degrees, 15);
}

TEST(PublishedExamples, BaseballHomeAdvantageIsTheOrderEffect) {
    // The home team plays the part of panel A: Davidson and Beaver's order effect is Agresti's
    // home advantage, fitted to the 42 home-and-away records.
    st::PairedLogitModel model;
    model.panels = 7;
    for (const HomeGames& g : kSeason1987)
        model.counts.push_back({0, g.home, g.away, double(g.homeWins), double(g.homeWins + g.awayWins)});
    const st::PairedLogitFit withoutHome = st::fitPairedLogit(model);
    ASSERT_TRUE(withoutHome.converged);
    EXPECT_NEAR(deviance(model, withoutHome), 44.053, 5.01e-4);

    model.orderEffect = true;
    const st::PairedLogitFit withHome = st::fitPairedLogit(model);
    ASSERT_TRUE(withHome.converged);
    EXPECT_NEAR(withHome.orderEffect(), 0.3023, kPrinted);
    EXPECT_NEAR(std::sqrt(withHome.orderEffectVariance()), 0.1309, kPrinted);
    EXPECT_NEAR(std::exp(withHome.orderEffect()), 1.35, 0.005);  // the home team's odds multiplier
    const double ability[] = {0, 1.1438, 0.7047, 1.4754, 1.6196, 1.2813, 1.3271};
    const double standardError[] = {0, 0.3378, 0.3350, 0.3446, 0.3474, 0.3404, 0.3403};
    for (int team = Boston; team <= Toronto; ++team) {
        EXPECT_NEAR(withHome.logWorth(model, 0, team), ability[team - 1], kPrinted) << team;
        EXPECT_NEAR(std::sqrt(withHome.logWorthVariance(model, 0, team)), standardError[team - 1], kPrinted)
            << team;
    }
    EXPECT_NEAR(deviance(model, withHome), 38.643, 5.01e-4);
}

TEST(PublishedExamples, CitationsAmongStatisticsJournals) {
    // A journal wins a pair when the other journal cites it: Biometrika 1, Communications in
    // Statistics 2, JASA 3, JRSS-B 4; each count is (pair, wins of the first, both directions).
    st::PairedLogitModel model;
    model.panels = 4;
    model.counts = {{0, 1, 2, 730, 730 + 33}, {0, 1, 3, 498, 498 + 320}, {0, 1, 4, 221, 221 + 284},
                    {0, 2, 3, 68, 68 + 813},  {0, 2, 4, 17, 17 + 276},   {0, 3, 4, 142, 142 + 325}};
    const st::PairedLogitFit fit = st::fitPairedLogit(model);
    ASSERT_TRUE(fit.converged);
    EXPECT_NEAR(fit.logWorth(model, 0, 2), -2.9491, kPrinted);
    EXPECT_NEAR(fit.logWorth(model, 0, 3), -0.4796, kPrinted);
    EXPECT_NEAR(fit.logWorth(model, 0, 4), 0.2690, kPrinted);
    EXPECT_NEAR(deviance(model, fit), 4.293, 5.01e-4);
}

TEST(PublishedExamples, GuilfordsVegetablesOnThurstonesScale) {
    // Guilford prints the proportions to three decimals; counts out of 148 subjects give back
    // every one of them, so the file has 148 subjects. The count of pair (i, j) is how many
    // preferred the later vegetable j: turnips, cabbage, beets, asparagus, carrots, spinach,
    // string beans, peas, corn.
    const std::vector<std::vector<int>> laterPreferred = {
        {121, 114, 120, 130, 132, 133, 132, 137},
        {89, 107, 110, 109, 120, 125, 127},
        {83, 109, 100, 125, 118, 121},
        {83, 87, 100, 89, 108},
        {73, 85, 105, 113},
        {93, 101, 93},
        {78, 95},
        {93},
    };
    const int subjects = 148;
    const st::PairedData data(fileOfPooledCounts(
        9, subjects, [&](int i, int j) { return subjects - laterPreferred[i - 1][j - i - 1]; }));
    const st::Thurstone t = st::thurstoneOf(data, 1);
    EXPECT_EQ(t.replacedProportions, 0);
    const double guilford[] = {0.00, 0.52, 0.65, 0.98, 1.12, 1.14, 1.40, 1.44, 1.63};
    for (int k = 0; k < 9; ++k)
        EXPECT_NEAR(t.scale[k], guilford[k], 0.005) << k + 1;
    EXPECT_EQ(t.degrees, 28);
}

TEST(PublishedExamples, TablesOfTheNumberOfCircularTriads) {
    using Counts = std::vector<std::uint64_t>;
    EXPECT_EQ(st::circularTriadCounts(6), (Counts{720, 960, 2240, 2880, 6240, 3648, 8640, 4800, 2640}));
    EXPECT_EQ(st::circularTriadCounts(7), (Counts{5040, 8400, 21840, 33600, 75600, 90384, 179760, 188160,
                                                  277200, 280560, 384048, 244160, 233520, 72240, 2640}));
    EXPECT_EQ(st::circularTriadCounts(8),
              (Counts{40320,    80640,    228480,   403200,   954240,   1304576,  3042816,
                      3870720,  6926080,  8332800,  15821568, 14755328, 24487680, 24514560,
                      34762240, 29288448, 37188480, 24487680, 24312960, 10402560, 3230080}));
    EXPECT_EQ(st::circularTriadCounts(9),
              (Counts{362880,     846720,     2580480,    5093760,    12579840,   19958400,   44698752,
                      70785792,   130032000,  190834560,  361525248,  443931264,  779950080,  1043763840,
                      1529101440, 1916619264, 2912257152, 3078407808, 4506485760, 4946417280, 6068256768,
                      6160876416, 7730384256, 6292581120, 6900969600, 5479802496, 4327787520, 2399241600,
                      1197020160, 163094400,  3230080}));
    EXPECT_EQ(
        st::circularTriadCounts(10),
        (Counts{3628800,       9676800,       31449600,      68275200,      175392000,     311592960,
                711728640,     1193794560,    2393475840,    3784596480,    7444104192,    10526745600,
                19533696000,   27610168320,   47107169280,   64016040960,   107446832640,  134470425600,
                218941470720,  272302894080,  417512148480,  494080834560,  743278970880,  829743344640,
                1202317401600, 1334577484800, 1773862272000, 1878824586240, 2496636103680, 2406981104640,
                3032021672960, 2841072675840, 3166378709760, 2743311191040, 2877794035200, 2109852702720,
                1840136336640, 1109253196800, 689719564800,  230683084800,  48251508480}));
}

TEST(PublishedExamples, TheDogsChoicesAmongSixFoods) {
    // The classic example of an inconsistent judge: a dog offered pairs of six foods. The
    // matrix row i, column j is 1 when food i was chosen over food j.
    const int chosen[6][6] = {{0, 1, 1, 0, 1, 1}, {0, 0, 0, 1, 1, 0}, {0, 1, 0, 1, 1, 1},
                              {1, 0, 0, 0, 0, 0}, {0, 0, 0, 1, 0, 1}, {0, 1, 0, 1, 0, 0}};
    const st::PairedData data(fileOfPooledCounts(6, 1, [&](int i, int j) { return chosen[i - 1][j - 1]; }));
    const std::vector<int> wins = data.subjectWins(1, 1);
    EXPECT_EQ(wins, (std::vector<int>{4, 2, 4, 1, 2, 2}));
    // d = 6·5·11/12 - (16 + 4 + 16 + 1 + 4 + 4)/2 = 27.5 - 22.5 = 5 of at most 8.
    const st::Consistency c = st::consistencyOfWins(wins);
    EXPECT_EQ(c.circularTriads, 5);
    EXPECT_EQ(c.maximum, 8);
    EXPECT_DOUBLE_EQ(c.zeta, 0.375);
    EXPECT_TRUE(c.testable);
    EXPECT_DOUBLE_EQ(c.probability, (720.0 + 960 + 2240 + 2880 + 6240 + 3648) / 32768);
}
