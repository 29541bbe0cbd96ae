#pragma once

// The values the office object models give their named constants, as the exports pass them.
namespace kestrune::office {

inline constexpr const char* kSpreadsheetClass = "Excel.Application";
inline constexpr const char* kWordProcessorClass = "Word.Application";

// Spreadsheet.
inline constexpr int xlVertical = -4166;       // Orientation: stacked vertical text
inline constexpr int xlMedium = -4138;         // Border weight
inline constexpr int xlThin = 2;               // Border weight
inline constexpr int xlHairline = 1;           // Border weight
inline constexpr int xlThick = 4;              // Border weight
inline constexpr int xlContinuous = 1;         // Border line style
inline constexpr int xlLineStyleNone = -4142;  // Border line style
inline constexpr int xlEdgeTop = 8;
inline constexpr int xlEdgeBottom = 9;
inline constexpr int xlPortrait = 1;
inline constexpr int xlLandscape = 2;
inline constexpr int xlWorksheet = -4167;  // Sheets.Add Type

// Word processor.
inline constexpr int wdOrientPortrait = 0;
inline constexpr int wdOrientLandscape = 1;
inline constexpr int wdTextOrientationHorizontal = 0;
inline constexpr int wdTextOrientationVertical = 1;  // East Asian vertical text
inline constexpr int wdBorderTop = -1;
inline constexpr int wdBorderLeft = -2;
inline constexpr int wdBorderBottom = -3;
inline constexpr int wdBorderRight = -4;
inline constexpr int wdBorderHorizontal = -5;
inline constexpr int wdBorderVertical = -6;
inline constexpr int wdBorderDiagonalDown = -7;
inline constexpr int wdBorderDiagonalUp = -8;
inline constexpr int wdLineStyleNone = 0;
inline constexpr int wdLineStyleSingle = 1;
inline constexpr int wdLineWidth050pt = 4;  // line widths count eighths of a point
inline constexpr int wdLineWidth150pt = 12;
inline constexpr int wdRed = 6;             // Font.ColorIndex
inline constexpr int wdRelativeToPage = 1;  // RelativeHorizontal/VerticalPosition

}  // namespace kestrune::office
