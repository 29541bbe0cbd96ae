#include "analysis/statistics/Differences.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "analysis/statistics/Distributions.h"
#include "analysis/statistics/StatisticsMessages.h"

namespace kestrune::statistics {

int presentationsPerPair(const PairedData& data, int image) {
    const int t = data.panels();
    std::map<std::pair<int, int>, int> shown;
    for (const Presentation& p : data.presentations(image))
        ++shown[{std::min(p.a, p.b), std::max(p.a, p.b)}];
    if (static_cast<int>(shown.size()) != t * (t - 1) / 2)
        return 0;
    const int r = shown.begin()->second;
    for (const auto& [pair, count] : shown) {
        if (count != r || pair.first < 1 || pair.second > t || pair.first == pair.second)
            return 0;
    }
    return r;
}

std::vector<int> panelWins(const PairedData& data, int image) {
    const int t = data.panels();
    std::vector<int> wins(t, 0);
    for (int i = 1; i <= t; ++i)
        for (int j = 1; j <= t; ++j)
            if (i != j)
                wins[i - 1] += data.preferred(image, i, j);
    return wins;
}

DifferenceTest differenceTestOf(const PairedData& data, int image, const BradleyTerry& fit) {
    DifferenceTest test;
    const int t = data.panels();
    test.degrees = t - 1;
    const int r = presentationsPerPair(data, image);
    if (r == 0) {
        test.davidReason = messages::kUnequalPairs;
    } else {
        const double m = static_cast<double>(data.subjects()) * r;
        const double expected = m * (t - 1) / 2.0;
        double sum = 0;
        for (int a : panelWins(data, image))
            sum += (a - expected) * (a - expected);
        test.david = 4.0 / (m * t) * sum;
        test.davidProbability = chiSquareUpperTail(*test.david, test.degrees);
    }
    const std::optional<double> best = fit.finite
                                           ? std::optional<double>(fit.logLikelihood)
                                           : supremumLogLikelihood(bradleyTerryModel(data, image, false));
    if (!best) {
        test.likelihoodRatioReason = messages::kNoFiniteFit;
    } else {
        // Equal worths choose either panel with one half.
        double answers = 0;
        for (const Presentation& p : data.presentations(image))
            answers += p.answers;
        test.likelihoodRatio = std::max(0.0, 2.0 * (*best - answers * std::log(0.5)));
        test.likelihoodRatioProbability = chiSquareUpperTail(*test.likelihoodRatio, test.degrees);
    }
    return test;
}

std::vector<std::string> compactLetters(const std::vector<int>& wins, double critical) {
    const int t = static_cast<int>(wins.size());
    std::vector<int> order(t);
    for (int k = 0; k < t; ++k)
        order[k] = k;
    std::stable_sort(order.begin(), order.end(), [&wins](int x, int y) { return wins[x] > wins[y]; });
    // On one line with one critical difference the panels that do not differ from each other
    // are the runs of the ranking narrower than the critical difference; each longest run that
    // is not inside the one before gets the next letter.
    std::vector<std::string> letters(t);
    int lastEnd = -1;
    char letter = 'a';
    for (int start = 0; start < t; ++start) {
        int end = start;
        while (end + 1 < t && wins[order[start]] - wins[order[end + 1]] < critical)
            ++end;
        if (end <= lastEnd)
            continue;
        for (int k = start; k <= end; ++k)
            letters[order[k]] += letter;
        ++letter;
        lastEnd = end;
    }
    return letters;
}

RangeTest rangeTestOf(const PairedData& data, int image, double quantile) {
    RangeTest test;
    const int t = data.panels();
    test.wins = panelWins(data, image);
    test.ranking.resize(t);
    for (int k = 0; k < t; ++k)
        test.ranking[k] = k + 1;
    std::stable_sort(test.ranking.begin(), test.ranking.end(),
                     [&test](int x, int y) { return test.wins[x - 1] > test.wins[y - 1]; });
    const int r = presentationsPerPair(data, image);
    if (r == 0) {
        test.reason = messages::kUnequalPairs;
        return test;
    }
    const double m = static_cast<double>(data.subjects()) * r;
    test.quantile = quantile;
    test.critical = quantile * std::sqrt(m * t) / 2.0;
    for (int i = 1; i <= t; ++i)
        for (int j = i + 1; j <= t; ++j)
            test.pairs.push_back({i, j, test.wins[i - 1], test.wins[j - 1],
                                  std::abs(test.wins[i - 1] - test.wins[j - 1]) >= test.critical});
    test.letters = compactLetters(test.wins, test.critical);
    return test;
}

std::vector<ScoreInterval> scoreIntervalsOf(const ScaleValues& values, int image, double level) {
    std::vector<ScoreInterval> intervals;
    const int n = values.subjects();
    const double factor = n >= 2 ? studentQuantile(1.0 - (1.0 - level) / 2.0, n - 1) / std::sqrt(n) : 0.0;
    for (int k = 1; k <= values.panels(); ++k) {
        ScoreInterval interval;
        interval.score = values.score(k, image);
        interval.subjects = n;
        if (!values.hasDeviation()) {
            interval.reason = messages::kOneSubject;
        } else {
            interval.deviation = values.deviation(k, image);
            interval.lower = interval.score - factor * *interval.deviation;
            interval.upper = interval.score + factor * *interval.deviation;
        }
        intervals.push_back(interval);
    }
    return intervals;
}

WinProbabilities winProbabilitiesOf(const BradleyTerry& fit, int panels) {
    WinProbabilities result;
    result.panels = panels;
    if (!fit.finite) {
        result.reason = messages::kNoFiniteFit;
        return result;
    }
    result.probability.assign(static_cast<std::size_t>(panels) * panels, 0.5);
    for (int i = 1; i <= panels; ++i)
        for (int j = 1; j <= panels; ++j)
            // σ(λ_i − λ_j), the same as π_i / (π_i + π_j) without dividing small worths.
            result.probability[static_cast<std::size_t>(i - 1) * panels + (j - 1)] =
                1.0 / (1.0 + std::exp(fit.panels[j - 1].logWorth - fit.panels[i - 1].logWorth));
    return result;
}

double davidPower(int degrees, double alpha, double noncentrality) {
    return noncentralChiSquareUpperTail(chiSquareQuantile(1.0 - alpha, degrees), degrees, noncentrality);
}

double neededNoncentrality(int degrees, double alpha, double power) {
    const double critical = chiSquareQuantile(1.0 - alpha, degrees);
    const auto powerAt = [&](double delta) { return noncentralChiSquareUpperTail(critical, degrees, delta); };
    double high = 1.0;
    while (powerAt(high) < power && high < 1e6)
        high *= 2.0;
    double low = 0.0;
    for (int step = 0; step < 100 && high - low > 1e-12 * high; ++step) {
        const double mid = 0.5 * (low + high);
        (powerAt(mid) < power ? low : high) = mid;
    }
    return high;
}

SamplePlan samplePlanOf(const PairedData& pilot, int image, const WinProbabilities& winning, double alpha,
                        double power, double noncentrality) {
    SamplePlan plan;
    const int t = pilot.panels();
    const int r = presentationsPerPair(pilot, image);
    if (r == 0) {
        plan.reason = messages::kUnequalPairs;
        return plan;
    }
    if (!winning.reason.empty()) {
        plan.reason = winning.reason;
        return plan;
    }
    double sum = 0;
    for (int i = 1; i <= t; ++i) {
        double expected = 0;
        for (int j = 1; j <= t; ++j)
            if (j != i)
                expected += winning.at(i, j);
        expected *= r;
        sum += (expected - r * (t - 1) / 2.0) * (expected - r * (t - 1) / 2.0);
    }
    plan.lambda1 = 4.0 / (r * t) * sum;
    const double lambda1 = *plan.lambda1;
    if (!(lambda1 > 1e-12)) {
        plan.reason = messages::kNoDifferenceInPilot;
        return plan;
    }
    const double needed = std::ceil(noncentrality / lambda1 - 1e-9);
    if (needed > static_cast<double>(kMostPlannedSubjects)) {
        plan.reason = messages::kTooManySubjects;
        return plan;
    }
    long long n = std::max(1LL, static_cast<long long>(needed));
    // The power rises with n; the rounding of the needed non-centrality is checked both ways.
    while (n > 1 && davidPower(t - 1, alpha, static_cast<double>(n - 1) * lambda1) >= power)
        --n;
    while (davidPower(t - 1, alpha, static_cast<double>(n) * lambda1) < power)
        ++n;
    plan.subjects = n;
    plan.power = davidPower(t - 1, alpha, static_cast<double>(n) * lambda1);
    return plan;
}

GroupComparison groupComparisonOf(const PairedData& first, const PairedData& second, int image) {
    GroupComparison result;
    result.degrees = first.panels() - 1;
    const PairedLogitModel one = bradleyTerryModel(first, image, false);
    const PairedLogitModel two = bradleyTerryModel(second, image, false);
    PairedLogitModel pooled = one;
    pooled.counts.insert(pooled.counts.end(), two.counts.begin(), two.counts.end());
    // Suprema, so that a group in which some panel always won still counts.
    const std::optional<double> l1 = supremumLogLikelihood(one);
    const std::optional<double> l2 = supremumLogLikelihood(two);
    const std::optional<double> l0 = supremumLogLikelihood(pooled);
    if (!l1 || !l2 || !l0) {
        result.reason = messages::kNoFiniteFit;
        return result;
    }
    result.likelihoodRatio = std::max(0.0, 2.0 * (*l1 + *l2 - *l0));
    result.probability = chiSquareUpperTail(*result.likelihoodRatio, result.degrees);
    return result;
}

}  // namespace kestrune::statistics
