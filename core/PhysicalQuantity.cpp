#include "core/PhysicalQuantity.h"

#include "core/CheckedCount.h"
#include "core/Error.h"
#include "core/Numbers.h"
#include "core/TextFile.h"
#include "core/TextLines.h"

namespace kestrune {

NameAndUnit splitNameLine(const std::string& line) {
    NameAndUnit result;
    if (line.empty())
        return result;
    std::string_view rest(line);
    rest.remove_prefix(1);
    std::size_t quote = rest.find('"');
    result.name = std::string(rest.substr(0, quote));
    if (quote == std::string_view::npos)
        return result;
    rest.remove_prefix(quote + 1);  // through the name's closing quote
    quote = rest.find('"');
    if (quote == std::string_view::npos)
        return result;
    rest.remove_prefix(quote + 1);  // through the unit's opening quote
    result.unit = std::string(rest.substr(0, rest.find('"')));
    return result;
}

PhysicalFile readPhysicalFile(const std::filesystem::path& path) {
    TextFile lines(path);
    const CommaFields header = splitAtFirstComma(lines.line(1));
    PhysicalFile file;
    file.quantityCount = lines.integerAt(1, header.before);
    file.panelCount = lines.integerAt(1, header.after);
    if (file.quantityCount < 0 || file.panelCount < 0)
        lines.failNegativeHeader();
    // Q blocks of N' + 1 lines after line 1, all present before any quantity is built.
    const std::optional<std::int64_t> blocks =
        checkedProduct({file.quantityCount, static_cast<std::int64_t>(file.panelCount) + 1});
    lines.requireHeaderLines(blocks ? checkedSum({*blocks, 1}) : std::nullopt);
    file.quantities.reserve(static_cast<std::size_t>(file.quantityCount));
    for (int q = 1; q <= file.quantityCount; ++q) {
        const std::size_t nameLine = 2 + static_cast<std::size_t>(q - 1) * (file.panelCount + std::size_t{1});
        NameAndUnit names = splitNameLine(lines.line(nameLine));
        PhysicalQuantity quantity{std::move(names.name), std::move(names.unit), {}};
        for (int k = 1; k <= file.panelCount; ++k)
            quantity.values.push_back(lines.line(nameLine + k));
        file.quantities.push_back(std::move(quantity));
    }
    return file;
}

void writePhysicalFileFromGrid(const std::filesystem::path& path,
                               const std::vector<std::vector<std::string>>& grid) {
    const std::size_t rows = grid.size();
    const std::size_t columns = rows > 0 ? grid.front().size() : 0;
    if (rows < 1 || columns < 2)
        throw UserError(messages::listIndexOutOfRange());
    std::vector<std::string> lines;
    lines.push_back(std::to_string(rows - 1) + "," + std::to_string(columns - 2));
    for (std::size_t q = 1; q < rows; ++q) {
        const std::vector<std::string>& row = grid[q];
        if (row.size() != columns)
            throw UserError(messages::listIndexOutOfRange());
        lines.push_back("\"" + row[0] + "\",\"" + row[1] + "\"");
        for (std::size_t c = 2; c < columns; ++c)
            lines.push_back(row[c]);
    }
    writeTextLines(path, lines);
}

}  // namespace kestrune
