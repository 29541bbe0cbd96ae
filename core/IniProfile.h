#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kestrune {

// Reads one value of a profile (INI) file, afresh on every call: section and key match
// without regard to ASCII case, blanks around key and value are ignored, a value in double
// or single quotes loses them, the first matching key wins, ";" lines are comments, at most
// 1023 bytes (CP932) of a value are returned. A missing file, section or key gives empty text.
std::string readProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key);

}  // namespace kestrune
