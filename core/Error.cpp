#include "core/Error.h"

namespace kestrune {

std::string formatMessage(std::string_view format, std::string_view text) {
    std::string result(format);
    const std::size_t at = result.find("%s");
    if (at != std::string::npos)
        result.replace(at, 2, text);
    return result;
}

namespace messages {

std::string cannotOpen(std::string_view fileName) {
    return formatMessage("ﾌｧｲﾙ %s は開けません", fileName);
}

std::string cannotCreate(std::string_view fileName) {
    return formatMessage("ﾌｧｲﾙ %s を作成できません", fileName);
}

std::string notInteger(std::string_view text) {
    return formatMessage("'%s' は整数ではありません", text);
}

std::string listIndexOutOfRange() {
    return "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています";
}

std::string invalidCp932(std::string_view fileName, std::size_t byteOffset) {
    return formatMessage("ﾌｧｲﾙ %s に Shift_JIS として読めないバイトがあります", fileName) + " (" +
           std::to_string(byteOffset + 1) + " バイト目)";
}

std::string notEncodable(std::string_view text) {
    return formatMessage("'%s' には Shift_JIS で保存できない文字が含まれています", text);
}

}  // namespace messages
}  // namespace kestrune
