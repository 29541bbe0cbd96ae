#pragma once

#include <string>
#include <string_view>

namespace kestrune::collect {

// A UTF-8 text as a JSON string literal, quotes included. "<" and ">" are escaped too, so the
// text can never close a script element it is embedded in.
std::string jsonString(std::string_view text);

}  // namespace kestrune::collect
