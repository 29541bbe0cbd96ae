#include "ui/shell/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/analysis/AnalysisPage.h"
#include "ui/analysis/DataFileList.h"
#include "ui/common/AppContext.h"
#include "ui/common/Prompter.h"
#include "ui/correlation/CorrelationDiagramPage.h"
#include "ui/correlation/CorrelationMatrixPage.h"
#include "ui/correlation/PhysicalQuantityEditing.h"
#include "ui/entry/EndEntryDialog.h"
#include "ui/entry/EntryPage.h"
#include "ui/figures/PageSetupDialog.h"
#include "ui/series/SeriesActions.h"
#include "ui/series/SeriesPage.h"
#include "ui/shell/AddinMenu.h"
#include "ui/shell/CatalogueReload.h"
#include "ui/shell/DriveBox.h"
#include "ui/shell/ShellAboutDialog.h"

namespace kestrune {

MainWindow::MainWindow(AppContext& context, MainWindowOptions options, QWidget* parent)
    : QMainWindow(parent), context_(context) {
    setWindowTitle(applicationTitle());
    // The two dialogs that live for the whole run, in start-up order.
    endEntryDialog_ = new EndEntryDialog(this);
    pageSetupDialog_ = new PageSetupDialog(this);

    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl1"));
    seriesPage_ = new SeriesPage(context_, pages_);
    entryPage_ = new EntryPage(context_, *endEntryDialog_, pages_);
    analysisPage_ = new AnalysisPage(context_, pages_);
    matrixPage_ = new CorrelationMatrixPage(context_, pages_);
    diagramPage_ = new CorrelationDiagramPage(context_, diagramPicture_, *pageSetupDialog_, pages_);
    pages_->addTab(seriesPage_, QStringLiteral("シリーズ設定"));
    pages_->addTab(entryPage_, QStringLiteral("データ入力/修正"));
    pages_->addTab(analysisPage_, QStringLiteral("データ集計/出力"));
    pages_->addTab(matrixPage_, QStringLiteral("相関マトリックス"));
    pages_->addTab(diagramPage_, QStringLiteral("相関図"));

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(buildDriveBar(options.studyDisk));
    layout->addWidget(pages_, 1);
    // On a small screen (1024 x 600 with a desktop panel) the pages scroll rather than being
    // cut off: the window's own minimum is only what the scroll area needs.
    auto* scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("pageScroller"));
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);
    scroller->setWidget(central);
    setCentralWidget(scroller);

    catalogue_ = std::make_unique<CatalogueReload>(
        context_, *pages_, *seriesPage_, *entryPage_, *analysisPage_,
        CatalogueReload::Pages{entryPage_, analysisPage_, matrixPage_, diagramPage_});
    seriesActions_ = new SeriesActions(
        context_, [this](bool full) { ReloadCatalogue(full); }, this);
    aboutBox_ = new ShellAboutDialog(this);
    aboutBox_->AppName = applicationTitle();
    aboutBox_->Creator = QStringLiteral(KESTRUNE_CREATOR);
    aboutBox_->DateStr = QStringLiteral(KESTRUNE_BUILD_DATE);
    aboutBox_->Comment = QStringLiteral(KESTRUNE_BUILD_COMMENT);

    connect(seriesPage_, &SeriesPage::addSeriesRequested, this, &MainWindow::addSeries);
    connect(seriesPage_, &SeriesPage::deleteSeriesRequested, seriesActions_, &SeriesActions::deleteSeries);
    connect(seriesPage_, &SeriesPage::renameSeriesRequested, this, &MainWindow::renameSeries);
    for (CataloguePage* page :
         std::initializer_list<CataloguePage*>{entryPage_, analysisPage_, matrixPage_, diagramPage_}) {
        connect(page->seriesChooser(), &QComboBox::currentIndexChanged, this,
                [this] { catalogue_->runPageSetUps(); });
    }
    connect(entryPage_, &EntryPage::lockChanged, this, &MainWindow::lockForEntry);
    connect(entryPage_, &EntryPage::dataFileCollected, this, [this] { catalogue_->runPageSetUps(); });
    connect(analysisPage_, &AnalysisPage::dataFilesChanged, entryPage_, &EntryPage::refreshDataFiles);
    connect(matrixPage_, &CorrelationMatrixPage::editQuantitiesRequested, this,
            [this](const QString& series) {
                if (editPhysicalQuantities(context_, series.toStdString(), this))
                    matrixPage_->setUpPage();
            });
    connect(diagramPage_, &CorrelationDiagramPage::editQuantitiesRequested, this,
            [this](const QString& series) {
                if (editPhysicalQuantities(context_, series.toStdString(), this))
                    diagramPage_->setUpPage();
            });
    // A disk that no longer takes the entry's file: the drive box may point at another one.
    connect(entryPage_, &EntryPage::studyDiskUnwritable, this, [this] { driveBox_->setEnabled(true); });
    connect(driveBox_, &DriveBox::rootChosen, this, &MainWindow::changeRoot);

    buildMenus();
    FormCreate(options);
    // The drive box's first selection loads the catalogue.
    context_.disk.setRoot(driveBox_->root());
    ReloadCatalogue(true);
}

MainWindow::~MainWindow() = default;

QSize MainWindow::defaultSize(const QSize& available) {
    const QSize preferred(900, 640);
    return available.isEmpty() ? preferred : preferred.boundedTo(available);
}

void MainWindow::resizeToDefault() {
    const QScreen* shown = screen();
    // The frame and title bar take their part of the free area too (guessed before the first show).
    QSize frame = frameGeometry().size() - geometry().size();
    if (frame.isEmpty())
        frame = QSize(16, 40);
    resize(defaultSize(shown == nullptr ? QSize() : shown->availableSize() - frame));
}

QWidget* MainWindow::buildDriveBar(const std::filesystem::path& studyDisk) {
    auto* bar = new QWidget(this);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    driveBox_ = new DriveBox(studyDisk, context_.prompter, bar);
    driveBox_->setMinimumWidth(240);
    layout->addWidget(new QLabel(QStringLiteral("ドライブ名"), bar));
    layout->addWidget(driveBox_);
    layout->addSpacing(16);
    layout->addWidget(
        new QLabel(QStringLiteral("ディスクを取り替えたときはF5キーを押して更新してください"), bar));
    layout->addStretch();
    return bar;
}

void MainWindow::buildMenus() {
    fileMenu_ = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    connect(fileMenu_->addAction(QStringLiteral("ドライブの選択(&D)")), &QAction::triggered, this,
            [this] { driveBox_->setFocus(); });
    newSeriesAction_ = fileMenu_->addAction(QStringLiteral("新規作成(&N)"));
    connect(newSeriesAction_, &QAction::triggered, this, &MainWindow::addSeries);
    connect(fileMenu_->addAction(QStringLiteral("終了(&X)")), &QAction::triggered, this, &QWidget::close);

    windowMenu_ = menuBar()->addMenu(QStringLiteral("ウィンドウ(&W)"));
    const QString pageItems[] = {QStringLiteral("シリーズ設定(&S)"), QStringLiteral("データ入力(&I)"),
                                 QStringLiteral("データ出力(&O)"), QStringLiteral("相関マトリックス(&M)"),
                                 QStringLiteral("相関図(&F)")};
    for (int tab = 0; tab < 5; ++tab) {
        connect(windowMenu_->addAction(pageItems[tab]), &QAction::triggered, this,
                [this, tab] { showPageIfVisible(tab); });
    }

    toolsMenu_ = menuBar()->addMenu(QStringLiteral("ツール(&T)"));
    toolsMenu_->addSeparator();
    aboutAction_ = toolsMenu_->addAction(QStringLiteral("バージョン情報(&V)"));
    connect(aboutAction_, &QAction::triggered, this, &MainWindow::showAbout);

    // The refresh lives in a popup that is never shown; its F5 works on the whole window.
    windowPopup_ = new QMenu(this);
    refreshAction_ = windowPopup_->addAction(QStringLiteral("最新の情報に更新"));
    refreshAction_->setShortcut(Qt::Key_F5);
    refreshAction_->setShortcutContext(Qt::WindowShortcut);
    addAction(refreshAction_);
    connect(refreshAction_, &QAction::triggered, this, &MainWindow::refresh);
}

void MainWindow::FormCreate(const MainWindowOptions& options) {
    // 1. The add-in menu.
    addinMenu_ = new AddinMenu(
        *toolsMenu_,
        options.openCommand ? options.openCommand : AddinMenu::Opener(AddinMenu::openWithDesktop), this);
    addinMenu_->load(options.addinFile);
    // 2. Column widths.
    seriesPage_->clearSeries();
    seriesPage_->setColumnWidths();
    entryPage_->setDataFileColumnWidths();
    analysisPage_->setDataFileColumnWidths();
    // 3. The series page; the analysis page's empty sub-page.
    pages_->setCurrentIndex(CatalogueReload::SeriesTab);
    analysisPage_->showSubPage(AnalysisPage::EmptySubPage);
    // 4. The first group of every correlation area and the first plot shape.
    matrixPage_->selectFirstChoices();
    diagramPage_->selectFirstChoices();
    // 5. The correlation matrix's first column twice the default width.
    matrixPage_->setFirstColumnWidth();
    // 7. What the window owns for the run.
    diagramPicture_.clear();
    context_.figureMargins = FigureMargins{};
    dataFileSortDirections() = {1, 1, 1};
}

std::array<int, 3>& MainWindow::dataFileSortDirections() {
    return analysisPage_->dataFileList()->sortDirections();
}

bool MainWindow::entryInProgress() const {
    return entryPage_->entryInProgress();
}

void MainWindow::ReloadCatalogue(bool full) {
    catalogue_->ReloadCatalogue(full);
}

void MainWindow::refresh() {
    if (entryInProgress())
        return;
    ReloadCatalogue(true);
}

void MainWindow::changeRoot(const std::filesystem::path& root) {
    if (entryInProgress()) {
        // Only after a failed write is the drive box open during an entry: the entry moves to
        // the new disk with its answers, and the catalogue is reloaded when it ends.
        context_.disk.setRoot(root);
        diskChangedDuringEntry_ = true;
        driveBox_->setEnabled(false);
        entryPage_->studyDiskChanged();
        return;
    }
    context_.disk.setRoot(root);
    ReloadCatalogue(true);
}

void MainWindow::addSeries() {
    // The reload after the wizard would show every tab and set the pages up mid-entry.
    if (entryInProgress())
        return;
    seriesActions_->addSeries(driveBox_->currentText(), this);
}

void MainWindow::renameSeries(const QString& oldName, const QString& newName) {
    if (entryInProgress())
        return;
    if (!seriesActions_->renameSeries(oldName, newName))
        return;
    seriesPage_->showRenamed(oldName, newName);
    ReloadCatalogue(false);
}

void MainWindow::showPageIfVisible(int tab) {
    if (pages_->isTabVisible(tab))
        pages_->setCurrentIndex(tab);
}

void MainWindow::showAbout() {
    aboutBox_->Execute(context_.prompter, this);
}

void MainWindow::lockForEntry(bool locked) {
    catalogue_->showEntryOnly(locked);
    driveBox_->setEnabled(!locked);
    // The end of an entry run sets every page up again; on a disk changed meanwhile the
    // choosers are rebuilt first.
    if (!locked && diskChangedDuringEntry_) {
        diskChangedDuringEntry_ = false;
        ReloadCatalogue(true);
    } else if (!locked) {
        catalogue_->runPageSetUps();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!entryPage_->canClose()) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace kestrune
