#include "ui/series/SeriesFileOperations.h"

namespace kestrune {

namespace fs = std::filesystem;

std::vector<fs::path> seriesPlaces(const StudyDisk& disk, const std::string& series) {
    return {disk.dataDirectory(TSexGroup::Male, series),
            disk.dataDirectory(TSexGroup::Female, series),
            disk.dataDirectory(TSexGroup::Mix, series),
            disk.orderPath(series),
            disk.vocabularyPath(series),
            disk.physicalDirectory(series)};
}

bool moveSeriesToTrash(const StudyDisk& disk, const std::string& series, const TrashMover& mover) {
    std::vector<fs::path> existing;
    for (const fs::path& place : seriesPlaces(disk, series)) {
        std::error_code error;
        if (fs::exists(fs::symlink_status(place, error)))
            existing.push_back(place);
    }
    return trashAll(existing, mover);
}

int renameSeriesOnDisk(const StudyDisk& disk, const std::string& oldName, const std::string& newName) {
    std::vector<std::pair<fs::path, fs::path>> steps;
    const std::vector<fs::path> from = seriesPlaces(disk, oldName);
    const std::vector<fs::path> to = seriesPlaces(disk, newName);
    for (std::size_t i = 0; i < from.size(); ++i)
        steps.emplace_back(from[i], to[i]);
    const fs::path movedPhysical = disk.physicalDirectory(newName);
    const fs::path oldQuantities = movedPhysical / (oldName + ".phy");

    std::vector<std::pair<fs::path, fs::path>> done;
    auto undo = [&done] {
        for (const auto& [source, target] : done)
            renameWithoutReplacing(target, source);
    };
    const bool plain = isPlainFileName(newName);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (!plain || !renameWithoutReplacing(steps[i].first, steps[i].second)) {
            undo();
            return static_cast<int>(i) + 1;
        }
        done.push_back(steps[i]);
    }
    std::error_code error;
    if (fs::is_regular_file(oldQuantities, error)) {
        if (!renameWithoutReplacing(oldQuantities, movedPhysical / (newName + ".phy"))) {
            undo();
            return 7;
        }
    }
    return 0;
}

}  // namespace kestrune
