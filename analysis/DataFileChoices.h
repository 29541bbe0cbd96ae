#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/StudyDisk.h"

namespace kestrune {

// The names (without ".dat") of a file chooser of the correlation pages: the data files of a
// series in one group, plain files only. An empty list means the chooser shows no file.
std::vector<std::string> dataFileChoices(const StudyDisk& disk, TSexGroup group, std::string_view series);

}  // namespace kestrune
