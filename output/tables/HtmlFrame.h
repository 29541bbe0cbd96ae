#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrune {

// The lines every exported HTML table starts with, up to and including "<TABLE BORDER>", with
// the given title text between "<TITLE>" and "</TITLE>"; and the three closing lines.
std::vector<std::string> htmlTableOpening(std::string_view title);
void appendHtmlTableClosing(std::vector<std::string>& lines);

}  // namespace kestrune
