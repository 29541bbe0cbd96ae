#pragma once

#include <string>

namespace kestrune::office {

// A local number format ("0.0000_ ;[赤]-0.0000 ") in the form the workbook file stores: the
// Japanese colour names become the file's English ones ([赤] → [Red]) and the literal minus
// signs and blanks are escaped (\- and \ ), as the spreadsheet itself writes them.
std::string storedNumberFormat(const std::string& localFormat);

// The text a number shows under a format, as far as the width of its column goes: the
// decimals of the section that applies, the minus sign, and one blank for a "_x" padding.
// Formats without a decimal pattern give the number's shortest text.
std::string displayedNumber(double value, const std::string& localFormat);

}  // namespace kestrune::office
