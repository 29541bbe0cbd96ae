#include "core/Error.h"

#include <filesystem>
#include <new>

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

std::string tooLarge(std::string_view fileName) {
    return formatMessage("ﾌｧｲﾙ %s は大きすぎて読み込めません", fileName);
}

std::string outOfMemory() {
    return "メモリが足りないため処理を中止しました。";
}

std::string unexpectedFailure() {
    return "予期しないエラーのため処理を中止しました。";
}

}  // namespace messages

std::string userMessageOf(const std::exception& error) {
    if (dynamic_cast<const UserError*>(&error) != nullptr)
        return error.what();
    if (const auto* fileError = dynamic_cast<const std::filesystem::filesystem_error*>(&error)) {
        const std::u8string name = fileError->path1().u8string();
        return messages::cannotOpen(
            std::string_view(reinterpret_cast<const char*>(name.data()), name.size()));
    }
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr ||
        dynamic_cast<const std::length_error*>(&error) != nullptr) {
        return messages::outOfMemory();
    }
    return messages::unexpectedFailure();
}

}  // namespace kestrune
