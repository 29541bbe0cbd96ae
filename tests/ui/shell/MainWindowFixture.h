#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QStringList>
#include <memory>

#include "tests/support/TempDisk.h"
#include "tests/support/widgets/ScriptedPrompter.h"
#include "ui/common/AppContext.h"
#include "ui/shell/MainWindow.h"

namespace kestrune::testing {

// A main window on a temporary study disk, with scripted prompts and a recording launcher.
class MainWindowTest : public ::testing::Test {
  protected:
    void openWindow(std::filesystem::path addinFile = {}) {
        MainWindowOptions options;
        options.studyDisk = disk.root();
        options.addinFile = std::move(addinFile);
        options.openCommand = [this](const QString& command) { opened << command; };
        window = std::make_unique<MainWindow>(context, options);
    }

    static QStringList items(QComboBox* chooser) {
        QStringList result;
        for (int i = 0; i < chooser->count(); ++i)
            result << chooser->itemText(i);
        return result;
    }

    TempDisk disk;
    ScriptedPrompter prompter;
    AppContext context{prompter};
    QStringList opened;
    std::unique_ptr<MainWindow> window;
};

}  // namespace kestrune::testing
