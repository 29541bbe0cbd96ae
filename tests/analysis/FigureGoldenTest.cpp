#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "FigureDump.h"
#include "analysis/CorrelationDiagram.h"
#include "analysis/NumberLine.h"
#include "core/Numbers.h"

using namespace kestrune;
using namespace kestrune::testing;

namespace {

const std::string kCases = std::string(KESTRUNE_TEST_DATA) + "/figures/";

std::vector<std::string> split(const std::string& line, char separator) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, separator))
        fields.push_back(field);
    if (!line.empty() && line.back() == separator)
        fields.emplace_back();
    return fields;
}

// A scale value table written as tab-separated rows.
TextGrid readTable(const std::string& path) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(readTextFile(path));
    for (std::string line; std::getline(in, line);)
        rows.push_back(split(line, '\t'));
    TextGrid grid(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()));
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < grid.columnCount() && c < static_cast<int>(rows[r].size()); ++c) {
            grid.setCell(c, r, rows[r][c]);
        }
    }
    return grid;
}

// A diagram's inputs as "key=value" lines; values of an axis separated by commas.
DiagramInput readDiagramInput(const std::string& path) {
    std::map<std::string, std::string> keys;
    std::istringstream in(readTextFile(path));
    for (std::string line; std::getline(in, line);) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos)
            keys[line.substr(0, equals)] = line.substr(equals + 1);
    }
    const auto axis = [&keys](const std::string& prefix) {
        DiagramAxisInput result;
        result.kind =
            keys[prefix + ".kind"] == "physical" ? DiagramAxisKind::Physical : DiagramAxisKind::Image;
        result.logarithmic = keys[prefix + ".log"] == "1";
        result.title = keys[prefix + ".title"];
        for (const std::string& value : split(keys[prefix + ".values"], ','))
            result.values.push_back(*parseReal(value));
        return result;
    };
    DiagramInput input;
    input.horizontal = axis("x");
    input.vertical = axis("y");
    input.shape = static_cast<int>(parseInteger(keys["shape"]));
    input.seriesName = keys["series"];
    return input;
}

std::string firstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

}  // namespace

TEST(FigureGolden, NumberLineOfTheWorkedTable) {
    const std::string dir = kCases + "numberline-three-images/";
    Picture picture;
    ASSERT_TRUE(
        drawNumberLine(readTable(dir + "table.tsv"), firstLine(readTextFile(dir + "caption.txt")), picture));
    EXPECT_TRUE(matchesGolden(dumpPicture(picture), dir + "expected.txt")) << dumpPicture(picture);
}

TEST(FigureGolden, LinearDiagram) {
    const std::string dir = kCases + "diagram-linear/";
    Picture picture;
    ASSERT_EQ(drawCorrelationDiagram(readDiagramInput(dir + "input.txt"), picture).outcome,
              DiagramOutcome::Drawn);
    EXPECT_TRUE(matchesGolden(dumpPicture(picture), dir + "expected.txt")) << dumpPicture(picture);
}

TEST(FigureGolden, LogarithmicDiagram) {
    const std::string dir = kCases + "diagram-logarithmic/";
    Picture picture;
    ASSERT_EQ(drawCorrelationDiagram(readDiagramInput(dir + "input.txt"), picture).outcome,
              DiagramOutcome::Drawn);
    EXPECT_TRUE(matchesGolden(dumpPicture(picture), dir + "expected.txt")) << dumpPicture(picture);
}
