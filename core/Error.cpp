#include "core/Error.h"

#include <filesystem>
#include <new>

namespace kestrune {

std::string visibleControls(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if ((c < 0x20 && c != '\t' && c != '\n') || c == 0x7F) {
            shown += "\\x";
            shown += kHex[c >> 4];
            shown += kHex[c & 0xF];
        } else if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            // A C1 control in UTF-8 (U+0080 to U+009F); some terminals obey U+009B as CSI.
            const unsigned char code = static_cast<unsigned char>(text[++i]);
            shown += "\\u00";
            shown += kHex[code >> 4];
            shown += kHex[code & 0xF];
        } else {
            shown += static_cast<char>(c);
        }
    }
    return shown;
}

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

std::string excerpt(std::string_view text) {
    // A line of a damaged file can be megabytes long; a message shows its beginning.
    constexpr std::size_t kShownBytes = 200;
    if (text.size() <= kShownBytes)
        return std::string(text);
    std::size_t cut = kShownBytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return std::string(text.substr(0, cut)) + "…";
}

std::string notInteger(std::string_view text) {
    return formatMessage("'%s' は整数ではありません", excerpt(text));
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

std::string linkLeavesDisk(std::string_view linkName) {
    return formatMessage(
        "%s は調査ディスクの外を指すリンクです。調査ディスクの外のファイルは読み書きしません。", linkName);
}

std::string atLine(std::string_view fileName, std::size_t lineNumber, std::string_view text) {
    return formatMessage("ファイル %s の ", fileName) + std::to_string(lineNumber) +
           " 行目: " + std::string(text);
}

std::string emptyFile(std::string_view fileName) {
    return formatMessage("ファイル %s は空です: ", fileName) + listIndexOutOfRange();
}

std::string missingLine(std::string_view fileName, std::size_t lineNumber, std::size_t lineCount) {
    return formatMessage("ファイル %s に ", fileName) + std::to_string(lineNumber) + " 行目がありません (" +
           std::to_string(lineCount) + " 行のファイルです): " + listIndexOutOfRange();
}

std::string notCp932Byte(std::size_t byteOffsetInLine) {
    return "Shift_JIS として読めないバイトがあります (" + std::to_string(byteOffsetInLine + 1) + " バイト目)";
}

std::string headerNegative(std::string_view header) {
    return formatMessage("見出し '%s' に負の数があります: ", excerpt(header)) + listIndexOutOfRange();
}

std::string headerTooLarge(std::string_view header) {
    return formatMessage("見出し '%s' の数が大きすぎます: ", excerpt(header)) + listIndexOutOfRange();
}

std::string headerWantsLines(std::string_view header, std::int64_t lastLine, std::size_t lineCount) {
    return formatMessage("見出し '%s' の数では ", excerpt(header)) + std::to_string(lastLine) +
           " 行目まで要りますが、ファイルは " + std::to_string(lineCount) +
           " 行です: " + listIndexOutOfRange();
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
