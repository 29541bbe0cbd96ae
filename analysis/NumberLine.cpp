#include "analysis/NumberLine.h"

#include <cmath>

#include "core/Cp932.h"
#include "core/Error.h"
#include "core/Numbers.h"

namespace kestrune {

namespace {

// Nearest integer with halves to the even neighbour (the default floating point rounding).
int roundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

double readScore(const std::string& text) {
    if (text == "-")
        return 0.0;  // a single subject has no standard deviation
    const std::optional<double> value = parseReal(text);
    if (!value)
        throw UserError(formatMessage("'%s' は浮動小数点数ではありません", text));
    return *value;
}

constexpr int kLeft = 50;
constexpr int kLength = 900;

}  // namespace

std::optional<NumberLineValues> readNumberLineValues(const TextGrid& table) {
    if (table.columnCount() < 3 || table.rowCount() < 4 || table.cell(2, 3).empty())
        return std::nullopt;
    const int images = (table.rowCount() - 1) / 3;
    const int panels = table.columnCount() - 3;
    if (images > kNumberLineMaxImages || panels > kNumberLineMaxPanels) {
        throw UserError(messages::listIndexOutOfRange());
    }
    NumberLineValues values;
    for (int i = 1; i <= images; ++i) {
        values.words.push_back(table.cell(0, 3 * i - 2));
        std::vector<double>& row = values.scores.emplace_back();
        for (int p = 1; p <= panels; ++p)
            row.push_back(readScore(table.cell(p + 1, 3 * i)));
    }
    return values;
}

NumberLineAxis chooseNumberLineAxis(double minimum, double maximum) {
    NumberLineAxis axis;
    if (minimum > -3 && maximum < 3) {
        axis.lo = -3, axis.hi = 3;
    } else if (minimum > -5 && maximum < 5) {
        axis.lo = -5, axis.hi = 5;
    } else if (minimum > -10 && maximum < 10) {
        axis.lo = -10, axis.hi = 10;
    } else {
        axis.lo = minimum, axis.hi = maximum;
    }
    axis.divisions = roundHalfEven(axis.width()) == 6 ? 6 : 10;
    return axis;
}

std::vector<int> rankPanelsDescending(const std::vector<double>& values) {
    std::vector<int> order;
    for (int p = 1; p <= static_cast<int>(values.size()); ++p)
        order.push_back(p);
    // A bubble sort swapping only on strictly smaller values keeps ties in panel order.
    for (std::size_t pass = 0; pass + 1 < order.size(); ++pass) {
        for (std::size_t j = 0; j + 1 < order.size() - pass; ++j) {
            if (values[order[j] - 1] < values[order[j + 1] - 1])
                std::swap(order[j], order[j + 1]);
        }
    }
    return order;
}

const std::array<Color, kNumberLineMaxPanels>& numberLinePanelColours() {
    static const std::array<Color, kNumberLineMaxPanels> colours{{
        {255, 0, 0},    // red
        {255, 255, 0},  // yellow
        {0, 255, 0},    // lime
        {0, 128, 0},    // green
        {0, 128, 128},  // teal
        {0, 255, 255},  // aqua
        {0, 0, 255},    // blue
        {0, 0, 128},    // navy
        {128, 0, 128},  // purple
        {255, 0, 255},  // fuchsia
    }};
    return colours;
}

bool drawNumberLine(const TextGrid& table, const std::string& caption, Canvas& canvas) {
    const std::optional<NumberLineValues> values = readNumberLineValues(table);
    if (!values)
        return false;

    double minimum = 1.7e308;
    double maximum = -1.7e308;
    for (const std::vector<double>& row : values->scores) {
        for (double value : row) {
            if (value < minimum)
                minimum = value;
            if (value > maximum)
                maximum = value;
        }
    }
    const NumberLineAxis axis = chooseNumberLineAxis(minimum, maximum);
    const double width = axis.width();
    if (!(width > 0) || !std::isfinite(width))
        throw UserError(kNumberLineNoWidth);
    const int k = axis.divisions;

    const Font gothic{"ＭＳ ゴシック", 16};
    const Font labels{"Arial", 16, true, true};
    const int h = gothic.height();
    const int m = values->imageCount();

    canvas.setPen(Pen{kBlack, 1});
    for (int i = 1; i <= m; ++i) {
        const int y = i * (900 / m);
        canvas.setPen(Pen{kBlack, 5});
        canvas.setFont(gothic);
        const std::string& word = values->words[i - 1];
        canvas.text({980 - h * static_cast<int>(cp932Length(word) / 2), y + h + 10}, word);
        canvas.line({kLeft, y}, {kLeft + kLength, y});

        canvas.setFont(labels);
        for (int c = 0; c <= k; ++c) {
            const int x = roundHalfEven(c * 900.0 / k + 50);
            canvas.line({x, y - 10}, {x, y});
            canvas.text({roundHalfEven(c * 900.0 / k + 40), y + 5},
                        integerText(roundHalfEven(width / k * c + axis.lo)));
        }

        const std::vector<double>& row = values->scores[i - 1];
        const std::vector<int> order = rankPanelsDescending(row);
        canvas.setPen(Pen{kBlack, 1});
        for (int r = 1; r <= static_cast<int>(order.size()); ++r) {
            const int p = order[r - 1];
            const int x = roundHalfEven((row[p - 1] - axis.lo) / width * 900 + 50);
            const int labelTop = y - 50 - 20 * (r % 2);
            canvas.text({x - 10, labelTop}, integerText(p));
            canvas.line({x, labelTop + 20}, {x, y});
            canvas.setBrush(Brush{numberLinePanelColours()[p - 1]});
            canvas.polygon({{x, y - 8}, {x + 8, y}, {x, y + 8}, {x - 8, y}, {x, y - 8}});
            canvas.setBrush(Brush{kWhite});
        }
    }
    canvas.setFont(gothic);
    canvas.text({50, 990 - h}, caption);
    return true;
}

}  // namespace kestrune
