#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <QPointer>
#include <filesystem>
#include <functional>

#include "analysis/NumberLine.h"
#include "analysis/ScaleValueAggregation.h"
#include "core/Picture.h"
#include "core/StudyDisk.h"
#include "tests/support/widgets/ScriptedPrompter.h"
#include "ui/common/AppContext.h"
#include "ui/figures/NumberLineWindow.h"

namespace kestrune::testing {

// The scale value table of the sample disk's aggregated file, and a way to open the number
// line window on it through the analysis page's entry and drive it while it is shown.
class NumberLineWindowTest : public ::testing::Test {
  protected:
    static ScaleValueTable sampleTable() {
        const StudyDisk disk(std::filesystem::path(KESTRUNE_EXAMPLES) / "study-disk");
        return aggregateScaleValues(disk, TSexGroup::Mix, "色彩の印象", "大学生2026");
    }

    // The same graph drawn straight into a picture of its own.
    static Picture expectedPicture(const ScaleValueTable& table) {
        Picture picture;
        EXPECT_TRUE(drawNumberLine(table.grid, table.pathLabel, picture));
        return picture;
    }

    // Opens the window on the table; `drive` runs while it is shown, then it is closed with
    // "終了". Returns whether a window was shown at all.
    bool openWindow(const ScaleValueTable& table, const std::function<void(NumberLineWindow&)>& drive) {
        bool shown = false;
        prompter.dialogHandlers.push_back([&](QDialog& dialog) {
            shown = true;
            auto& window = dynamic_cast<NumberLineWindow&>(dialog);
            lastWindow = &window;
            window.show();
            drive(window);
            window.closeButton()->click();
            return window.result();
        });
        NumberLineWindow::showNumberLine(context, table.grid, QString::fromStdString(table.pathLabel),
                                         nullptr);
        prompter.dialogHandlers.clear();
        return shown;
    }

    ScriptedPrompter prompter;
    AppContext context{prompter};
    QPointer<NumberLineWindow> lastWindow;
};

}  // namespace kestrune::testing
