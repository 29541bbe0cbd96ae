#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/IniProfile.h"
#include "core/SexGroup.h"

namespace kestrune {

// A study disk: a root directory and the fixed layout below it. Names are used exactly as
// stored or typed. Nothing is cached; every call looks at the disk afresh.
class StudyDisk {
  public:
    explicit StudyDisk(std::filesystem::path root = {});

    const std::filesystem::path& root() const { return root_; }
    void setRoot(std::filesystem::path root) { root_ = std::move(root); }

    std::filesystem::path orderDirectory() const;                            // root/order
    std::filesystem::path vocabularyDirectory() const;                       // root/paper
    std::filesystem::path orderPath(std::string_view series) const;          // root/order/S.ord
    std::filesystem::path vocabularyPath(std::string_view series) const;     // root/paper/S.pap
    std::filesystem::path physicalDirectory(std::string_view series) const;  // root/physical/S
    std::filesystem::path physicalPath(std::string_view series) const;       // root/physical/S/S.phy
    std::filesystem::path dataDirectory(TSexGroup group, std::string_view series) const;
    std::filesystem::path dataPath(TSexGroup group, std::string_view series, std::string_view file) const;
    std::filesystem::path backupPath(TSexGroup group, std::string_view series) const;  // .../temp.dat
    std::filesystem::path registryPath() const;                                        // root/kestrune.ini

    // The "groups" comment of a series, or empty text.
    std::string ReadSeriesComment(std::string_view series) const;
    // The "files" comment under the key "group\series\file", or empty text.
    std::string ReadFileComment(TSexGroup group, std::string_view series, std::string_view file) const;

    // The same from a registry a listing read once for all its rows.
    IniProfile readRegistry() const;
    static std::string seriesComment(const IniProfile& registry, std::string_view series);
    static std::string fileComment(const IniProfile& registry, TSexGroup group, std::string_view series,
                                   std::string_view file);

    // The path itself when it stays inside the disk's real directory; a symbolic link on the way
    // that leads outside it (a folder or a file linked to a place elsewhere) is refused with a
    // message naming it. Every path above passes through here, so that nothing is read from or
    // written to a place outside the disk. A root that does not exist confines nothing.
    std::filesystem::path confined(const std::filesystem::path& path) const;

    // What the user sees as a file's full path: the root joined with the relative parts.
    static std::string pathLabel(const std::filesystem::path& path);

  private:
    std::filesystem::path root_;
};

// UTF-8 text to a path and back (file names on the host are UTF-8).
std::filesystem::path pathFromUtf8(std::string_view text);
std::string pathToUtf8(const std::filesystem::path& path);

}  // namespace kestrune
