#include "ui/series/SeriesPage.h"

#include <QAction>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTreeWidget>

#include "ui/common/AppContext.h"
#include "ui/common/RenameDelegate.h"
#include "ui/common/TabOrder.h"
#include "ui/series/AnswerSheetPrinting.h"
#include "ui/series/TSFileListBox.h"

namespace kestrune {

namespace {
QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}
QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

SeriesPage::SeriesPage(AppContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      seriesList_(new QTreeWidget(this)),
      sexGroupButtons_(new QButtonGroup(this)),
      fileList_(new TSFileListBox(this)),
      createButton_(new QPushButton(QStringLiteral("新しいシリーズの作成"), this)),
      popupMenu_(new QMenu(this)),
      sheetsButton_(new QPushButton(QStringLiteral("調査用紙の印刷"), this)) {
    seriesList_->setObjectName(QStringLiteral("ListView1"));
    seriesList_->setHeaderLabels({QStringLiteral("シリーズ名"), QStringLiteral("パネルの数"),
                                  QStringLiteral("イメージの数"), QStringLiteral("コメント")});
    seriesList_->setRootIsDecorated(false);
    seriesList_->setSelectionMode(QAbstractItemView::SingleSelection);
    seriesList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    seriesList_->setSortingEnabled(true);
    seriesList_->sortByColumn(0, Qt::AscendingOrder);
    seriesList_->setContextMenuPolicy(Qt::CustomContextMenu);
    setColumnWidths();

    auto* delegate = new RenameDelegate(seriesList_);
    seriesList_->setItemDelegateForColumn(0, delegate);
    // Queued, so that the rename and its messages run after the editor has closed.
    connect(delegate, &RenameDelegate::nameEdited, this, &SeriesPage::ListView1Edited, Qt::QueuedConnection);

    addAction_ = popupMenu_->addAction(QStringLiteral("追加"));
    deleteAction_ = popupMenu_->addAction(QStringLiteral("削除"));
    renameAction_ = popupMenu_->addAction(QStringLiteral("シリーズ名の変更"));
    renameAction_->setShortcut(Qt::Key_F2);
    renameAction_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    seriesList_->addAction(renameAction_);
    connect(addAction_, &QAction::triggered, this, &SeriesPage::addSeriesRequested);
    connect(deleteAction_, &QAction::triggered, this, [this] {
        const QString name = selectedSeries();
        if (!name.isEmpty())
            emit deleteSeriesRequested(name);
    });
    connect(renameAction_, &QAction::triggered, this, &SeriesPage::startRename);
    connect(popupMenu_, &QMenu::aboutToShow, this, &SeriesPage::updatePopupActions);
    connect(seriesList_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popupMenu_->popup(seriesList_->viewport()->mapToGlobal(at)); });
    connect(seriesList_, &QTreeWidget::itemSelectionChanged, this, &SeriesPage::updatePopupActions);
    // The files follow the selection however it moves (mouse, arrow keys); a click on the
    // row already selected lists them again.
    connect(seriesList_, &QTreeWidget::itemSelectionChanged, this, &SeriesPage::ListSeriesFiles);
    connect(seriesList_, &QTreeWidget::itemClicked, this, [this] { ListSeriesFiles(); });
    updatePopupActions();

    auto* sexGroupBox = new QGroupBox(QStringLiteral("性別"), this);
    auto* sexGroupLayout = new QHBoxLayout(sexGroupBox);
    for (TSexGroup group : kAllSexGroups) {
        auto* button = new QRadioButton(fromView(sexGroupRadioLabel(group)), sexGroupBox);
        sexGroupButtons_->addButton(button, static_cast<int>(group));
        sexGroupLayout->addWidget(button);
    }
    sexGroupButtons_->button(0)->setChecked(true);
    connect(sexGroupButtons_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            ListSeriesFiles();
    });

    fileList_->setObjectName(QStringLiteral("seriesFileList"));
    fileList_->setToolTip(QStringLiteral("このシリーズに含まれるファイルの一覧です。"));
    createButton_->setObjectName(QStringLiteral("createSeriesButton"));
    createButton_->setToolTip(QStringLiteral("新しいシリーズの設定に必要なファイルを作成します。"));
    connect(createButton_, &QPushButton::clicked, this, &SeriesPage::addSeriesRequested);

    sheetsButton_->setObjectName(QStringLiteral("answerSheetsButton"));
    sheetsButton_->setToolTip(QStringLiteral("選択したシリーズの調査用紙を印刷します。"));
    connect(sheetsButton_, &QPushButton::clicked, this, &SeriesPage::printAnswerSheets);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(createButton_);
    buttonRow->addWidget(sheetsButton_);
    buttonRow->addStretch();

    auto* layout = new QGridLayout(this);
    layout->addWidget(seriesList_, 0, 0, 2, 1);
    layout->addWidget(sexGroupBox, 0, 1);
    layout->addWidget(fileList_, 1, 1);
    layout->addLayout(buttonRow, 2, 0);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 1);
    // The left column, then the right one.
    const QList<QAbstractButton*> groups = sexGroupButtons_->buttons();
    setTabOrderAsShown(
        {seriesList_, createButton_, sheetsButton_, groups[0], groups[1], groups[2], fileList_});
}

void SeriesPage::clearSeries() {
    seriesList_->clear();
}

void SeriesPage::setColumnWidths() {
    seriesList_->setColumnWidth(0, 200);
    seriesList_->setColumnWidth(1, 80);
    seriesList_->setColumnWidth(2, 80);
    seriesList_->setColumnWidth(3, 100);
}

void SeriesPage::addSeriesRow(const SeriesRow& row) {
    auto* item = new QTreeWidgetItem({fromUtf8(row.name), fromUtf8(row.panelCountText),
                                      fromUtf8(row.imageCountText), fromUtf8(row.comment)});
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    item->setIcon(0, style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    seriesList_->addTopLevelItem(item);
}

QStringList SeriesPage::seriesNames() const {
    QStringList names;
    for (int i = 0; i < seriesList_->topLevelItemCount(); ++i)
        names << seriesList_->topLevelItem(i)->text(0);
    return names;
}

void SeriesPage::clearFileList() {
    fileList_->clear();
}

QString SeriesPage::selectedSeries() const {
    const QList<QTreeWidgetItem*> selected = seriesList_->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text(0);
}

QTreeWidgetItem* SeriesPage::findRow(const QString& name) const {
    for (int i = 0; i < seriesList_->topLevelItemCount(); ++i) {
        if (seriesList_->topLevelItem(i)->text(0) == name)
            return seriesList_->topLevelItem(i);
    }
    return nullptr;
}

bool SeriesPage::selectSeries(const QString& name) {
    QTreeWidgetItem* item = findRow(name);
    if (item == nullptr)
        return false;
    seriesList_->setCurrentItem(item);
    return true;
}

TSexGroup SeriesPage::sexGroup() const {
    return sexGroupFromIndex(sexGroupButtons_->checkedId());
}

void SeriesPage::showRenamed(const QString& oldName, const QString& newName) {
    if (QTreeWidgetItem* item = findRow(oldName))
        item->setText(0, newName);
}

void SeriesPage::ListSeriesFiles() {
    const QString series = selectedSeries();
    if (series.isEmpty())
        return;
    fileList_->setDirectory(context_.disk.dataDirectory(sexGroup(), series.toStdString()));
}

void SeriesPage::updatePopupActions() {
    const bool selected = !seriesList_->selectedItems().isEmpty();
    deleteAction_->setEnabled(selected);
    renameAction_->setEnabled(selected);
    sheetsButton_->setEnabled(selected);
}

void SeriesPage::printAnswerSheets() {
    printAnswerSheetsOfSeries(context_, selectedSeries(), this);
}

void SeriesPage::startRename() {
    const QList<QTreeWidgetItem*> selected = seriesList_->selectedItems();
    if (selected.isEmpty())
        return;
    seriesList_->editItem(selected.first(), 0);
}

void SeriesPage::ListView1Edited(const QString& oldName, const QString& newName) {
    // An empty or unchanged name changes nothing.
    if (newName.isEmpty() || newName == oldName)
        return;
    emit renameSeriesRequested(oldName, newName);
}

}  // namespace kestrune
