#include "output/tables/HtmlFrame.h"

namespace kestrune {

std::vector<std::string> htmlTableOpening(std::string_view title) {
    return {
        R"(<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML i18n//EN">)",
        "<HTML>",
        "<HEAD>",
        "<TITLE>" + std::string(title) + "</TITLE>",
        R"(<META HTTP-EQUIV="Content-Type" CONTENT="text/html;charset=Shift_JIS">)",
        "</HEAD>",
        "<BODY>",
        "",
        "<TABLE BORDER>",
    };
}

void appendHtmlTableClosing(std::vector<std::string>& lines) {
    lines.emplace_back("</TABLE>");
    lines.emplace_back("</BODY>");
    lines.emplace_back("</HTML>");
}

}  // namespace kestrune
