#include "core/StudyDisk.h"

#include "core/Error.h"
#include "core/IniProfile.h"
#include "core/RealPaths.h"

namespace kestrune {

std::filesystem::path pathFromUtf8(std::string_view text) {
    return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(text.data()), text.size()));
}

std::string pathToUtf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

StudyDisk::StudyDisk(std::filesystem::path root) : root_(std::move(root)) {}

std::filesystem::path StudyDisk::orderDirectory() const {
    return confined(root_ / "order");
}
std::filesystem::path StudyDisk::vocabularyDirectory() const {
    return confined(root_ / "paper");
}

std::filesystem::path StudyDisk::orderPath(std::string_view series) const {
    return confined(orderDirectory() / pathFromUtf8(std::string(series) + ".ord"));
}

std::filesystem::path StudyDisk::vocabularyPath(std::string_view series) const {
    return confined(vocabularyDirectory() / pathFromUtf8(std::string(series) + ".pap"));
}

std::filesystem::path StudyDisk::physicalDirectory(std::string_view series) const {
    return confined(root_ / "physical" / pathFromUtf8(series));
}

std::filesystem::path StudyDisk::physicalPath(std::string_view series) const {
    return confined(physicalDirectory(series) / pathFromUtf8(std::string(series) + ".phy"));
}

std::filesystem::path StudyDisk::dataDirectory(TSexGroup group, std::string_view series) const {
    return confined(root_ / pathFromUtf8(sexGroupDirectory(group)) / pathFromUtf8(series));
}

std::filesystem::path StudyDisk::dataPath(TSexGroup group, std::string_view series,
                                          std::string_view file) const {
    return confined(dataDirectory(group, series) / pathFromUtf8(std::string(file) + ".dat"));
}

std::filesystem::path StudyDisk::backupPath(TSexGroup group, std::string_view series) const {
    return confined(dataDirectory(group, series) / "temp.dat");
}

std::filesystem::path StudyDisk::registryPath() const {
    return confined(root_ / "kestrune.ini");
}

std::string StudyDisk::ReadSeriesComment(std::string_view series) const {
    return seriesComment(readRegistry(), series);
}

std::string StudyDisk::ReadFileComment(TSexGroup group, std::string_view series,
                                       std::string_view file) const {
    return fileComment(readRegistry(), group, series, file);
}

IniProfile StudyDisk::readRegistry() const {
    return IniProfile::read(registryPath());
}

std::string StudyDisk::seriesComment(const IniProfile& registry, std::string_view series) {
    return registry.value("groups", series);
}

std::string StudyDisk::fileComment(const IniProfile& registry, TSexGroup group, std::string_view series,
                                   std::string_view file) {
    // The registry keeps the Windows separator in its keys.
    const std::string key =
        std::string(sexGroupDirectory(group)) + "\\" + std::string(series) + "\\" + std::string(file);
    return registry.value("files", key);
}

std::filesystem::path StudyDisk::confined(const std::filesystem::path& path) const {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path realRoot = fs::canonical(root_.empty() ? fs::path(".") : root_, error);
    if (error)
        return path;
    const auto outside = [&](const fs::path& place) {
        const std::optional<fs::path> real = followLinks(place);
        // A link loop leads nowhere; reading it fails as a file that cannot be opened.
        return real && !liesWithin(*real, realRoot);
    };
    if (!outside(path))
        return path;
    // Name the first link on the way that leads out, as the user sees it on the disk.
    fs::path prefix;
    for (const fs::path& part : path) {
        prefix /= part;
        if (fs::is_symlink(fs::symlink_status(prefix, error)) && outside(prefix))
            throw UserError(messages::linkLeavesDisk(pathLabel(prefix)));
    }
    throw UserError(messages::linkLeavesDisk(pathLabel(path)));
}

std::string StudyDisk::pathLabel(const std::filesystem::path& path) {
    return pathToUtf8(path.lexically_normal());
}

}  // namespace kestrune
