#pragma once

#include <functional>
#include <string>

namespace kestrune::testing {

// The text of the UserError a call throws, or "(no error)": lets a test compare messages
// character for character, and see which of two checks a file meets first.
std::string userErrorOf(const std::function<void()>& call);

}  // namespace kestrune::testing
