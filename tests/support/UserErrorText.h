#pragma once

#include <functional>
#include <string>

namespace kestrune::testing {

// The text of the UserError a call throws, or "(no error)": lets a test compare messages
// character for character, and see which of two checks a file meets first.
std::string userErrorOf(const std::function<void()>& call);

// Whether a message ends with the runtime's text (for EXPECT_PRED2, which shows both): reading
// errors put the file and the line before it.
bool textEndsWith(const std::string& text, const std::string& end);

}  // namespace kestrune::testing
