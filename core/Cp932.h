#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kestrune {

// The Japanese Windows code page (Shift_JIS with the NEC and IBM extensions) is used at the
// file boundary only; everything inside the program is UTF-8.

// CP932 and UTF-8 agree byte for byte on ASCII, which is all most study disk files hold.
bool isAscii(std::string_view text);

// Decodes CP932 bytes to UTF-8. An invalid byte sequence throws UserError naming `fileName`.
std::string decodeCp932(std::string_view bytes, std::string_view fileName);

// The same without throwing: none for an invalid sequence, whose byte offset goes to `failedAt`.
std::optional<std::string> tryDecodeCp932(std::string_view bytes, std::size_t& failedAt);

// Encodes UTF-8 text to CP932. Text with a character CP932 cannot hold throws UserError.
std::string encodeCp932(std::string_view utf8);

// The number of bytes the text takes in CP932 (half-width 1, full-width 2); used where the
// figures centre text by its byte length. Characters CP932 cannot hold count 2.
std::size_t cp932Length(std::string_view utf8);

}  // namespace kestrune
