#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/ScaleValues.h"
#include "analysis/statistics/BradleyTerry.h"
#include "analysis/statistics/PairedData.h"

namespace kestrune::statistics {

// Notation of one image: t panels, n subjects, r presentations of each unordered pair to one
// subject, m = n·r, a_i the wins of panel i over all subjects. A missing value carries the
// reason it is missing, in Japanese, for the tables to show in its place.

// r of the image, or 0 when the unordered pairs are not all presented equally often (or some
// not at all).
int presentationsPerPair(const PairedData& data, int image);
// a_i of panels 1..t, panel 1 at index 0.
std::vector<int> panelWins(const PairedData& data, int image);

// Do the panels differ at all? David's D = 4/(m·t)·Σ(a_i − m(t−1)/2)² and the Bradley–Terry
// likelihood ratio against equal worths, both on t − 1 degrees of freedom.
struct DifferenceTest {
    int degrees = 0;
    std::optional<double> david;
    std::optional<double> davidProbability;
    std::string davidReason;
    std::optional<double> likelihoodRatio;
    std::optional<double> likelihoodRatioProbability;
    std::string likelihoodRatioReason;
};
DifferenceTest differenceTestOf(const PairedData& data, int image, const BradleyTerry& fit);

// Which panels differ? David's range test: i and j differ when |a_i − a_j| ≥ q(1−α; t, ∞)·√(m·t)/2.
struct PanelComparison {
    int i = 0;
    int j = 0;
    int winsI = 0;
    int winsJ = 0;
    bool different = false;
};
struct RangeTest {
    std::string reason;  // empty when the test applies
    double quantile = 0;
    double critical = 0;
    std::vector<int> wins;               // panel k at k - 1
    std::vector<int> ranking;            // panels by descending wins, ties by number
    std::vector<PanelComparison> pairs;  // i < j
    std::vector<std::string> letters;    // panel k at k - 1
    bool applies() const { return reason.empty(); }
};
// `quantile` is q(1−α; t, ∞), the same for every image of a file, so it is worked out once.
RangeTest rangeTestOf(const PairedData& data, int image, double quantile);

// The compact letter display of values ranked in descending order with one critical
// difference: panels that share a letter differ by less than `critical`. `wins` of panels
// 1..t; the letters of panels 1..t.
std::vector<std::string> compactLetters(const std::vector<int>& wins, double critical);

// How sure is each 100-point score? T ± t(1 − (1−L)/2; n − 1)·SD/√n.
struct ScoreInterval {
    double score = 0;
    std::optional<double> deviation;
    int subjects = 0;
    std::optional<double> lower;
    std::optional<double> upper;
    std::string reason;
};
std::vector<ScoreInterval> scoreIntervalsOf(const ScaleValues& values, int image, double level);

// Who beats whom: π_i / (π_i + π_j) of the Bradley–Terry fit, t × t row-major (i, j at
// (i−1)·t + (j−1), the diagonal unused).
struct WinProbabilities {
    std::string reason;
    int panels = 0;
    std::vector<double> probability;
    double at(int i, int j) const {
        return probability.at(static_cast<std::size_t>(i - 1) * panels + (j - 1));
    }
};
WinProbabilities winProbabilitiesOf(const BradleyTerry& fit, int panels);

// How many subjects does the next study need? From the pilot's win probabilities: e_i = r·Σ_j p_ij,
// λ₁ = 4/(r·t)·Σ(e_i − r(t−1)/2)², and the smallest n with
// 1 − F(χ²(t−1; 1−α); t−1, n·λ₁) ≥ wanted power.
struct SamplePlan {
    std::string reason;  // for the missing subjects (and λ₁ when it is missing too)
    std::optional<double> lambda1;
    std::optional<long long> subjects;
    std::optional<double> power;
};
inline constexpr long long kMostPlannedSubjects = 1000000;
// The non-centrality n·λ₁ at which David's test on `degrees` reaches `power` at level `alpha`.
double neededNoncentrality(int degrees, double alpha, double power);
double davidPower(int degrees, double alpha, double noncentrality);
SamplePlan samplePlanOf(const PairedData& pilot, int image, const WinProbabilities& winning, double alpha,
                        double power, double noncentrality);

// Did two groups judge alike? LR = 2(ℓ₁ + ℓ₂ − ℓ_pooled) on t − 1 degrees of freedom.
struct GroupComparison {
    std::optional<double> likelihoodRatio;
    int degrees = 0;
    std::optional<double> probability;
    std::string reason;
};
GroupComparison groupComparisonOf(const PairedData& first, const PairedData& second, int image);

}  // namespace kestrune::statistics
