#include "analysis/statistics/CircularTriads.h"

#include <array>
#include <map>
#include <mutex>
#include <stdexcept>

namespace kestrune::statistics {

namespace {

using Scores = std::vector<int>;  // ascending

std::uint64_t binomial(int n, int k) {
    if (k < 0 || k > n)
        return 0;
    std::uint64_t value = 1;
    for (int i = 1; i <= k; ++i)
        value = value * (n - k + i) / i;
    return value;
}

// The number of tournaments in which labelled panel i wins exactly scores[i] games; it does
// not depend on the order of the scores, so sorted score lists are memoised. The panel with
// the largest score is taken out: it loses to some set of n - 1 - x others, whose scores in
// the rest of the tournament are one lower. Sets are chosen group by group of equal scores.
class ScoreSequenceCounter {
  public:
    std::uint64_t count(const Scores& scores) {
        const int n = static_cast<int>(scores.size());
        if (n == 1)
            return scores[0] == 0 ? 1 : 0;
        int sum = 0;
        for (int s : scores)
            sum += s;
        if (sum != n * (n - 1) / 2 || scores.front() < 0)
            return 0;
        if (auto it = memo_.find(scores); it != memo_.end())
            return it->second;
        const int last = scores.back();
        const int beatLast = n - 1 - last;
        // Groups of equal scores among the others: (score, multiplicity).
        std::vector<std::pair<int, int>> groups;
        for (int i = 0; i + 1 < n; ++i) {
            if (groups.empty() || groups.back().first != scores[i])
                groups.push_back({scores[i], 0});
            ++groups.back().second;
        }
        std::vector<int> chosen(groups.size(), 0);
        std::uint64_t total = 0;
        chooseFrom(groups, chosen, 0, beatLast, 1, total);
        memo_.emplace(scores, total);
        return total;
    }

  private:
    void chooseFrom(const std::vector<std::pair<int, int>>& groups, std::vector<int>& chosen, std::size_t g,
                    int left, std::uint64_t ways, std::uint64_t& total) {
        if (g == groups.size()) {
            if (left != 0)
                return;
            Scores rest;
            for (std::size_t i = 0; i < groups.size(); ++i) {
                // Those that beat the removed panel lose that win; the lowered ones come first
                // within the group, so the list stays sorted.
                for (int j = 0; j < chosen[i]; ++j)
                    rest.push_back(groups[i].first - 1);
                for (int j = chosen[i]; j < groups[i].second; ++j)
                    rest.push_back(groups[i].first);
            }
            if (!rest.empty() && rest.front() < 0)
                return;
            total += ways * count(rest);
            return;
        }
        const int most = std::min(left, groups[g].second);
        for (int j = 0; j <= most; ++j) {
            if (j > 0 && groups[g].first == 0)
                break;  // a panel without wins cannot have beaten the removed one
            chosen[g] = j;
            chooseFrom(groups, chosen, g + 1, left - j, ways * binomial(groups[g].second, j), total);
        }
        chosen[g] = 0;
    }

    std::map<Scores, std::uint64_t> memo_;
};

std::uint64_t factorial(int n) {
    std::uint64_t value = 1;
    for (int i = 2; i <= n; ++i)
        value *= i;
    return value;
}

int triadsOfScores(const Scores& scores) {
    const int n = static_cast<int>(scores.size());
    int transitive = 0;  // Σ C(aᵢ, 2): every triad has one panel beating the other two unless circular
    for (int a : scores)
        transitive += a * (a - 1) / 2;
    return n * (n - 1) * (n - 2) / 6 - transitive;
}

// Walks every ascending score list of n panels and adds its labelled tournaments to the
// count of its d: (the number of distinct orderings of the list) × (tournaments per ordering).
void addSequences(ScoreSequenceCounter& counter, Scores& scores, int n, int lowest, int remaining,
                  std::vector<std::uint64_t>& counts) {
    if (static_cast<int>(scores.size()) == n) {
        if (remaining != 0)
            return;
        const std::uint64_t perOrdering = counter.count(scores);
        if (perOrdering == 0)
            return;
        std::uint64_t orderings = factorial(n);
        for (std::size_t i = 0; i < scores.size();) {
            std::size_t j = i;
            while (j < scores.size() && scores[j] == scores[i])
                ++j;
            orderings /= factorial(static_cast<int>(j - i));
            i = j;
        }
        counts.at(triadsOfScores(scores)) += orderings * perOrdering;
        return;
    }
    const int slots = n - static_cast<int>(scores.size());
    for (int s = lowest; s <= n - 1 && s * slots <= remaining; ++s) {
        scores.push_back(s);
        addSequences(counter, scores, n, s, remaining - s, counts);
        scores.pop_back();
    }
}

std::vector<std::uint64_t> computeCounts(int n) {
    std::vector<std::uint64_t> counts(maximumCircularTriads(n) + 1, 0);
    ScoreSequenceCounter counter;
    Scores scores;
    addSequences(counter, scores, n, 0, n * (n - 1) / 2, counts);
    return counts;
}

}  // namespace

int maximumCircularTriads(int n) {
    return n % 2 == 1 ? (n * n * n - n) / 24 : (n * n * n - 4 * n) / 24;
}

const std::vector<std::uint64_t>& circularTriadCounts(int panels) {
    if (panels < kFewestTriadPanels || panels > kMostTriadPanels)
        throw std::out_of_range("circular triad counts exist for 3 to 10 panels");
    static std::array<std::vector<std::uint64_t>, kMostTriadPanels + 1> tables;
    static std::array<std::once_flag, kMostTriadPanels + 1> done;
    std::call_once(done[panels], [panels] { tables[panels] = computeCounts(panels); });
    return tables[panels];
}

double smallestTriadProbability(int panels) {
    return static_cast<double>(circularTriadCounts(panels).front()) /
           static_cast<double>(1ULL << (panels * (panels - 1) / 2));
}

Consistency consistencyOfWins(const std::vector<int>& wins) {
    const int n = static_cast<int>(wins.size());
    Consistency result;
    result.circularTriads = triadsOfScores(wins);
    result.maximum = maximumCircularTriads(n);
    result.zeta = 1.0 - static_cast<double>(result.circularTriads) / result.maximum;
    const std::vector<std::uint64_t>& counts = circularTriadCounts(n);
    std::uint64_t atMost = 0;
    for (int d = 0; d <= result.circularTriads && d < static_cast<int>(counts.size()); ++d)
        atMost += counts[d];
    result.probability = static_cast<double>(atMost) / static_cast<double>(1ULL << (n * (n - 1) / 2));
    result.testable = n >= kFewestTestablePanels;
    return result;
}

}  // namespace kestrune::statistics
