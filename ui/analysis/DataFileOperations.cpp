#include "ui/analysis/DataFileOperations.h"

#include <utility>

namespace kestrune {

namespace fs = std::filesystem;

bool renameDataFile(const StudyDisk& disk, TSexGroup group, const std::string& series,
                    const std::string& oldName, const std::string& newName) {
    if (!isPlainFileName(newName))
        return false;
    return renameWithoutReplacing(disk.dataPath(group, series, oldName),
                                  disk.dataPath(group, series, newName));
}

bool trashDataFiles(const StudyDisk& disk, TSexGroup group, const std::string& series,
                    const std::vector<std::string>& names, const TrashMover& mover) {
    std::vector<fs::path> places;
    for (const std::string& name : names)
        places.push_back(disk.dataPath(group, series, name));
    return trashAll(places, mover);
}

bool moveDataFiles(const StudyDisk& disk, TSexGroup from, TSexGroup to, const std::string& series,
                   const std::vector<std::string>& names) {
    std::error_code error;
    fs::create_directories(disk.dataDirectory(to, series), error);
    if (error)
        return false;
    std::vector<std::pair<fs::path, fs::path>> moved;
    for (const std::string& name : names) {
        const fs::path source = disk.dataPath(from, series, name);
        const fs::path target = disk.dataPath(to, series, name);
        if (!renameWithoutReplacing(source, target)) {
            for (const auto& [movedSource, movedTarget] : moved)
                renameWithoutReplacing(movedTarget, movedSource);
            return false;
        }
        moved.emplace_back(source, target);
    }
    return true;
}

}  // namespace kestrune
