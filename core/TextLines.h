#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kestrune {

// Splits text into lines at CR LF, CR or LF. A terminator at the very end does not start
// another line, so "a\r\nb\r\n" gives two lines and "" gives none.
std::vector<std::string> splitLines(std::string_view text);
// The same lines as views into `text`.
std::vector<std::string_view> splitLineViews(std::string_view text);

// Joins lines, ending every line (the last included) with CR LF.
std::string joinLinesCrlf(const std::vector<std::string>& lines);

// A record split at its first comma. Without a comma `before` is empty and `after` is the
// whole line.
struct CommaFields {
    std::string before;
    std::string after;
};
CommaFields splitAtFirstComma(std::string_view line);

// A stored word: the line less its first and its last character, whatever they are.
std::string stripFirstAndLast(std::string_view line);

// Whole-file reads are for the study disk's small text files; anything beyond this is not a
// file the program made and is refused before memory is sized from it.
inline constexpr std::uintmax_t kMaxTextFileBytes = 64u << 20;

// The bytes of a whole file, read as readTextLines reads them (the same errors and size limit).
std::string readFileBytes(const std::filesystem::path& path);

// Reads a whole CP932 text file as UTF-8 lines. A missing or unreadable file throws
// "ﾌｧｲﾙ %s は開けません"; invalid CP932 throws naming the file.
std::vector<std::string> readTextLines(const std::filesystem::path& path);

// A whole CP932 text file as one UTF-8 text, for callers that walk its lines with a LineCursor
// instead of holding a string per line (the response files of up to 112,500 one-number lines).
// An ASCII file is kept as read. Fails as readTextLines does.
std::string readWholeText(const std::filesystem::path& path);

// Reads only the first line of a CP932 text file (what the listings show). An empty file
// throws "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています", as reading line 1 of a whole file would.
std::string readFirstLine(const std::filesystem::path& path);

// Encodes the lines to CP932 (refusing before any byte is written if that fails) and
// writes the file whole and atomically with CR LF line ends.
void writeTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines);

// A line of a loaded file by its 1-based number; beyond the end throws the list index error.
const std::string& lineAt(const std::vector<std::string>& lines, std::size_t oneBasedNumber);

}  // namespace kestrune
