#include "ui/analysis/AnalysisPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "analysis/AnalysisGrids.h"
#include "core/Error.h"
#include "core/Listings.h"
#include "ui/analysis/CsvTransfer.h"
#include "ui/analysis/DataFileList.h"
#include "ui/analysis/DataFileOperations.h"
#include "ui/analysis/IndividualSubPage.h"
#include "ui/analysis/JoinSubPage.h"
#include "ui/analysis/ScaleValueSubPage.h"
#include "ui/analysis/StatisticsSubPage.h"
#include "ui/common/AppContext.h"
#include "ui/common/HintedButton.h"
#include "ui/common/Prompter.h"
#include "ui/common/SexGroupChooser.h"

namespace kestrune {

AnalysisPage::AnalysisPage(AppContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      seriesChooser_(new QComboBox(this)),
      sexGroupChooser_(new SexGroupChooser(this)),
      dataFileList_(new DataFileList(this)),
      joinButton_(makeHintedButton(QStringLiteral("データの結合"),
                                   QStringLiteral("選択されたファイルを結合リストに加えます。"), this)),
      individualButton_(
          makeHintedButton(QStringLiteral("個人のデータ"),
                           QStringLiteral("選択されたファイルの各被験者の回答結果を閲覧します。"), this)),
      aggregateButton_(makeHintedButton(QStringLiteral("データ集計"),
                                        QStringLiteral("データを集計し、平均や標準偏差を計算します。"),
                                        this)),
      statisticsButton_(makeHintedButton(
          QStringLiteral("詳細分析"),
          QStringLiteral("被験者の一致性、被験者間の一意性、尺度モデルと順序効果を調べます。"), this)),
      subPages_(new QTabWidget(this)),
      joinSubPage_(new JoinSubPage(context, subPages_)),
      individualSubPage_(new IndividualSubPage(context, subPages_)),
      scaleValueSubPage_(new ScaleValueSubPage(context, subPages_)),
      statisticsImageTabs_(new QTabBar),
      statisticsSubPage_(new StatisticsSubPage(context)) {
    seriesChooser_->setObjectName(QStringLiteral("analysisSeriesChooser"));
    seriesChooser_->setAccessibleName(QStringLiteral("シリーズ名"));
    sexGroupChooser_->setAccessibleName(QStringLiteral("性別"));

    subPages_->setObjectName(QStringLiteral("analysisSubPages"));
    subPages_->addTab(joinSubPage_, QStringLiteral("データの結合"));
    subPages_->addTab(individualSubPage_, QStringLiteral("個人データ"));
    subPages_->addTab(scaleValueSubPage_, QStringLiteral("データ集計"));
    subPages_->addTab(new QWidget, QString());
    // The statistics of one image at a time, through tabs of the series' image words.
    auto* statistics = new QWidget;
    auto* statisticsLayout = new QVBoxLayout(statistics);
    statisticsLayout->setContentsMargins(0, 0, 0, 0);
    statisticsImageTabs_->setAccessibleName(QStringLiteral("イメージ"));
    statisticsImageTabs_->setExpanding(false);
    statisticsImageTabs_->setUsesScrollButtons(true);
    statisticsLayout->addWidget(statisticsImageTabs_);
    statisticsLayout->addWidget(statisticsSubPage_, 1);
    subPages_->addTab(statistics, QStringLiteral("詳細分析"));
    // The buttons switch the sub-pages; their hidden tabs (the notebook's focus proxy) never
    // take the focus, or Tab would stop on a control nobody sees.
    subPages_->tabBar()->hide();
    subPages_->tabBar()->setFocusPolicy(Qt::NoFocus);
    subPages_->setFocusPolicy(Qt::NoFocus);
    showSubPage(EmptySubPage);

    auto* choosers = new QGridLayout;
    auto* seriesLabel = new QLabel(QStringLiteral("シリーズ名"), this);
    seriesLabel->setBuddy(seriesChooser_);
    auto* groupLabel = new QLabel(QStringLiteral("性別"), this);
    groupLabel->setBuddy(sexGroupChooser_);
    choosers->addWidget(seriesLabel, 0, 0);
    choosers->addWidget(seriesChooser_, 0, 1);
    choosers->addWidget(groupLabel, 1, 0);
    choosers->addWidget(sexGroupChooser_, 1, 1);
    choosers->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {joinButton_, individualButton_, aggregateButton_, statisticsButton_})
        buttons->addWidget(button);

    auto* left = new QVBoxLayout;
    left->addLayout(choosers);
    left->addWidget(dataFileList_, 1);
    left->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(subPages_, 1);

    connect(sexGroupChooser_, &QComboBox::currentIndexChanged, this, [this] {
        clearResults();
        guarded([this] { refillDataFiles(); });
    });
    connect(joinButton_, &QPushButton::clicked, this, &AnalysisPage::joinFiles);
    connect(individualButton_, &QPushButton::clicked, this, &AnalysisPage::viewIndividual);
    connect(aggregateButton_, &QPushButton::clicked, this, &AnalysisPage::aggregate);
    connect(statisticsButton_, &QPushButton::clicked, this, &AnalysisPage::showStatistics);
    connect(statisticsImageTabs_, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0)
            statisticsSubPage_->showImage(index);
    });
    connect(dataFileList_, &DataFileList::joinRequested, this, &AnalysisPage::joinFiles);
    connect(dataFileList_, &DataFileList::individualRequested, this, &AnalysisPage::viewIndividual);
    connect(dataFileList_, &DataFileList::aggregateRequested, this, &AnalysisPage::aggregate);
    connect(dataFileList_, &DataFileList::renameRequested, this, &AnalysisPage::renameFile);
    connect(dataFileList_, &DataFileList::deleteRequested, this, &AnalysisPage::deleteFiles);
    connect(dataFileList_, &DataFileList::moveRequested, this, &AnalysisPage::moveFiles);
    connect(dataFileList_, &DataFileList::csvExportRequested, this, [this] {
        if (const std::vector<std::string> names = dataFileList_->selectedNames(); !names.empty())
            exportDataFileAsCsv(context_.prompter, context_.disk, sexGroupChooser_->group(), chosenSeries(),
                                names.front());
    });
    connect(dataFileList_, &DataFileList::csvImportRequested, this, [this] {
        if (!chosenSeries().empty() && importDataFileFromCsv(context_.prompter, context_.disk,
                                                             sexGroupChooser_->group(), chosenSeries()))
            afterFilesChanged();
    });
    connect(dataFileList_, &DataFileList::menuAboutToShow, this,
            [this] { dataFileList_->updateMenu(sexGroupChooser_->group()); });
    connect(joinSubPage_, &JoinSubPage::merged, this, &AnalysisPage::afterFilesChanged);
    connect(statisticsSubPage_, &StatisticsSubPage::fileWritten, this, [this](const QString& name) {
        relist({name.toStdString()});
        emit dataFilesChanged();
    });
}

void AnalysisPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    relist(dataFileList_->selectedNames());
}

void AnalysisPage::relist(const std::vector<std::string>& select) {
    const std::string series = chosenSeries();
    if (series.empty())
        return;
    // Read quietly: a listing that fails is told when the series or group is chosen.
    const Listing<DataFileRow> listing = listDataFiles(context_.disk, sexGroupChooser_->group(), series);
    dataFileList_->fill(listing.rows);
    if (listing.rows.empty())
        clearResults();
    for (int i = 0; i < dataFileList_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = dataFileList_->topLevelItem(i);
        const std::string name = item->text(0).toStdString();
        if (std::find(select.begin(), select.end(), name) != select.end()) {
            item->setSelected(true);
            dataFileList_->setCurrentItem(item, 0, QItemSelectionModel::Select);
        }
    }
}

void AnalysisPage::clearResults() {
    individualSubPage_->clear();
    scaleValueSubPage_->clear();
    statisticsSubPage_->clear();
}

void AnalysisPage::showSubPage(SubPage page) {
    subPages_->setCurrentIndex(page);
}

void AnalysisPage::setDataFileColumnWidths() {
    dataFileList_->setColumnWidths();
}

std::string AnalysisPage::chosenSeries() const {
    return seriesChooser_->currentText().toStdString();
}

void AnalysisPage::guarded(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const UserError& error) {
        showError(context_.prompter, error);
    }
}

void AnalysisPage::setUpPage() {
    guarded([this] {
        joinSubPage_->clear();
        const std::string series = chosenSeries();
        const AnalysisPageLabels labels =
            series.empty() ? AnalysisPageLabels{} : readAnalysisPageLabels(context_.disk, series);
        scaleValueSubPage_->setUp(labels);
        scaleValueSubPage_->setSeriesName(series);
        individualSubPage_->setUp(labels);
        statisticsSubPage_->clear();
        {
            const QSignalBlocker quiet(statisticsImageTabs_);
            while (statisticsImageTabs_->count() > 0)
                statisticsImageTabs_->removeTab(0);
            for (const std::string& word : labels.imageWords)
                statisticsImageTabs_->addTab(QString::fromStdString(word));
        }
        // Start where the data is: a group without a file of the series gives way to one with.
        sexGroupChooser_->chooseGroupWithData(context_.disk, series);
        refillDataFiles();
    });
}

void AnalysisPage::refillDataFiles() {
    dataFileList_->clear();
    const std::string series = chosenSeries();
    if (series.empty())
        return;
    const Listing<DataFileRow> listing = listDataFiles(context_.disk, sexGroupChooser_->group(), series);
    dataFileList_->fill(listing.rows);
    if (listing.rows.empty())
        clearResults();
    if (listing.failure)
        throw *listing.failure;
}

void AnalysisPage::joinFiles() {
    showSubPage(JoinSubPageIndex);
    const std::vector<std::string> names = dataFileList_->selectedNames();
    if (names.empty())
        return;
    std::vector<JoinEntry> chosen;
    for (const std::string& name : names)
        chosen.push_back({sexGroupChooser_->group(), chosenSeries(), name});
    joinSubPage_->add(chosen);
}

void AnalysisPage::viewIndividual() {
    showSubPage(IndividualSubPageIndex);
    const std::vector<std::string> names = dataFileList_->selectedNames();
    if (names.empty())
        return;
    guarded([&] { individualSubPage_->view(sexGroupChooser_->group(), chosenSeries(), names.front()); });
}

void AnalysisPage::aggregate() {
    showSubPage(ScaleValueSubPageIndex);
    const std::vector<std::string> names = dataFileList_->selectedNames();
    if (names.empty())
        return;
    guarded([&] { scaleValueSubPage_->aggregate(sexGroupChooser_->group(), chosenSeries(), names.front()); });
}

void AnalysisPage::showStatistics() {
    showSubPage(StatisticsSubPageIndex);
    const std::vector<std::string> names = dataFileList_->selectedNames();
    if (names.empty())
        return;
    statisticsSubPage_->showFile(context_.disk, sexGroupChooser_->group(), chosenSeries(), names.front());
    statisticsSubPage_->showImage(std::max(statisticsImageTabs_->currentIndex(), 0));
}

void AnalysisPage::renameFile(const QString& oldName, const QString& newName) {
    if (newName == oldName)
        return;
    if (!renameDataFile(context_.disk, sexGroupChooser_->group(), chosenSeries(), oldName.toStdString(),
                        newName.toStdString())) {
        context_.prompter.ask({QStringLiteral("ファイル名が変更できませんでした。"), QStringLiteral("エラー"),
                               PromptButtons::Ok, PromptIcon::Error});
    }
    clearResults();
    afterFilesChanged();
}

void AnalysisPage::deleteFiles() {
    const std::vector<std::string> names = dataFileList_->selectedNames();
    if (names.empty())
        return;
    const PromptAnswer answer = context_.prompter.ask(
        {QStringLiteral("選択した%1個のデータファイルをごみ箱に移動しますか?").arg(names.size()),
         QStringLiteral("データファイルの削除"), PromptButtons::YesNo, PromptIcon::Question});
    if (answer != PromptAnswer::Yes ||
        !trashDataFiles(context_.disk, sexGroupChooser_->group(), chosenSeries(), names)) {
        context_.prompter.ask({QStringLiteral("削除できませんでした。"), QStringLiteral("Error"),
                               PromptButtons::Ok, PromptIcon::None});
        return;
    }
    clearResults();
    afterFilesChanged();
}

void AnalysisPage::moveFiles(TSexGroup target) {
    const std::vector<std::string> names = dataFileList_->selectedNames();
    if (names.empty() || target == sexGroupChooser_->group())
        return;
    if (!moveDataFiles(context_.disk, sexGroupChooser_->group(), target, chosenSeries(), names)) {
        context_.prompter.ask({QStringLiteral("移動できませんでした。"), QStringLiteral("Error"),
                               PromptButtons::Ok, PromptIcon::None});
        return;
    }
    clearResults();
    afterFilesChanged();
}

void AnalysisPage::afterFilesChanged() {
    guarded([this] { refillDataFiles(); });
    emit dataFilesChanged();
}

}  // namespace kestrune
