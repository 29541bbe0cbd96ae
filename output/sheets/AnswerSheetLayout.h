#pragma once

#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "core/Series.h"

namespace kestrune {

// What the answer sheets of a series show.
struct AnswerSheetRequest {
    std::string seriesName;
    int panelCount = 0;
    std::vector<TPanelPair> pairs;    // presentation order: sheet k is pair k
    std::vector<std::string> images;  // row i is image i, as on the response board
    // The researcher's code of each panel (panel 1 first); empty: the panel numbers.
    std::vector<std::string> codes;
    // With a count, one numbered set per subject; without, one set with an empty number box.
    std::optional<int> subjects;
};

inline constexpr int kMaxSheetSubjects = 100;

// The request for a series' two files; refuses codes that do not name every panel, a
// subject count outside 1..kMaxSheetSubjects and more images than the board has rows.
AnswerSheetRequest answerSheetRequest(const TSeries& series, const std::vector<std::string>& codes,
                                      std::optional<int> subjects);

// "a,b,c" (or the Japanese comma) into trimmed codes; a blank text gives none.
std::vector<std::string> parseSampleCodes(const std::string& text);

// A4 portrait, everything in millimetres from the paper's top-left corner.
inline constexpr double kSheetWidth = 210;
inline constexpr double kSheetHeight = 297;

struct SheetText {
    QRectF box;
    QString text;     // already shortened to fit the box
    double size = 4;  // character height in millimetres
    bool bold = false;
    int alignment = 0;  // Qt::Alignment flags
};

// One sheet as boxes, texts and circles. The rows mirror the response board: image word on
// the left, then the A circle, then the B circle, one row per image at a fixed pitch.
struct SheetPlan {
    std::vector<SheetText> texts;
    std::vector<QRectF> frames;    // boxes drawn as thin rectangles
    std::vector<QLineF> rules;     // thin lines
    std::vector<QRectF> shadings;  // every other answer row, lightly shaded for the eye
    std::vector<QPointF> circlesA;
    std::vector<QPointF> circlesB;
    double circleRadius = 3;
    QRectF subjectNumberBox;  // where a set's subject number goes
};

// Sheet `index` (0-based) of the request, without a subject number. Texts that would not fit
// their boxes (series name, codes, image words) end in "…".
SheetPlan planAnswerSheet(const AnswerSheetRequest& request, std::size_t index);

// The texts of one printed page: the plan's and, for a numbered set, the subject number.
SheetText subjectNumberText(const SheetPlan& plan, int subject);

// The row pitch and the circle columns, as the board's 24-pixel rows and its A and B columns
// 56 pixels apart scale onto paper.
inline constexpr double kSheetRowPitch = 8;
inline constexpr double kSheetCircleDistance = kSheetRowPitch * 56 / 24;

}  // namespace kestrune
