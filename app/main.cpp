#include <QApplication>
#include <QDir>
#include <QIcon>

#include "core/StudyDisk.h"
#include "output/office/OfficeLauncher.h"
#include "ui/common/AppContext.h"
#include "ui/common/Prompter.h"
#include "ui/common/StartFolderPrompter.h"
#include "ui/shell/AddinMenu.h"
#include "ui/shell/ApplicationSetup.h"
#include "ui/shell/MainWindow.h"

// kestrune [STUDY_DISK]: opens the main window on a study disk (the current directory when
// none is given).
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    kestrune::setUpApplication();
    // Workbooks and documents handed to the office suite in earlier sessions: it has long read them.
    kestrune::office::sweepOldHandOverFiles();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/kestrune/kestrune.svg")));

    const QStringList arguments = QApplication::arguments();
    const QString disk = arguments.size() > 1 ? QDir(arguments.at(1)).absolutePath() : QDir::currentPath();

    kestrune::WidgetPrompter dialogs;
    kestrune::AppContext* shared = nullptr;
    kestrune::StartFolderPrompter prompter(dialogs, [&shared] {
        return shared == nullptr ? QString()
                                 : QString::fromStdString(kestrune::pathToUtf8(shared->disk.root()));
    });
    kestrune::AppContext context(prompter);
    shared = &context;
    kestrune::MainWindowOptions options;
    options.studyDisk = kestrune::pathFromUtf8(QDir::cleanPath(disk).toStdString());
    options.addinFile = kestrune::pathFromUtf8(
        QDir(QApplication::applicationDirPath()).filePath(QStringLiteral("kestrun2.ini")).toStdString());
    options.openCommand = kestrune::AddinMenu::openWithDesktop;

    kestrune::MainWindow window(context, options);
    dialogs.setParent(&window);
    window.resizeToDefault();
    window.show();
    return QApplication::exec();
}
