#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kestrune {

// The text with every control character but tab and line feed written visibly (\x1b, \x00,
// \u009b for a C1 control), for a message or a listing shown on a terminal.
std::string visibleControls(std::string_view text);

// An error a user can cause (a missing file, a text that is not a number, data beyond a
// table's size). The message is the system's own Japanese text in UTF-8, ready to show.
// An empty caption means the standard error box (application title, error icon, OK);
// otherwise the box shows that caption with an OK button.
class UserError : public std::runtime_error {
  public:
    // Control characters of the message (an escape sequence or a NUL read from a file) are shown
    // as \x1b and the like: they can neither drive a terminal nor cut the message short.
    explicit UserError(const std::string& message, std::string caption = {})
        : std::runtime_error(visibleControls(message)), caption_(std::move(caption)) {}

    const std::string& caption() const { return caption_; }

  private:
    std::string caption_;
};

// The runtime's standard texts, with %s replaced.
namespace messages {
std::string cannotOpen(std::string_view fileName);    // "ﾌｧｲﾙ %s は開けません"
std::string cannotCreate(std::string_view fileName);  // "ﾌｧｲﾙ %s を作成できません"
std::string notInteger(std::string_view text);        // "'%s' は整数ではありません"
// The text as a message quotes it: whole, or its first 200 bytes and "…" when longer.
std::string excerpt(std::string_view text);
std::string listIndexOutOfRange();  // "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています"
std::string invalidCp932(std::string_view fileName, std::size_t byteOffset);
std::string notEncodable(std::string_view text);
std::string tooLarge(std::string_view fileName);  // a file too large to read into memory
std::string outOfMemory();
// Reading errors name the file and the line, with the runtime's text at the end.
std::string atLine(std::string_view fileName, std::size_t lineNumber, std::string_view text);
std::string emptyFile(std::string_view fileName);
std::string missingLine(std::string_view fileName, std::size_t lineNumber, std::size_t lineCount);
std::string notCp932Byte(std::size_t byteOffsetInLine);
std::string headerNegative(std::string_view header);
std::string headerTooLarge(std::string_view header);
std::string headerWantsLines(std::string_view header, std::int64_t lastLine, std::size_t lineCount);
std::string linkLeavesDisk(std::string_view linkName);  // a symbolic link leading off the study disk
std::string unexpectedFailure();
}  // namespace messages

// The text a user sees for any exception that reached a boundary: ours as it is; a library's
// (std::filesystem_error, bad_alloc, out_of_range ...) replaced by our own Japanese text, naming
// the file where the library names one. No English library text reaches the user.
std::string userMessageOf(const std::exception& error);

// Replaces the first "%s" of a format with a text.
std::string formatMessage(std::string_view format, std::string_view text);

}  // namespace kestrune
