#include "analysis/Emphasis.h"

#include <optional>

#include "core/Numbers.h"

namespace kestrune {

CellEmphasis emphasisOfValueText(std::string_view text) {
    const std::optional<double> value = parseReal(text);
    if (!value)
        return {};
    CellEmphasis emphasis;
    emphasis.numeric = true;
    emphasis.bold = *value > 0.8 || *value < -0.8;
    emphasis.red = *value < 0;
    return emphasis;
}

CellEmphasis correlationCellEmphasis(const TextGrid& grid, int column, int row) {
    if (column < 1 || row < 1)
        return {};
    return emphasisOfValueText(grid.cell(column, row));
}

}  // namespace kestrune
