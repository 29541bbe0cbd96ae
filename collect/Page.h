#pragma once

#include <string>
#include <string_view>

namespace kestrune::collect {

// The answering page: one HTML document with its style and script, nothing fetched from
// elsewhere. `sessionJson` (the title and the instructions) is placed in it as data.
std::string collectPage(std::string_view sessionJson);

// The page at the server's root where the short code can be typed instead of scanning the QR code.
std::string codeEntryPage();

}  // namespace kestrune::collect
