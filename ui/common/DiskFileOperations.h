#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kestrune {

// File operations on the study disk that several pages share: the desktop trash and renames
// that never replace.

// Moves a file or directory to the desktop trash; gives where it went, or none on failure.
using TrashMover = std::function<std::optional<std::filesystem::path>(const std::filesystem::path&)>;
std::optional<std::filesystem::path> moveToDesktopTrash(const std::filesystem::path& place);
// Takes a trashed item back to where it came from and drops its trash record.
bool restoreFromTrash(const std::filesystem::path& inTrash, const std::filesystem::path& original);

// Moves every place to the trash, all or none: when one cannot be trashed, those already
// trashed are put back and false is returned.
bool trashAll(const std::vector<std::filesystem::path>& places, const TrashMover& mover = moveToDesktopTrash);

// Renames a file or directory, failing (never replacing) when the target exists.
bool renameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

// A name a user typed that may stand as one file name on the disk (isPlainDiskName of core).
bool isPlainFileName(const std::string& name);

}  // namespace kestrune
