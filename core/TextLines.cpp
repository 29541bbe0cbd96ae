#include "core/TextLines.h"

#include <iterator>
#include <new>
#include <system_error>

#include "core/AtomicFile.h"
#include "core/Cp932.h"
#include "core/Error.h"
#include "core/InputFile.h"
#include "core/LineCursor.h"
#include "core/StudyDisk.h"

namespace kestrune {

std::vector<std::string_view> splitLineViews(std::string_view text) {
    std::vector<std::string_view> lines;
    lines.reserve(countLines(text));
    for (LineCursor cursor(text); !cursor.atEnd();)
        lines.push_back(cursor.next());
    return lines;
}

std::vector<std::string> splitLines(std::string_view text) {
    const std::vector<std::string_view> views = splitLineViews(text);
    return std::vector<std::string>(views.begin(), views.end());
}

std::string joinLinesCrlf(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

CommaFields splitAtFirstComma(std::string_view line) {
    const std::size_t comma = line.find(',');
    if (comma == std::string_view::npos)
        return {std::string(), std::string(line)};
    return {std::string(line.substr(0, comma)), std::string(line.substr(comma + 1))};
}

std::string stripFirstAndLast(std::string_view line) {
    // The first and the last character, which in a CP932 file are single-byte quotes; a
    // multi-byte character at either end is removed whole.
    if (line.empty())
        return {};
    std::size_t first = 1;
    while (first < line.size() && (static_cast<unsigned char>(line[first]) & 0xC0) == 0x80)
        ++first;
    if (first >= line.size())
        return {};
    std::size_t last = line.size() - 1;
    while (last > first && (static_cast<unsigned char>(line[last]) & 0xC0) == 0x80)
        --last;
    return std::string(line.substr(first, last - first));
}

namespace {

// None when reading fails under us (a pulled disk, a directory swapped in).
std::optional<std::string> readWholeFile(InputFile& in, const std::filesystem::path& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error)
        throw UserError(messages::cannotOpen(pathToUtf8(path)));
    if (size > kMaxTextFileBytes)
        throw UserError(messages::tooLarge(pathToUtf8(path)));
    std::string bytes(static_cast<std::size_t>(size), '\0');
    const std::optional<std::size_t> got = in.read(bytes.data(), bytes.size());
    if (!got)
        return std::nullopt;
    bytes.resize(*got);
    return bytes;
}

// Only up to the first line end: a listing must not read whole data files.
std::optional<std::string> readUpToLineEnd(InputFile& in, std::size_t limit) {
    std::string bytes;
    char buffer[512];
    while (bytes.size() < limit) {
        const std::optional<std::size_t> got = in.read(buffer, sizeof buffer);
        if (!got)
            return std::nullopt;
        if (*got == 0)
            break;
        const std::string_view chunk(buffer, *got);
        const std::size_t end = chunk.find_first_of("\r\n");
        if (end != std::string_view::npos) {
            bytes.append(chunk.substr(0, end));
            return bytes;
        }
        bytes.append(chunk);
    }
    return bytes;
}

std::string readBytes(const std::filesystem::path& path, std::size_t limit) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        throw UserError(messages::cannotOpen(pathToUtf8(path)));
    InputFile in(path);
    if (!in.isOpen())
        throw UserError(messages::cannotOpen(pathToUtf8(path)));
    std::optional<std::string> bytes;
    try {
        bytes = limit == std::string::npos ? readWholeFile(in, path) : readUpToLineEnd(in, limit);
    } catch (const UserError&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw UserError(messages::tooLarge(pathToUtf8(path)));
    } catch (const std::exception&) {
        throw UserError(messages::cannotOpen(pathToUtf8(path)));
    }
    if (!bytes)
        throw UserError(messages::cannotOpen(pathToUtf8(path)));
    return std::move(*bytes);
}

}  // namespace

std::string readFileBytes(const std::filesystem::path& path) {
    return readBytes(path, std::string::npos);
}

std::vector<std::string> readTextLines(const std::filesystem::path& path) {
    const std::string bytes = readBytes(path, std::string::npos);
    try {
        return splitLines(decodeCp932(bytes, pathToUtf8(path)));
    } catch (const std::bad_alloc&) {
        throw UserError(messages::tooLarge(pathToUtf8(path)));
    }
}

std::string readWholeText(const std::filesystem::path& path) {
    std::string bytes = readBytes(path, std::string::npos);
    try {
        // An ASCII file is its own UTF-8: returned as read, without a copy.
        if (isAscii(bytes))
            return bytes;
        return decodeCp932(bytes, pathToUtf8(path));
    } catch (const std::bad_alloc&) {
        throw UserError(messages::tooLarge(pathToUtf8(path)));
    }
}

std::string readFirstLine(const std::filesystem::path& path) {
    std::string bytes = readBytes(path, 1 << 20);
    std::error_code error;
    if (bytes.empty() && std::filesystem::file_size(path, error) == 0) {
        throw UserError(messages::emptyFile(StudyDisk::pathLabel(path)));
    }
    return decodeCp932(bytes, pathToUtf8(path));
}

void writeTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    const std::string bytes = encodeCp932(joinLinesCrlf(lines));
    writeFileAtomically(path, bytes);
}

const std::string& lineAt(const std::vector<std::string>& lines, std::size_t oneBasedNumber) {
    if (oneBasedNumber < 1 || oneBasedNumber > lines.size())
        throw UserError(messages::listIndexOutOfRange());
    return lines[oneBasedNumber - 1];
}

}  // namespace kestrune
