#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/StudyDisk.h"
#include "ui/common/DiskFileOperations.h"

namespace kestrune {

// The six places a series lives in, in this order: male, female and mix data directories,
// order file, vocabulary file, physical quantity directory.
std::vector<std::filesystem::path> seriesPlaces(const StudyDisk& disk, const std::string& series);

// Moves the places of a series that exist to the trash, all or none: when one cannot be
// trashed, those already trashed are put back and false is returned.
bool moveSeriesToTrash(const StudyDisk& disk, const std::string& series,
                       const TrashMover& mover = moveToDesktopTrash);

// Renames the six places of a series one by one, then the physical quantity file if there
// is one. When a step fails, the steps already done are taken back and the number of the
// failed step (1 to 7) is returned; 0 means every step went through.
int renameSeriesOnDisk(const StudyDisk& disk, const std::string& oldName, const std::string& newName);

}  // namespace kestrune
