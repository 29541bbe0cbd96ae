#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace kestrune {

// An error a user can cause (a missing file, a text that is not a number, data beyond a
// table's size). The message is the system's own Japanese text in UTF-8, ready to show.
// An empty caption means the standard error box (application title, error icon, OK);
// otherwise the box shows that caption with an OK button.
class UserError : public std::runtime_error {
  public:
    explicit UserError(const std::string& message, std::string caption = {})
        : std::runtime_error(message), caption_(std::move(caption)) {}

    const std::string& caption() const { return caption_; }

  private:
    std::string caption_;
};

// The runtime's standard texts, with %s replaced.
namespace messages {
std::string cannotOpen(std::string_view fileName);    // "ﾌｧｲﾙ %s は開けません"
std::string cannotCreate(std::string_view fileName);  // "ﾌｧｲﾙ %s を作成できません"
std::string notInteger(std::string_view text);        // "'%s' は整数ではありません"
std::string listIndexOutOfRange();  // "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています"
std::string invalidCp932(std::string_view fileName, std::size_t byteOffset);
std::string notEncodable(std::string_view text);
std::string tooLarge(std::string_view fileName);  // a file too large to read into memory
std::string outOfMemory();
std::string unexpectedFailure();
}  // namespace messages

// The text a user sees for any exception that reached a boundary: ours as it is; a library's
// (std::filesystem_error, bad_alloc, out_of_range ...) replaced by our own Japanese text, naming
// the file where the library names one. No English library text reaches the user.
std::string userMessageOf(const std::exception& error);

// Replaces the first "%s" of a format with a text.
std::string formatMessage(std::string_view format, std::string_view text);

}  // namespace kestrune
