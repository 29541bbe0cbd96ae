#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/StreamedLines.h"

namespace kestrune {

// A study disk text file (CP932) whose lines are read, split and decoded only as far as its
// reader asks, through a small buffer: a file padded with millions of line ends after the lines
// its header promises costs no more than those lines. Every error names the file and the line, with the
// runtime's text at its end: "ファイル …/a.dat の 51 行目: 'a' は整数ではありません".
class TextFile {
  public:
    // Opens the file (up to the size limit); a missing or unreadable file throws
    // "ﾌｧｲﾙ %s は開けません".
    explicit TextFile(const std::filesystem::path& path);

    const std::string& shownName() const { return shown_; }

    // Line `number` (1-based), decoded. A file without that line throws naming it; an empty
    // file throws saying it is empty.
    const std::string& line(std::size_t number);
    // Whether the file has line `number`, found without keeping the lines before it.
    bool hasLine(std::size_t number);

    // Line `number` as an integer; text that is not one throws naming the file and the line.
    std::int32_t integerAt(std::size_t number, std::string_view text) const;

    // The header on line 1 asks for lines up to `lastLine` (none: a count that overflowed). A
    // file that is shorter throws naming the file and the header.
    void requireHeaderLines(std::optional<std::int64_t> lastLine);
    // A header count below zero.
    [[noreturn]] void failNegativeHeader();

    // Throws the text as an error of line `number` of this file.
    [[noreturn]] void fail(std::size_t number, const std::string& text) const;

  private:
    std::size_t countAll();
    // Back to the line after the last one decoded, after looking further ahead.
    void returnToDecoded();

    std::string shown_;
    StreamedLines stream_;            // just past the lines decoded so far
    std::vector<std::string> lines_;  // decoded lines 1 .. lines_.size()
};

}  // namespace kestrune
