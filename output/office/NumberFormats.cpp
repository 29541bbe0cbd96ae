#include "output/office/NumberFormats.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <utility>

namespace kestrune::office {
namespace {

constexpr std::array<std::pair<const char*, const char*>, 8> kColourNames = {{{"赤", "Red"},
                                                                              {"黒", "Black"},
                                                                              {"青", "Blue"},
                                                                              {"緑", "Green"},
                                                                              {"白", "White"},
                                                                              {"黄", "Yellow"},
                                                                              {"紫", "Magenta"},
                                                                              {"水", "Cyan"}}};

std::string bracketed(const std::string& inside) {
    for (const auto& [local, stored] : kColourNames) {
        if (inside == local)
            return stored;
    }
    return inside;
}

std::string section(const std::string& format, bool negative) {
    const std::size_t semicolon = format.find(';');
    if (semicolon == std::string::npos)
        return format;
    return negative ? format.substr(semicolon + 1) : format.substr(0, semicolon);
}

}  // namespace

std::string storedNumberFormat(const std::string& localFormat) {
    std::string out;
    for (std::size_t i = 0; i < localFormat.size(); ++i) {
        const char c = localFormat[i];
        if ((c == '_' || c == '\\') && i + 1 < localFormat.size()) {
            out += c;
            out += localFormat[++i];
        } else if (c == '[') {
            const std::size_t close = localFormat.find(']', i);
            if (close == std::string::npos) {
                out += localFormat.substr(i);
                break;
            }
            out += '[';
            out += bracketed(localFormat.substr(i + 1, close - i - 1));
            out += ']';
            i = close;
        } else if (c == '"') {
            const std::size_t close = localFormat.find('"', i + 1);
            const std::size_t end = close == std::string::npos ? localFormat.size() : close + 1;
            out += localFormat.substr(i, end - i);
            i = end - 1;
        } else if (c == '-' || c == ' ') {
            out += '\\';
            out += c;
        } else {
            out += c;
        }
    }
    return out;
}

std::string displayedNumber(double value, const std::string& localFormat) {
    const bool negative = value < 0;
    const std::string pattern = section(localFormat, negative);
    const std::size_t point = pattern.find("0.");
    char buffer[64];
    if (point == std::string::npos && pattern.find('0') == std::string::npos) {
        std::snprintf(buffer, sizeof buffer, "%.15g", value);
        return buffer;
    }
    int decimals = 0;
    if (point != std::string::npos) {
        for (std::size_t i = point + 2; i < pattern.size() && pattern[i] == '0'; ++i)
            ++decimals;
    }
    // A section of its own for negatives writes its own sign.
    const bool ownSign = pattern.find('-') != std::string::npos;
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, ownSign ? std::fabs(value) : value);
    std::string text = buffer;
    if (ownSign)
        text = "-" + text;
    if (pattern.find('_') != std::string::npos || (!pattern.empty() && pattern.back() == ' '))
        text += ' ';
    return text;
}

}  // namespace kestrune::office
