#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/IndividualView.h"
#include "core/TextGrid.h"

namespace kestrune::testing {

// A 5-column, 4-row matrix grid: -0.85 at grid row 2, column 3; exactly 0.8 and -0.8;
// the markers a constant variable leaves, and an empty cell.
inline TextGrid officeCorrelationGrid() {
    const std::vector<std::vector<std::string>> rows = {
        {"", "明るい", "暖かい", "重い", "柔らかい"},
        {"明度", "1.0000", "0.8000", "0.3000", "#DIV/0!"},
        {"彩度", "0.1234", "0.5000", "-0.8500", "-0.8000"},
        {"重さ", "-0.9000", "#NUM!", "0.8001", ""},
    };
    TextGrid grid(5, 4);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 5; ++c)
            grid.setCell(c, r, rows[r][c]);
    }
    return grid;
}

// A scale value table of three panels and `images` images, laid out as the aggregation writes
// it; the values are inputs here, any numbers in the "%3.3f" form.
inline TextGrid officeScaleValueGrid(int images) {
    const std::vector<std::string> words = {"明るい", "暖かい", "重い", "柔らかい", "派手な"};
    TextGrid grid(6, 3 * images + 1);
    grid.fixedColumns = 2;
    for (int k = 1; k <= 3; ++k)
        grid.setCell(k + 1, 0, std::to_string(k));
    grid.setCell(5, 0, "平均");
    for (int m = 1; m <= images; ++m) {
        grid.setCell(0, 3 * m - 2, words[static_cast<std::size_t>(m - 1)]);
        grid.setCell(1, 3 * m - 2, "100点換算得点");
        grid.setCell(1, 3 * m - 1, "標準偏差");
        grid.setCell(1, 3 * m, "標準偏差基準化得点");
        for (int k = 1; k <= 3; ++k) {
            char text[32];
            std::snprintf(text, sizeof text, "%.3f", 25.0 * k + m);
            grid.setCell(k + 1, 3 * m - 2, text);
            std::snprintf(text, sizeof text, "%.3f", 10.0 + k);
            grid.setCell(k + 1, 3 * m - 1, text);
            std::snprintf(text, sizeof text, "%.3f", (k - 2) * 1.061);
            grid.setCell(k + 1, 3 * m, text);
        }
        grid.setCell(5, 3 * m - 1, "11.000");
    }
    return grid;
}

// Two subjects, three panels, three images; subject s on image m counts (m + s) % 3 and so on.
struct IndividualFixture {
    TextGrid grid{4, 3};
    IndividualStore store;
    std::vector<std::string> words = {"明るい", "暖かい", "重い"};

    IndividualFixture() {
        store.subjects = 2;
        store.panels = 3;
        store.images = 3;
        for (int m = 0; m < 3; ++m) {
            for (int s = 0; s < 2; ++s)
                store.records.push_back({(m + s) % 3, (m + s + 1) % 3, (m + s + 2) % 3});
        }
        for (int k = 1; k <= 3; ++k)
            grid.setCell(k, 0, std::to_string(k));
        for (int s = 1; s <= 2; ++s)
            grid.setCell(0, s, std::to_string(s));
        showImage(grid, store, 0);
    }
};

inline std::filesystem::path officeData(const std::string& relative) {
    return std::filesystem::path(KESTRUNE_TEST_DATA) / "office" / relative;
}

inline std::string readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Compares produced text with the golden file under tests/data/office. With
// KESTRUNE_WRITE_GOLDEN set, a missing golden file is written instead (to be read by hand).
inline void expectGoldenText(const std::string& produced, const std::string& relative) {
    const std::filesystem::path expected = officeData(relative);
    if (!std::filesystem::exists(expected) && std::getenv("KESTRUNE_WRITE_GOLDEN")) {
        std::filesystem::create_directories(expected.parent_path());
        std::ofstream(expected, std::ios::binary) << produced;
    }
    ASSERT_TRUE(std::filesystem::exists(expected)) << expected;
    EXPECT_EQ(produced, readWholeFile(expected)) << relative;
}

inline std::string joinedLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

}  // namespace kestrune::testing
