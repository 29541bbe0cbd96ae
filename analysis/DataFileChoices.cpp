#include "analysis/DataFileChoices.h"

#include "core/Listings.h"

namespace kestrune {

std::vector<std::string> dataFileChoices(const StudyDisk& disk, TSexGroup group, std::string_view series) {
    std::vector<std::string> names;
    for (const std::filesystem::path& path : enumerateFiles(disk.dataDirectory(group, series), ".dat")) {
        const std::string name = pathToUtf8(path.filename());
        names.push_back(name.substr(0, name.size() - 4));
    }
    return names;
}

}  // namespace kestrune
