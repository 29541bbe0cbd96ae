#pragma once

#include <QFont>

namespace kestrune {

// Sheets are drawn in tenths of a millimetre, so that fonts sized in whole pixels still take
// any height to 0.1 mm.
inline constexpr double kSheetUnitsPerMm = 10;

// The Japanese gothic face ("ＭＳ ゴシック" on the study's own machines, IPAGothic here) with
// characters `size` millimetres high.
QFont sheetFont(double size, bool bold);

}  // namespace kestrune
