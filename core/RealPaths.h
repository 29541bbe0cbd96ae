#pragma once

#include <filesystem>
#include <optional>

namespace kestrune {

// Where a path finally leads once every symbolic link on the way is followed, including a last
// link whose target does not exist yet (a file about to be written there). Parts that do not
// exist are kept as written. None for a link loop or a path that cannot be looked at.
std::optional<std::filesystem::path> followLinks(const std::filesystem::path& path);

// Whether `path` (absolute, without links) is `directory` itself or lies below it.
bool liesWithin(const std::filesystem::path& path, const std::filesystem::path& directory);

}  // namespace kestrune
