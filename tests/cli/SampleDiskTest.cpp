// The shipped sample study disk is exactly what the project's own writers produce.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "core/Listings.h"
#include "core/Response.h"
#include "core/StudyDisk.h"
#include "tests/support/TempDisk.h"

using namespace kestrune;
using kestrune::testing::readBytes;
using kestrune::testing::TempDisk;

namespace {

// Every regular file below a directory (hidden markers left out), by relative path.
std::map<std::string, std::string> filesBelow(const std::filesystem::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file() || entry.path().filename().string().front() == '.') continue;
        files[std::filesystem::relative(entry.path(), root).string()] = readBytes(entry.path());
    }
    return files;
}

}  // namespace

TEST(SampleDisk, ShippedFilesAreWhatTheGeneratorWrites) {
    TempDisk fresh;
    const std::string command = std::string(KESTRUNE_SAMPLE_GENERATOR) + " '" + fresh.root().string() + "/disk'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const auto expected = filesBelow(fresh.root() / "disk");
    const auto shipped = filesBelow(std::filesystem::path(KESTRUNE_EXAMPLES) / "study-disk");
    ASSERT_EQ(expected.size(), shipped.size());
    for (const auto& [name, bytes] : expected) {
        ASSERT_TRUE(shipped.count(name)) << name << " is missing from the sample disk";
        EXPECT_EQ(shipped.at(name), bytes) << name << " differs: run scripts/make-sample-disk";
    }
}

TEST(SampleDisk, HoldsWhatANewUserLearnsFrom) {
    const StudyDisk disk(std::filesystem::path(KESTRUNE_EXAMPLES) / "study-disk");
    const Listing<SeriesRow> series = listSeriesCatalogue(disk);
    ASSERT_FALSE(series.failure);
    ASSERT_EQ(series.rows.size(), 2u);
    for (const SeriesRow& row : series.rows) EXPECT_FALSE(row.comment.empty()) << row.name;
    const TResponseMatrix students = ReadResponseFile(disk.dataPath(TSexGroup::Mix, "色彩の印象", "大学生2026"));
    EXPECT_GE(students.subjects, 20);
    EXPECT_FALSE(FirstUnanswered(students));
    EXPECT_EQ(ReadResponseFile(disk.dataPath(TSexGroup::Female, "色彩の印象", "予備調査")).subjects, 1);
    EXPECT_TRUE(std::filesystem::exists(disk.physicalPath("色彩の印象")));
}
