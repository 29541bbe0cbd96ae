#include "analysis/CorrelationPrintHeader.h"

namespace kestrune {

namespace {

std::string sidePart(const CorrelationSide& side) {
    if (side.kind == CorrelationKind::Physical)
        return "物理量";
    std::string part(sexGroupChooserLabel(side.group));
    part.append(", ").append(side.file);
    return part;
}

}  // namespace

std::string correlationPrintHeader(std::string_view series, const CorrelationSide& columns,
                                   const CorrelationSide& rows) {
    std::string header("相関 - ");
    header.append(series).append(",").append("行: ").append(sidePart(rows));
    header.append(", 列: ").append(sidePart(columns));
    return header;
}

}  // namespace kestrune
