#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ResponseBuffer.h"
#include "entry/TScriptCircle.h"

namespace kestrune {

// Where the keyboard focus goes after a sheet is shown or a key is handled.
enum class FocusTarget { Unchanged, KeyboardButton, NextButton, AddSubjectButton };

// How a shown sheet leaves the navigation buttons and the focus.
struct SheetView {
    bool previousEnabled = false;
    bool nextEnabled = false;
    FocusTarget focus = FocusTarget::Unchanged;
};

// What a typed character did to the board.
enum class KeyOutcome {
    Ignored,        // not a marking key
    Marked,         // a row was marked and open rows may remain
    MarkedLastRow,  // the last row was marked: the focus moves on
    NoOpenRow,      // every row was answered: the focus moves on
};

// The response board's 25 rows of answer circles, free of any widget: layout, marking by
// circle click, by background click and by key, and the move of a sheet to and from the
// response buffer.
class ResponseBoardModel {
  public:
    static constexpr int kRowCount = 25;
    static constexpr int kCircleCount = 2 * kRowCount;
    static constexpr int kRowPitch = 24;
    static constexpr int kWordLeft = 32;
    static constexpr int kWordTop = 64;
    static constexpr int kCircleALeft = 144;
    static constexpr int kCircleBLeft = 200;
    static constexpr int kCircleTop = 56;
    static constexpr int kCircleSize = 25;

    ResponseBoardModel();
    ResponseBoardModel(const ResponseBoardModel&) = delete;
    ResponseBoardModel& operator=(const ResponseBoardModel&) = delete;

    // Circles are numbered 1 to 50: row i has A = 2i-1 and B = 2i.
    TScriptCircle& circle(int number) { return circles_.at(number - 1); }
    const TScriptCircle& circle(int number) const { return circles_.at(number - 1); }
    TScriptCircle& circleA(int row) { return circle(2 * row - 1); }
    TScriptCircle& circleB(int row) { return circle(2 * row); }
    const TScriptCircle& circleA(int row) const { return circle(2 * row - 1); }
    const TScriptCircle& circleB(int row) const { return circle(2 * row); }

    // Shows one row per word (at most 25) and hides the others; returns the scroll range.
    int LayOutBoard(const std::vector<std::string>& words);
    int rowCount() const { return rowCount_; }
    const std::string& word(int row) const { return words_.at(row - 1); }
    bool rowVisible(int row) const { return row >= 1 && row <= rowCount_; }
    // 24·I + 70 pixels.
    int scrollRange() const { return kRowPitch * rowCount_ + 70; }

    // The visible circle under a point of the board, or 0.
    int circleAt(int x, int y) const;

    // The first row with neither or both circles marked.
    std::optional<int> firstOpenRow() const;

    // A mouse-down outside the circles: left marks A, right marks B of the first open row.
    bool backgroundMouseDown(MouseButton button);

    // A typed character: "4" or "z" marks A, "6" or "x" marks B of the first open row.
    KeyOutcome keyPress(std::string_view character);

    // Board marks into the answers of (s, p): -1, 0 for A, 1 for B (B when both).
    void StoreSheet(ResponseBuffer& buffer, int s, int p, int pairs) const;
    // Answers of (s, p) onto the board; `pairTabs` is the number of pair tabs. A value other
    // than -1, 0 and 1 shows its row cleared.
    SheetView LoadSheet(const ResponseBuffer& buffer, int s, int p, int pairs, int pairTabs);

    // Raised whenever a circle asks for a repaint (after every change of its Status).
    std::function<void(TScriptCircle& circle)> onRepaint;

  private:
    // The handler every circle shares: clears the partner and the circle itself, so that the
    // circle's own click leaves it as the only mark of its row.
    void circleClicked(TScriptCircle& circle);

    std::array<TScriptCircle, kCircleCount> circles_;
    std::vector<std::string> words_;
    int rowCount_ = 0;
};

}  // namespace kestrune
