#include "core/Listings.h"

#include <algorithm>

#include "core/AtomicFile.h"
#include "core/TextLines.h"

namespace kestrune {
namespace {

bool endsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

std::string nameLessSuffix(const std::filesystem::path& file, std::size_t suffixLength) {
    const std::string name = pathToUtf8(file.filename());
    return name.substr(0, name.size() - suffixLength);
}

// The text before the first comma of a file's first line (empty without a comma).
std::string firstLineBeforeComma(const std::filesystem::path& file) {
    const std::string line = readFirstLine(file);
    return splitAtFirstComma(line).before;
}

}  // namespace

std::vector<std::filesystem::path> enumerateFiles(const std::filesystem::path& directory,
                                                  std::string_view suffix) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    std::filesystem::directory_iterator it(directory, error);
    if (error)
        return files;
    for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
        if (error)
            break;
        const std::string name = pathToUtf8(it->path().filename());
        if (name.size() <= suffix.size() || !endsWith(name, suffix) || isTemporaryWriteName(name))
            continue;
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        files.push_back(it->path());
    }
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
        return pathToUtf8(a.filename()) < pathToUtf8(b.filename());
    });
    return files;
}

Listing<SeriesRow> listSeriesCatalogue(const StudyDisk& disk) {
    Listing<SeriesRow> listing;
    // One reading of the registry serves every row of this listing; none is kept for the next.
    std::optional<IniProfile> registry;
    for (const std::filesystem::path& orderFile : enumerateFiles(disk.orderDirectory(), ".ord")) {
        SeriesRow row;
        row.name = nameLessSuffix(orderFile, 4);
        try {
            row.panelCountText = firstLineBeforeComma(disk.confined(orderFile));
            row.imageCountText = readFirstLine(disk.vocabularyPath(row.name));
            if (!registry)
                registry = disk.readRegistry();
            row.comment = StudyDisk::seriesComment(*registry, row.name);
        } catch (const UserError& error) {
            // The series whose files failed still has its row and chooser item.
            listing.rows.push_back(std::move(row));
            listing.failure = error;
            return listing;
        }
        listing.rows.push_back(std::move(row));
    }
    return listing;
}

Listing<DataFileRow> listDataFiles(const StudyDisk& disk, TSexGroup group, std::string_view series,
                                   ListingReach reach) {
    Listing<DataFileRow> listing;
    std::optional<IniProfile> registry;
    for (const std::filesystem::path& dataFile : enumerateFiles(disk.dataDirectory(group, series), ".dat")) {
        DataFileRow row;
        row.name = nameLessSuffix(dataFile, 4);
        try {
            row.subjectCountText = firstLineBeforeComma(disk.confined(dataFile));
        } catch (const UserError& error) {
            if (!listing.failure)
                listing.failure = error;
            if (reach == ListingReach::UpToFirstFailure) {
                listing.rows.push_back(std::move(row));
                return listing;
            }
            row.unreadable = error.what();
        }
        if (!registry)
            registry = disk.readRegistry();
        row.comment = StudyDisk::fileComment(*registry, group, series, row.name);
        listing.rows.push_back(std::move(row));
    }
    return listing;
}

std::vector<std::string> listSeriesFiles(const StudyDisk& disk, TSexGroup group, std::string_view series) {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator it(disk.dataDirectory(group, series), error);
    if (error)
        return names;
    for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
        if (error)
            return {};
        const std::string name = pathToUtf8(it->path().filename());
        std::error_code typeError;
        if (name.empty() || name.front() == '.' || !it->is_regular_file(typeError))
            continue;
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace kestrune
