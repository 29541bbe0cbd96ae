#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kestrune::collect {

// Random codes from the kernel's generator (getrandom); throws UserError when it fails.
void randomBytes(void* buffer, std::size_t size);

// A subject's token: 128 random bits as 32 lowercase hexadecimal digits.
std::string newToken();
bool isTokenText(std::string_view text);

// Letters and digits that cannot be mistaken for one another when read off a screen or a sheet
// (no 0/O, 1/I/L, 5/S, 2/Z, 8/B).
inline constexpr std::string_view kCodeAlphabet = "ACDEFGHJKMNPQRTUVWXY34679";

// The session's join code in its URL (20 characters, about 93 bits) and the short code a
// subject can type instead (6 characters).
std::string newCode(std::size_t length);
inline constexpr std::size_t kJoinCodeLength = 20;
inline constexpr std::size_t kShortCodeLength = 6;
bool isCodeText(std::string_view text, std::size_t length);

// Uniform random number below `bound` (bound > 0).
std::size_t randomBelow(std::size_t bound);

}  // namespace kestrune::collect
