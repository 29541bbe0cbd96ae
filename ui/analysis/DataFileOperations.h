#pragma once

#include <string>
#include <vector>

#include "core/StudyDisk.h"
#include "ui/common/DiskFileOperations.h"

namespace kestrune {

// The file list's operations on the data files of one series, each all or nothing, so a
// failure in the middle never leaves some files done and others not.

// Gives the data file `oldName` the name `newName` (both without ".dat"); fails when the new
// name is not a plain file name or a file of that name exists.
bool renameDataFile(const StudyDisk& disk, TSexGroup group, const std::string& series,
                    const std::string& oldName, const std::string& newName);

// Moves the data files to the desktop trash; when one cannot be trashed, those already trashed
// are put back and false is returned.
bool trashDataFiles(const StudyDisk& disk, TSexGroup group, const std::string& series,
                    const std::vector<std::string>& names, const TrashMover& mover = moveToDesktopTrash);

// Moves the data files into the same series of another group, never replacing a file there
// (the group's directory is made when missing); when one cannot be moved, those already moved
// go back and false is returned.
bool moveDataFiles(const StudyDisk& disk, TSexGroup from, TSexGroup to, const std::string& series,
                   const std::vector<std::string>& names);

}  // namespace kestrune
