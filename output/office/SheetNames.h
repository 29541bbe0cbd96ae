#pragma once

#include <string>
#include <vector>

namespace kestrune::office {

// A sheet name the workbook format accepts, made from the one asked for. The format refuses
// names longer than 31 characters, names with any of [ ] : * ? / \, names that begin or end
// with an apostrophe, empty names and a name another sheet of the book already has (letter
// case aside). So: each forbidden character becomes "_", an apostrophe at either end becomes
// "_", an empty name becomes "Sheet", the name is cut to 31 characters, and a name already
// taken gets " (2)", " (3)", … (the first free number), its base cut so that the whole stays
// within 31 characters.
std::string validSheetName(const std::string& wanted, const std::vector<std::string>& otherNames);

inline constexpr int kMaxSheetNameLength = 31;

}  // namespace kestrune::office
