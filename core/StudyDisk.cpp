#include "core/StudyDisk.h"

#include "core/IniProfile.h"

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
    return root_ / "order";
}
std::filesystem::path StudyDisk::vocabularyDirectory() const {
    return root_ / "paper";
}

std::filesystem::path StudyDisk::orderPath(std::string_view series) const {
    return orderDirectory() / pathFromUtf8(std::string(series) + ".ord");
}

std::filesystem::path StudyDisk::vocabularyPath(std::string_view series) const {
    return vocabularyDirectory() / pathFromUtf8(std::string(series) + ".pap");
}

std::filesystem::path StudyDisk::physicalDirectory(std::string_view series) const {
    return root_ / "physical" / pathFromUtf8(series);
}

std::filesystem::path StudyDisk::physicalPath(std::string_view series) const {
    return physicalDirectory(series) / pathFromUtf8(std::string(series) + ".phy");
}

std::filesystem::path StudyDisk::dataDirectory(TSexGroup group, std::string_view series) const {
    return root_ / pathFromUtf8(sexGroupDirectory(group)) / pathFromUtf8(series);
}

std::filesystem::path StudyDisk::dataPath(TSexGroup group, std::string_view series,
                                          std::string_view file) const {
    return dataDirectory(group, series) / pathFromUtf8(std::string(file) + ".dat");
}

std::filesystem::path StudyDisk::backupPath(TSexGroup group, std::string_view series) const {
    return dataDirectory(group, series) / "temp.dat";
}

std::filesystem::path StudyDisk::registryPath() const {
    return root_ / "kestrune.ini";
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

std::string StudyDisk::pathLabel(const std::filesystem::path& path) {
    return pathToUtf8(path.lexically_normal());
}

}  // namespace kestrune
