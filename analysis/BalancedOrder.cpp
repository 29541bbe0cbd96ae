#include "analysis/BalancedOrder.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <tuple>

namespace kestrune {

namespace {

struct Pair {
    int first;
    int second;
};

// Places the pairs one by one, backtracking on a dead end. Among the pairs allowed at a place
// (both panels rested for the minimum gap, no other panel kept waiting past the maximum) the
// one whose panels rested longest goes first; that keeps the search short, under a few
// thousand steps for ten panels.
class OrderSearch {
  public:
    explicit OrderSearch(int panels)
        : panels_(panels),
          minimumGap_(minimumPanelGap(panels)),
          maximumGap_(maximumPanelGap(panels)),
          lastShown_(static_cast<std::size_t>(panels) + 1, -1),
          timesShown_(static_cast<std::size_t>(panels) + 1, 0) {
        for (int first = 1; first <= panels; ++first) {
            for (int second = first + 1; second <= panels; ++second)
                pairs_.push_back({first, second});
        }
        used_.assign(pairs_.size(), false);
    }

    std::vector<Pair> run() {
        if (!place())
            throw std::logic_error("no balanced order for " + std::to_string(panels_) + " panels");
        std::vector<Pair> result;
        for (std::size_t index : order_)
            result.push_back(pairs_[index]);
        return result;
    }

  private:
    bool rested(int panel, int place) const {
        return timesShown_[panel] == 0 || place - lastShown_[panel] >= minimumGap_;
    }

    // Whether showing `pair` at `place` leaves every other panel that is still to be shown
    // within the maximum wait.
    bool keepsOthersWithinWait(const Pair& pair, int place) const {
        for (int panel = 1; panel <= panels_; ++panel) {
            if (panel == pair.first || panel == pair.second || timesShown_[panel] == panels_ - 1)
                continue;
            if (place + 1 - lastShown_[panel] > maximumGap_)
                return false;
        }
        return true;
    }

    bool place() {
        const int place = static_cast<int>(order_.size());
        if (order_.size() == pairs_.size())
            return true;
        std::vector<std::size_t> candidates;
        for (std::size_t index = 0; index < pairs_.size(); ++index) {
            const Pair& pair = pairs_[index];
            if (!used_[index] && rested(pair.first, place) && rested(pair.second, place) &&
                keepsOthersWithinWait(pair, place)) {
                candidates.push_back(index);
            }
        }
        const auto restKey = [this](std::size_t index) {
            const Pair& pair = pairs_[index];
            const int a = lastShown_[pair.first];
            const int b = lastShown_[pair.second];
            return std::make_tuple(std::max(a, b), std::min(a, b), index);
        };
        std::sort(candidates.begin(), candidates.end(),
                  [&restKey](std::size_t x, std::size_t y) { return restKey(x) < restKey(y); });
        for (std::size_t index : candidates) {
            const Pair& pair = pairs_[index];
            const int savedFirst = lastShown_[pair.first];
            const int savedSecond = lastShown_[pair.second];
            show(index, place);
            if (this->place())
                return true;
            order_.pop_back();
            used_[index] = false;
            lastShown_[pair.first] = savedFirst;
            lastShown_[pair.second] = savedSecond;
            --timesShown_[pair.first];
            --timesShown_[pair.second];
        }
        return false;
    }

    void show(std::size_t index, int place) {
        const Pair& pair = pairs_[index];
        order_.push_back(index);
        used_[index] = true;
        lastShown_[pair.first] = place;
        lastShown_[pair.second] = place;
        ++timesShown_[pair.first];
        ++timesShown_[pair.second];
    }

    int panels_;
    int minimumGap_;
    int maximumGap_;
    std::vector<Pair> pairs_;
    std::vector<bool> used_;
    std::vector<std::size_t> order_;
    std::vector<int> lastShown_;
    std::vector<int> timesShown_;
};

// Chooses A and B for each pair of the order: the A counts must end between `fewest` and
// `most` for every panel, and within that a panel that was A last time is preferably B next
// time, so that no panel keeps to one side for long.
class SideChoice {
  public:
    SideChoice(int panels, const std::vector<Pair>& order)
        : order_(order),
          fewest_((panels - 1) / 2),
          most_(panels / 2),
          timesA_(static_cast<std::size_t>(panels) + 1, 0),
          showingsLeft_(static_cast<std::size_t>(panels) + 1, panels - 1),
          lastSide_(static_cast<std::size_t>(panels) + 1, Side::None) {}

    std::vector<TPanelPair> run() {
        if (!choose(0))
            throw std::logic_error("no side assignment");
        return result_;
    }

  private:
    enum class Side { None, A, B };

    bool withinBounds(int panel) const {
        return timesA_[panel] <= most_ && timesA_[panel] + showingsLeft_[panel] >= fewest_;
    }

    int repeats(int a, int b) const {
        return (lastSide_[a] == Side::A ? 1 : 0) + (lastSide_[b] == Side::B ? 1 : 0);
    }

    bool choose(std::size_t place) {
        if (place == order_.size())
            return true;
        const Pair& pair = order_[place];
        TPanelPair options[] = {{pair.first, pair.second}, {pair.second, pair.first}};
        if (std::make_pair(repeats(options[1].a, options[1].b),
                           timesA_[options[1].a] - timesA_[options[1].b]) <
            std::make_pair(repeats(options[0].a, options[0].b),
                           timesA_[options[0].a] - timesA_[options[0].b])) {
            std::swap(options[0], options[1]);
        }
        for (const TPanelPair& option : options) {
            const Side savedA = lastSide_[option.a];
            const Side savedB = lastSide_[option.b];
            ++timesA_[option.a];
            --showingsLeft_[option.a];
            --showingsLeft_[option.b];
            lastSide_[option.a] = Side::A;
            lastSide_[option.b] = Side::B;
            if (withinBounds(option.a) && withinBounds(option.b)) {
                result_.push_back(option);
                if (choose(place + 1))
                    return true;
                result_.pop_back();
            }
            --timesA_[option.a];
            ++showingsLeft_[option.a];
            ++showingsLeft_[option.b];
            lastSide_[option.a] = savedA;
            lastSide_[option.b] = savedB;
        }
        return false;
    }

    const std::vector<Pair>& order_;
    int fewest_;
    int most_;
    std::vector<int> timesA_;
    std::vector<int> showingsLeft_;
    std::vector<Side> lastSide_;
    std::vector<TPanelPair> result_;
};

}  // namespace

int minimumPanelGap(int panels) {
    if (panels % 2 == 1)
        return (panels - 1) / 2;
    return std::max(1, panels / 2 - 1);
}

int maximumPanelGap(int panels) {
    return minimumPanelGap(panels) + (panels % 2 == 1 ? 1 : 2);
}

std::vector<TPanelPair> balancedOrder(int panels) {
    if (panels < kMinBalancedPanels || panels > kMaxPanels)
        throw std::invalid_argument("panel count out of range: " + std::to_string(panels));
    const std::vector<Pair> order = OrderSearch(panels).run();
    return SideChoice(panels, order).run();
}

}  // namespace kestrune
