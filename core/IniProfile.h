#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kestrune {

// A profile (INI) file read and parsed once: section and key match without regard to ASCII
// case, blanks around key and value are ignored, a value in double or single quotes loses
// them, the first matching key wins, ";" lines are comments, at most 1023 bytes (CP932) of a
// value are kept. Any failure to read the file (missing, a directory, unreadable, not CP932,
// too large) gives an empty profile: every lookup then reads as empty text.
class IniProfile {
  public:
    static IniProfile read(const std::filesystem::path& file);
    static IniProfile parse(std::string_view utf8Text);

    std::string value(std::string_view section, std::string_view key) const;

  private:
    using Section = std::map<std::string, std::string>*;
    // One line of the file: a section name starts `section`, a key of it is kept.
    void takeLine(std::string_view line, Section& section);

    // Lower-cased section, then lower-cased key.
    std::map<std::string, std::map<std::string, std::string>, std::less<>> sections_;
};

// One value, reading the file afresh on every call.
std::string readProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key);

}  // namespace kestrune
