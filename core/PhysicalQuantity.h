#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kestrune {

// A measured property of the panels: name, unit and one value per panel, kept as typed.
struct PhysicalQuantity {
    std::string name;
    std::string unit;
    std::vector<std::string> values;  // panel 1..N'
};

struct PhysicalFile {
    int quantityCount = 0;  // Q
    int panelCount = 0;     // N' of the file
    std::vector<PhysicalQuantity> quantities;
};

inline constexpr int kMaxPhysicalQuantities = 20;

// Splits a name line: the first character dropped, the name up to the next double quote,
// then past that quote and the following one, the unit up to the next quote.
struct NameAndUnit {
    std::string name;
    std::string unit;
};
NameAndUnit splitNameLine(const std::string& line);

// Reads a whole physical quantity file; a short file throws the list index error.
PhysicalFile readPhysicalFile(const std::filesystem::path& path);

// Writes the file from an editor grid of texts: row 0 is the header, columns 0 and 1 name and
// unit, columns 2.. the panel values. Line 1 is "rows-1,columns-2".
void writePhysicalFileFromGrid(const std::filesystem::path& path,
                               const std::vector<std::vector<std::string>>& grid);

}  // namespace kestrune
