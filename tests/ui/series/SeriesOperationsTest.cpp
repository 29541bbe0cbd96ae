#include <gtest/gtest.h>

#include <QStandardPaths>

#include "tests/support/TempDisk.h"
#include "ui/series/SeriesFileOperations.h"

namespace kestrune::testing {
namespace {

namespace fs = std::filesystem;

class SeriesOperationsTest : public ::testing::Test {
  protected:
    void makeFullSeries(const std::string& name) {
        disk.makeSeries(name, 3, {"w"});
        disk.writeBytes("male/" + name + "/run.dat", "data");
        disk.writeBytes("physical/" + name + "/" + name + ".phy", "quantities");
    }
    bool exists(const std::string& relative) const { return fs::exists(disk.path(relative)); }

    TempDisk disk;
};

TEST_F(SeriesOperationsTest, TheSixPlacesOfASeries) {
    const std::vector<fs::path> places = seriesPlaces(disk.disk(), "s");
    const std::vector<fs::path> expected = {disk.path("male/s"),      disk.path("female/s"),
                                            disk.path("mix/s"),       disk.path("order/s.ord"),
                                            disk.path("paper/s.pap"), disk.path("physical/s")};
    EXPECT_EQ(places, expected);
}

TEST_F(SeriesOperationsTest, RenameMovesAllPlacesAndTheQuantityFile) {
    makeFullSeries("old");
    EXPECT_EQ(renameSeriesOnDisk(disk.disk(), "old", "new"), 0);
    for (const char* place : {"male/new/run.dat", "female/new", "mix/new", "order/new.ord", "paper/new.pap",
                              "physical/new/new.phy"}) {
        EXPECT_TRUE(exists(place)) << place;
    }
    for (const char* place : {"male/old", "order/old.ord", "physical/new/old.phy"})
        EXPECT_FALSE(exists(place)) << place;
}

TEST_F(SeriesOperationsTest, RenameWithoutAQuantityFileTakesSixSteps) {
    disk.makeSeries("old", 3, {"w"});
    EXPECT_EQ(renameSeriesOnDisk(disk.disk(), "old", "new"), 0);
    EXPECT_TRUE(exists("physical/new"));
    EXPECT_TRUE(fs::is_empty(disk.path("physical/new")));
}

TEST_F(SeriesOperationsTest, AMissingOrderFileTakesTheGroupDirectoriesBack) {
    makeFullSeries("old");
    fs::remove(disk.path("order/old.ord"));
    EXPECT_EQ(renameSeriesOnDisk(disk.disk(), "old", "new"), 4);
    for (const char* place :
         {"male/old/run.dat", "female/old", "mix/old", "paper/old.pap", "physical/old/old.phy"}) {
        EXPECT_TRUE(exists(place)) << place;
    }
    for (const char* place : {"male/new", "female/new", "mix/new"})
        EXPECT_FALSE(exists(place)) << place;
}

TEST_F(SeriesOperationsTest, AnExistingTargetFailsItsStepAndNothingIsReplaced) {
    makeFullSeries("old");
    disk.writeBytes("paper/new.pap", "someone else's words");
    EXPECT_EQ(renameSeriesOnDisk(disk.disk(), "old", "new"), 5);
    EXPECT_EQ(readBytes(disk.path("paper/new.pap")), "someone else's words");
    for (const char* place : {"male/old/run.dat", "order/old.ord", "paper/old.pap", "physical/old/old.phy"}) {
        EXPECT_TRUE(exists(place)) << place;
    }
    EXPECT_FALSE(exists("order/new.ord"));
}

TEST_F(SeriesOperationsTest, AFailingQuantityFileRenameUndoesTheSixSteps) {
    makeFullSeries("old");
    disk.writeBytes("physical/old/new.phy", "in the way");
    EXPECT_EQ(renameSeriesOnDisk(disk.disk(), "old", "new"), 7);
    EXPECT_TRUE(exists("physical/old/old.phy"));
    EXPECT_TRUE(exists("order/old.ord"));
    EXPECT_FALSE(exists("physical/new"));
}

TEST_F(SeriesOperationsTest, ANameThatIsNoPlainFileNameRenamesNothing) {
    makeFullSeries("old");
    disk.makeDirectory("male/x");
    EXPECT_EQ(renameSeriesOnDisk(disk.disk(), "old", "x/y"), 1);
    EXPECT_EQ(renameSeriesOnDisk(disk.disk(), "old", ".."), 1);
    EXPECT_TRUE(exists("male/old/run.dat"));
    EXPECT_FALSE(exists("male/x/y"));
    EXPECT_FALSE(isPlainFileName(""));
    EXPECT_TRUE(isPlainFileName("色彩 2"));
}

TEST_F(SeriesOperationsTest, RenameWithoutReplacingRefusesAnExistingTarget) {
    disk.writeBytes("a", "A");
    disk.writeBytes("b", "B");
    EXPECT_FALSE(renameWithoutReplacing(disk.path("a"), disk.path("b")));
    EXPECT_EQ(readBytes(disk.path("b")), "B");
    EXPECT_TRUE(renameWithoutReplacing(disk.path("a"), disk.path("c")));
    EXPECT_EQ(readBytes(disk.path("c")), "A");
    EXPECT_FALSE(renameWithoutReplacing(disk.path("missing"), disk.path("d")));
}

TEST_F(SeriesOperationsTest, DeleteMovesEveryPlaceToTheTrash) {
    makeFullSeries("s");
    makeFullSeries("t");
    ASSERT_TRUE(moveSeriesToTrash(disk.disk(), "s"));
    for (const fs::path& place : seriesPlaces(disk.disk(), "s"))
        EXPECT_FALSE(fs::exists(place)) << place;
    EXPECT_TRUE(exists("order/t.ord"));
    const fs::path trash =
        fs::path(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString()) /
        "Trash";
    EXPECT_TRUE(fs::exists(trash / "files" / "s.ord"));
    EXPECT_TRUE(fs::exists(trash / "info" / "s.ord.trashinfo"));
    EXPECT_FALSE(exists("files"));
}

TEST_F(SeriesOperationsTest, APlaceThatCannotBeTrashedPutsTheOthersBack) {
    makeFullSeries("s");
    const fs::path info =
        fs::path(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString()) /
        "Trash" / "info";
    auto records = [&info] {
        std::error_code error;
        if (!fs::exists(info, error))
            return 0L;
        return static_cast<long>(std::distance(fs::directory_iterator(info), fs::directory_iterator()));
    };
    const long recordsBefore = records();
    int calls = 0;
    const TrashMover failOnTheOrderFile = [&calls](const fs::path& place) -> std::optional<fs::path> {
        ++calls;
        if (place.extension() == ".ord")
            return std::nullopt;
        return moveToDesktopTrash(place);
    };
    EXPECT_FALSE(moveSeriesToTrash(disk.disk(), "s", failOnTheOrderFile));
    EXPECT_EQ(calls, 4);
    for (const fs::path& place : seriesPlaces(disk.disk(), "s"))
        EXPECT_TRUE(fs::exists(place)) << place;
    EXPECT_EQ(readBytes(disk.path("male/s/run.dat")), "data");
    EXPECT_EQ(records(), recordsBefore);
}

TEST_F(SeriesOperationsTest, MissingPlacesArePassedOver) {
    disk.makeSeries("s", 3, {"w"});
    fs::remove(disk.path("physical/s"));
    fs::remove(disk.path("mix/s"));
    EXPECT_TRUE(moveSeriesToTrash(disk.disk(), "s"));
    EXPECT_FALSE(exists("order/s.ord"));
}

}  // namespace
}  // namespace kestrune::testing
