#pragma once

#include <QMainWindow>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>

#include "core/Picture.h"

class QAction;
class QLabel;
class QMenu;
class QTabWidget;

namespace kestrune {

struct AppContext;
class AddinMenu;
class AnalysisPage;
class CatalogueReload;
class CorrelationDiagramPage;
class CorrelationMatrixPage;
class DriveBox;
class EndEntryDialog;
class EntryPage;
class PageSetupDialog;
class SeriesActions;
class SeriesPage;
class ShellAboutDialog;

// What the program hands the main window at start.
struct MainWindowOptions {
    std::filesystem::path studyDisk;                  // the first root of the drive box
    std::filesystem::path addinFile;                  // "kestrun2.ini" beside the program
    std::function<void(const QString&)> openCommand;  // the add-in launcher's opener
};

// The main window "Kestrune for Windows95/NT" (TForm1): the drive bar, the five pages, the
// menus, and what it owns for the whole run (the dialogs, the diagram picture, the margins).
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(AppContext& context, MainWindowOptions options, QWidget* parent = nullptr);
    ~MainWindow() override;

    QTabWidget* pages() const { return pages_; }
    SeriesPage* seriesPage() const { return seriesPage_; }
    EntryPage* entryPage() const { return entryPage_; }
    AnalysisPage* analysisPage() const { return analysisPage_; }
    CorrelationMatrixPage* matrixPage() const { return matrixPage_; }
    CorrelationDiagramPage* diagramPage() const { return diagramPage_; }
    DriveBox* driveBox() const { return driveBox_; }
    EndEntryDialog* endEntryDialog() const { return endEntryDialog_; }
    PageSetupDialog* pageSetupDialog() const { return pageSetupDialog_; }
    QMenu* fileMenu() const { return fileMenu_; }
    QMenu* windowMenu() const { return windowMenu_; }
    QMenu* toolsMenu() const { return toolsMenu_; }
    QAction* refreshAction() const { return refreshAction_; }
    QAction* newSeriesAction() const { return newSeriesAction_; }
    QAction* aboutAction() const { return aboutAction_; }
    AddinMenu* addinMenu() const { return addinMenu_; }
    SeriesActions* seriesActions() const { return seriesActions_; }
    Picture& diagramPicture() { return diagramPicture_; }
    // Sort directions of the analysis page's data file list columns, +1 at start.
    std::array<int, 3>& dataFileSortDirections();

    // The size the window opens at: 900 x 640, or what the screen's free area holds of it.
    static QSize defaultSize(const QSize& available);
    // Opens at the default size on the screen the window is on.
    void resizeToDefault();

    void ReloadCatalogue(bool full);
    // F5 and "最新の情報に更新": a full reload, unless an entry is in progress.
    void refresh();
    // "新規作成(&N)" and "新しいシリーズの作成": the wizard, unless an entry is in progress.
    void addSeries();
    // The window menu: shows a page whose tab is visible.
    void showPageIfVisible(int tab);
    void showAbout();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void FormCreate(const MainWindowOptions& options);
    void buildMenus();
    QWidget* buildDriveBar(const std::filesystem::path& studyDisk);
    void changeRoot(const std::filesystem::path& root);
    void lockForEntry(bool locked);
    void renameSeries(const QString& oldName, const QString& newName);
    bool entryInProgress() const;

    AppContext& context_;
    EndEntryDialog* endEntryDialog_;
    PageSetupDialog* pageSetupDialog_;
    QTabWidget* pages_ = nullptr;
    SeriesPage* seriesPage_ = nullptr;
    EntryPage* entryPage_ = nullptr;
    AnalysisPage* analysisPage_ = nullptr;
    CorrelationMatrixPage* matrixPage_ = nullptr;
    CorrelationDiagramPage* diagramPage_ = nullptr;
    DriveBox* driveBox_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QMenu* toolsMenu_ = nullptr;
    QMenu* windowPopup_ = nullptr;
    QAction* refreshAction_ = nullptr;
    QAction* newSeriesAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
    AddinMenu* addinMenu_ = nullptr;
    SeriesActions* seriesActions_ = nullptr;
    ShellAboutDialog* aboutBox_ = nullptr;
    std::unique_ptr<CatalogueReload> catalogue_;
    bool diskChangedDuringEntry_ = false;
    Picture diagramPicture_{1000, 1000};
};

}  // namespace kestrune
