#include "analysis/QuantityTable.h"

#include "analysis/AnalysisInput.h"
#include "analysis/AnalysisMessages.h"
#include "core/Error.h"
#include "core/Numbers.h"
#include "core/PhysicalQuantity.h"
#include "core/TextFile.h"
#include "core/TextLines.h"

namespace kestrune {

namespace am = analysis_messages;

namespace {

QuantityHeader readHeader(TextFile& lines, const std::filesystem::path& path, const AnalysisLimits& limits) {
    const CommaFields fields = splitAtFirstComma(lines.line(1));
    QuantityHeader header{lines.integerAt(1, fields.before), lines.integerAt(1, fields.after)};
    if (header.quantityCount < 0 || header.quantityCount > limits.images) {
        throw UserError(am::quantityCountOutOfRange(shownPath(path), header.quantityCount, limits.images));
    }
    if (header.panelCount < 1 || header.panelCount > limits.panels) {
        throw UserError(am::panelCountOutOfRange(shownPath(path), header.panelCount, 1, limits.panels));
    }
    return header;
}

std::size_t nameLineOf(const QuantityHeader& header, int quantity) {
    return 2 + static_cast<std::size_t>(quantity - 1) * (header.panelCount + 1);
}

std::vector<double> valuesOf(TextFile& lines, const QuantityHeader& header, int quantity) {
    std::vector<double> values;
    values.reserve(header.panelCount);
    for (int k = 1; k <= header.panelCount; ++k) {
        const std::size_t number = nameLineOf(header, quantity) + k;
        const std::string& text = lines.line(number);
        const std::optional<double> value = parseReal(text);
        if (!value)
            lines.fail(number, am::notReal(text));
        values.push_back(*value);
    }
    return values;
}

}  // namespace

QuantityTable loadQuantityTable(const std::filesystem::path& path, const AnalysisLimits& limits) {
    TextFile lines(path);
    QuantityTable table;
    table.header = readHeader(lines, path, limits);
    for (int q = 1; q <= table.header.quantityCount; ++q) {
        const NameAndUnit name = splitNameLine(lines.line(nameLineOf(table.header, q)));
        table.names.push_back(name.name);
        table.units.push_back(name.unit);
        table.values.push_back(valuesOf(lines, table.header, q));
    }
    return table;
}

std::vector<double> loadQuantityValues(const std::filesystem::path& path, int quantity,
                                       const AnalysisLimits& limits) {
    TextFile lines(path);
    const QuantityHeader header = readHeader(lines, path, limits);
    if (quantity < 1 || quantity > header.quantityCount) {
        throw UserError(am::variableOutOfRange(shownPath(path), quantity, header.quantityCount));
    }
    return valuesOf(lines, header, quantity);
}

}  // namespace kestrune
