#include "core/DiskNames.h"

#include "core/Error.h"

namespace kestrune {

namespace {

// The code point starting at `at`, or none for an invalid sequence; `at` moves past it.
bool nextCodePoint(std::string_view text, std::size_t& at, char32_t& code) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    std::size_t width = 1;
    char32_t lowest = 0;
    if (lead < 0x80) {
        code = lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        width = 2, code = lead & 0x1F, lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        width = 3, code = lead & 0x0F, lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        width = 4, code = lead & 0x07, lowest = 0x10000;
    } else {
        return false;
    }
    if (at + width > text.size())
        return false;
    for (std::size_t k = 1; k < width; ++k) {
        const unsigned char next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80)
            return false;
        code = (code << 6) | (next & 0x3F);
    }
    if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return false;
    at += width;
    return true;
}

}  // namespace

DiskNameProblem diskNameProblem(std::string_view name) {
    if (name.empty())
        return DiskNameProblem::Empty;
    if (name == "." || name == "..")
        return DiskNameProblem::DotName;
    std::size_t at = 0;
    while (at < name.size()) {
        char32_t code = 0;
        if (!nextCodePoint(name, at, code))
            return DiskNameProblem::NotText;
        if (code == U'/' || code == U'\\')
            return DiskNameProblem::Separator;
        if (code < 0x20 || (code >= 0x7F && code <= 0x9F))
            return DiskNameProblem::ControlCharacter;
    }
    if (name.size() + kAppendedExtensionBytes > kMaxFileNameBytes)
        return DiskNameProblem::TooLong;
    return DiskNameProblem::None;
}

bool isPlainDiskName(std::string_view name) {
    return diskNameProblem(name) == DiskNameProblem::None;
}

std::string diskNameMessage(std::string_view name, DiskNameProblem problem) {
    // A name that is not text or holds control characters is not repeated in the message.
    const bool showable = problem != DiskNameProblem::NotText && problem != DiskNameProblem::ControlCharacter;
    std::string text = showable ? formatMessage("'%s' はファイル名に使えません。", name)
                                : std::string("入力された名前はファイル名に使えません。");
    switch (problem) {
        case DiskNameProblem::None:
            return {};
        case DiskNameProblem::Empty:
            return "ファイル名を入力してください!!";
        case DiskNameProblem::DotName:
            return text + "\".\" と \"..\" はディレクトリを指す名前です。";
        case DiskNameProblem::Separator:
            return text + "\"/\" と \"\\\" は使えません。";
        case DiskNameProblem::ControlCharacter:
            return text + "制御文字が含まれています。";
        case DiskNameProblem::NotText:
            return text + "文字として読めないバイトが含まれています。";
        case DiskNameProblem::TooLong:
            return text + "名前が長すぎます (" + std::to_string(kMaxFileNameBytes - kAppendedExtensionBytes) +
                   " バイトまで)。";
    }
    return text;
}

void requirePlainDiskName(std::string_view name) {
    const DiskNameProblem problem = diskNameProblem(name);
    if (problem != DiskNameProblem::None)
        throw UserError(diskNameMessage(name, problem));
}

}  // namespace kestrune
