#include "core/IniProfile.h"

#include "core/Cp932.h"
#include "core/LineCursor.h"
#include "core/StreamedLines.h"
#include "core/StudyDisk.h"
#include "core/TextLines.h"

namespace kestrune {
namespace {

std::string_view trimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// At most 1023 bytes of CP932, cut at a character boundary.
std::string limitValue(std::string_view value) {
    constexpr std::size_t kMaxBytes = 1023;
    if (value.size() <= kMaxBytes / 3)
        return std::string(value);  // fits whatever the characters are
    std::string result;
    std::size_t bytes = 0;
    std::size_t i = 0;
    while (i < value.size()) {
        std::size_t width = 1;
        const unsigned char lead = static_cast<unsigned char>(value[i]);
        if (lead >= 0xF0)
            width = 4;
        else if (lead >= 0xE0)
            width = 3;
        else if (lead >= 0xC0)
            width = 2;
        const std::string character(value.substr(i, width));
        const std::size_t characterBytes = cp932Length(character);
        if (bytes + characterBytes > kMaxBytes)
            break;
        bytes += characterBytes;
        result += character;
        i += width;
    }
    return result;
}

std::string lowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

}  // namespace

IniProfile IniProfile::read(const std::filesystem::path& file) {
    try {
        std::error_code error;
        if (!std::filesystem::is_regular_file(file, error))
            return {};
        // Read line by line through a small buffer: a registry padded with millions of empty
        // lines keeps none of them.
        StreamedLines lines(file);
        IniProfile profile;
        Section section = nullptr;
        std::string_view line;
        while (lines.next(line)) {
            if (isAscii(line)) {
                profile.takeLine(line, section);
            } else {
                profile.takeLine(decodeCp932(line, pathToUtf8(file)), section);
            }
        }
        return profile;
    } catch (const std::exception&) {
        return {};  // a registry that cannot be read reads as empty, like a missing one
    }
}

IniProfile IniProfile::parse(std::string_view utf8Text) {
    IniProfile profile;
    Section section = nullptr;
    for (LineCursor cursor(utf8Text); !cursor.atEnd();)
        profile.takeLine(cursor.next(), section);
    return profile;
}

void IniProfile::takeLine(std::string_view rawLine, Section& section) {
    IniProfile& profile = *this;
    const std::string_view line = trimBlanks(rawLine);
    if (line.empty() || line.front() == ';')
        return;
    if (line.front() == '[') {
        const std::size_t close = line.find(']');
        const std::string_view name =
            close == std::string_view::npos ? line.substr(1) : line.substr(1, close - 1);
        section = &profile.sections_[lowerAscii(trimBlanks(name))];
        return;
    }
    if (section == nullptr)
        return;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return;
    const std::string key = lowerAscii(trimBlanks(line.substr(0, equals)));
    if (section->count(key) != 0)
        return;  // the first matching key wins
    std::string_view value = trimBlanks(line.substr(equals + 1));
    if (value.size() >= 2 &&
        ((value.front() == '"' && value.back() == '"') || (value.front() == '\'' && value.back() == '\''))) {
        value = value.substr(1, value.size() - 2);
    }
    section->emplace(key, limitValue(value));
}

std::string IniProfile::value(std::string_view section, std::string_view key) const {
    const auto found = sections_.find(lowerAscii(section));
    if (found == sections_.end())
        return {};
    const auto value = found->second.find(lowerAscii(key));
    return value == found->second.end() ? std::string() : value->second;
}

std::string readProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key) {
    return IniProfile::read(file).value(section, key);
}

}  // namespace kestrune
