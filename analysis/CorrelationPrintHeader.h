#pragma once

#include <string>
#include <string_view>

#include "analysis/CorrelationMatrix.h"

namespace kestrune {

// The page header of the printed correlation matrix: "相関 - ", the series, ",", then
// "行: " with the row area's sex group and file joined by ", " (or "行: 物理量"), then ", 列: "
// with the column area's likewise (or ", 列: 物理量").
std::string correlationPrintHeader(std::string_view series, const CorrelationSide& columns,
                                   const CorrelationSide& rows);

}  // namespace kestrune
