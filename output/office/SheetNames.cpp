#include "output/office/SheetNames.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace kestrune::office {
namespace {

// Byte offsets of the code points of a UTF-8 text.
std::vector<std::size_t> characterStarts(const std::string& text) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            starts.push_back(i);
    }
    return starts;
}

std::string firstCharacters(const std::string& text, int count) {
    const std::vector<std::size_t> starts = characterStarts(text);
    if (static_cast<int>(starts.size()) <= count)
        return text;
    return text.substr(0, starts[static_cast<std::size_t>(count)]);
}

int characters(const std::string& text) {
    return static_cast<int>(characterStarts(text).size());
}

std::string folded(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool taken(const std::string& name, const std::vector<std::string>& others) {
    const std::string key = folded(name);
    return std::any_of(others.begin(), others.end(),
                       [&key](const std::string& other) { return folded(other) == key; });
}

}  // namespace

std::string validSheetName(const std::string& wanted, const std::vector<std::string>& otherNames) {
    std::string name = wanted;
    for (char& c : name) {
        if (std::string_view("[]:*?/\\").find(c) != std::string_view::npos)
            c = '_';
    }
    name = firstCharacters(name, kMaxSheetNameLength);
    if (!name.empty() && name.front() == '\'')
        name.front() = '_';
    if (!name.empty() && name.back() == '\'')
        name.back() = '_';
    if (name.empty())
        name = "Sheet";
    if (!taken(name, otherNames))
        return name;
    for (int n = 2;; ++n) {
        const std::string suffix = " (" + std::to_string(n) + ")";
        std::string candidate = firstCharacters(name, kMaxSheetNameLength - characters(suffix)) + suffix;
        if (!taken(candidate, otherNames))
            return candidate;
    }
}

}  // namespace kestrune::office
