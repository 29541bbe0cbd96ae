#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kestrune {

// Whether a name a user typed may become one file or directory name on the study disk. Every
// place that turns a typed name (series, data file, merge result, rename, move) into a path
// asks here, so that no name reaches outside the series' own directories.
enum class DiskNameProblem {
    None,
    Empty,
    DotName,           // "." or ".."
    Separator,         // "/" or "\" (the disk's files keep "\" as their separator)
    ControlCharacter,  // below U+0020, U+007F, U+0080 to U+009F
    NotText,           // not valid UTF-8, the host's file name encoding
    TooLong,           // with its extension beyond the file system's name length
};

// The longest file name, in bytes of the host's encoding (UTF-8), that the study disk's file
// systems take; names get up to 4 more bytes (".ord", ".pap", ".phy", ".dat").
inline constexpr std::size_t kMaxFileNameBytes = 255;
inline constexpr std::size_t kAppendedExtensionBytes = 4;

DiskNameProblem diskNameProblem(std::string_view name);
bool isPlainDiskName(std::string_view name);

// Our message for a name that cannot be used, naming it and what is wrong.
std::string diskNameMessage(std::string_view name, DiskNameProblem problem);

// Throws UserError with that message unless the name may be used.
void requirePlainDiskName(std::string_view name);

}  // namespace kestrune
