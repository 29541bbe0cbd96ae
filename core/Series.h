#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/StudyDisk.h"

namespace kestrune {

// One presentation: panel A (left circle, answer 0) against panel B (right circle, answer 1).
struct TPanelPair {
    int a = 0;
    int b = 0;
    bool operator==(const TPanelPair&) const = default;
};

// A series as its two definition files give it.
struct TSeries {
    std::string name;
    int panelCount = 0;  // n
    int pairCount = 0;   // m, n(n-1)/2 in files made by the wizard
    std::vector<TPanelPair> pairs;
    std::vector<std::string> images;
    std::string comment;
};

// The limits the board and the analyses are sized for.
inline constexpr int kMinPanels = 2;
inline constexpr int kMaxPanels = 10;
// Every ordered pair of kMaxPanels panels: a design may present each pair in both orders.
inline constexpr int kMaxPairs = 90;
inline constexpr int kMaxImages = 25;

// What an order file holds.
struct OrderFile {
    int panelCount = 0;
    int pairCount = 0;
    std::vector<TPanelPair> pairs;
};

// Reads an order file: n and m from line 1, then `pairsToRead` pair lines (all m of line 1
// when not given). Missing file, short file and non-integer fields throw their messages.
OrderFile ReadOrderFile(const std::filesystem::path& path, std::optional<int> pairsToRead = std::nullopt);

// Writes line 1 as panel count text "," pair count text, then one "A,B" line per row, to the
// series' order path, replacing any file.
struct PairTexts {
    std::string a;
    std::string b;
};
void WriteOrderFile(const StudyDisk& disk, const std::string& series, const std::string& panelCountText,
                    const std::string& pairCountText, const std::vector<PairTexts>& rows);

// Reads the image words of a vocabulary file (count on line 1, then the quoted words).
std::vector<std::string> ReadVocabularyFile(const std::filesystem::path& path);

// Writes the count and the quoted words to the series' vocabulary path, replacing any file.
void WriteVocabularyFile(const StudyDisk& disk, const std::string& series,
                         const std::vector<std::string>& words);

// Both files of a series read into one value (n from line 1, all m pairs, all words).
TSeries readSeries(const StudyDisk& disk, const std::string& series);

// A series as the entry page and the analysis set-ups choose it: both files read, and refused
// with one message naming the series unless the board and the analyses can work with it
// (kMinPanels to kMaxPanels panels, 1 to kMaxPairs pairs, each pair line naming two different
// panels of 1..n, 1 to kMaxImages image words). A series made outside the program may be anything; it is
// refused here, where it is chosen, before any grid or board is sized from its counts.
TSeries readSupportedSeries(const StudyDisk& disk, std::string_view series);

// The wizard's import of another series' order: tests line 1 against the panel count the
// wizard is set to ("パネルの枚数が違います", then "パネルの枚数と比較回数が合いません", both with
// caption "エラー") and gives the pairs, each converted to an integer.
std::vector<TPanelPair> importOrderForWizard(const std::filesystem::path& path, int chosenPanelCount);

// Whether a pair list is exactly the set of all n(n-1)/2 distinct pairs of panels 1..n.
bool isCompletePairSet(int panelCount, const std::vector<TPanelPair>& pairs);

}  // namespace kestrune
