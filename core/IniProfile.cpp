#include "core/IniProfile.h"

#include <fstream>
#include <iterator>

#include "core/Cp932.h"
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

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

// At most 1023 bytes of CP932, cut at a character boundary.
std::string limitValue(const std::string& value) {
    constexpr std::size_t kMaxBytes = 1023;
    if (value.size() <= kMaxBytes / 3)
        return value;  // fits whatever the characters are
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
        const std::string character = value.substr(i, width);
        const std::size_t characterBytes = cp932Length(character);
        if (bytes + characterBytes > kMaxBytes)
            break;
        bytes += characterBytes;
        result += character;
        i += width;
    }
    return result;
}

}  // namespace

std::string readProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return {};
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::string text;
    try {
        text = decodeCp932(bytes, file.string());
    } catch (const std::exception&) {
        return {};  // an unreadable registry reads as empty, like a missing one
    }
    bool inSection = false;
    for (const std::string& rawLine : splitLines(text)) {
        const std::string_view line = trimBlanks(rawLine);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            const std::string_view name =
                close == std::string_view::npos ? line.substr(1) : line.substr(1, close - 1);
            inSection = equalsIgnoringAsciiCase(trimBlanks(name), section);
            continue;
        }
        if (!inSection)
            continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        if (!equalsIgnoringAsciiCase(trimBlanks(line.substr(0, equals)), key))
            continue;
        std::string_view value = trimBlanks(line.substr(equals + 1));
        if (value.size() >= 2 && ((value.front() == '"' && value.back() == '"') ||
                                  (value.front() == '\'' && value.back() == '\''))) {
            value = value.substr(1, value.size() - 2);
        }
        return limitValue(std::string(value));
    }
    return {};
}

}  // namespace kestrune
