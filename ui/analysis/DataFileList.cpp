#include "ui/analysis/DataFileList.h"

#include <QHeaderView>
#include <QMenu>
#include <algorithm>

#include "ui/common/RenameDelegate.h"

namespace kestrune {

DataFileList::DataFileList(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("analysisDataFileList"));
    setAccessibleName(QStringLiteral("データファイル"));
    setRootIsDecorated(false);
    setHeaderLabels({QStringLiteral("ファイル名"), QStringLiteral("人数"), QStringLiteral("コメント")});
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The selection stays as visible without the focus as with it.
    QPalette keep = palette();
    keep.setBrush(QPalette::Inactive, QPalette::Highlight, keep.brush(QPalette::Active, QPalette::Highlight));
    keep.setBrush(QPalette::Inactive, QPalette::HighlightedText,
                  keep.brush(QPalette::Active, QPalette::HighlightedText));
    setPalette(keep);
    setColumnWidths();

    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(false);
    connect(header(), &QHeaderView::sectionClicked, this, &DataFileList::sortByColumnText);

    auto* delegate = new RenameDelegate(this);
    setItemDelegateForColumn(0, delegate);
    // Queued, so that the rename and its messages run after the editor has closed.
    connect(delegate, &RenameDelegate::nameEdited, this, &DataFileList::renameRequested,
            Qt::QueuedConnection);
    buildMenu();
}

void DataFileList::buildMenu() {
    menu_ = new QMenu(this);
    renameAction_ = menu_->addAction(QStringLiteral("名前の変更"));
    renameAction_->setShortcut(Qt::Key_F2);
    deleteAction_ = menu_->addAction(QStringLiteral("削除"));
    moveMenu_ = menu_->addMenu(QStringLiteral("移動"));
    const QString groups[] = {QStringLiteral("男性"), QStringLiteral("女性"), QStringLiteral("混合")};
    for (TSexGroup group : kAllSexGroups) {
        QAction* action = moveMenu_->addAction(groups[static_cast<int>(group)]);
        moveActions_[static_cast<int>(group)] = action;
        connect(action, &QAction::triggered, this, [this, group] { emit moveRequested(group); });
    }
    menu_->addSeparator();
    joinAction_ = menu_->addAction(QStringLiteral("結合リストに加える"));
    individualAction_ = menu_->addAction(QStringLiteral("個人データの閲覧"));
    aggregateAction_ = menu_->addAction(QStringLiteral("データ集計"));
    menu_->addSeparator();
    csvExportAction_ = menu_->addAction(QStringLiteral("CSV形式で書き出し…"));
    csvImportAction_ = menu_->addAction(QStringLiteral("CSV形式から読み込み…"));
    connect(csvExportAction_, &QAction::triggered, this, &DataFileList::csvExportRequested);
    connect(csvImportAction_, &QAction::triggered, this, &DataFileList::csvImportRequested);
    menu_->addSeparator();
    selectAllAction_ = menu_->addAction(QStringLiteral("すべて選択"));
    selectAllAction_->setShortcut(QKeySequence::SelectAll);

    // The shortcuts work while the list has the focus, also without the menu.
    for (QAction* action : {renameAction_, selectAllAction_}) {
        action->setShortcutContext(Qt::WidgetShortcut);
        addAction(action);
    }
    connect(renameAction_, &QAction::triggered, this, &DataFileList::editFirstSelected);
    connect(deleteAction_, &QAction::triggered, this, &DataFileList::deleteRequested);
    connect(joinAction_, &QAction::triggered, this, &DataFileList::joinRequested);
    connect(individualAction_, &QAction::triggered, this, &DataFileList::individualRequested);
    connect(aggregateAction_, &QAction::triggered, this, &DataFileList::aggregateRequested);
    connect(selectAllAction_, &QAction::triggered, this, &QAbstractItemView::selectAll);
    connect(menu_, &QMenu::aboutToShow, this, &DataFileList::menuAboutToShow);

    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(viewport()->mapToGlobal(at)); });
}

void DataFileList::updateMenu(TSexGroup currentGroup) {
    const bool any = !selectedItems().isEmpty();
    for (QAction* action :
         {renameAction_, deleteAction_, joinAction_, individualAction_, aggregateAction_, csvExportAction_})
        action->setEnabled(any);
    moveMenu_->setEnabled(any);
    moveMenu_->menuAction()->setEnabled(any);
    for (TSexGroup group : kAllSexGroups)
        moveActions_[static_cast<int>(group)]->setEnabled(any && group != currentGroup);
    selectAllAction_->setEnabled(true);
}

void DataFileList::setColumnWidths() {
    setColumnWidth(0, 200);
    setColumnWidth(1, 50);
    setColumnWidth(2, 80);
}

void DataFileList::fill(const std::vector<DataFileRow>& rows) {
    clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    const QIcon icon = style()->standardIcon(QStyle::SP_FileIcon);
    for (const DataFileRow& row : rows) {
        auto* item = new QTreeWidgetItem;
        item->setText(0, QString::fromStdString(row.name));
        item->setText(1, QString::fromStdString(row.subjectCountText));
        item->setText(2, QString::fromStdString(row.comment));
        item->setIcon(0, icon);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        items.append(item);
    }
    addTopLevelItems(items);
}

std::vector<std::string> DataFileList::selectedNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        if (const QTreeWidgetItem* item = topLevelItem(i); item->isSelected())
            names.push_back(item->text(0).toStdString());
    }
    return names;
}

void DataFileList::editFirstSelected() {
    for (int i = 0; i < topLevelItemCount(); ++i) {
        if (QTreeWidgetItem* item = topLevelItem(i); item->isSelected()) {
            editItem(item, 0);
            return;
        }
    }
}

void DataFileList::sortByColumnText(int column) {
    if (column < 0 || column >= static_cast<int>(sortDirections_.size()))
        return;
    int& direction = sortDirections_[column];
    direction = -direction;
    QList<QTreeWidgetItem*> items;
    while (topLevelItemCount() > 0)
        items.append(takeTopLevelItem(0));
    std::stable_sort(items.begin(), items.end(), [column, direction](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        return QString::localeAwareCompare(a->text(column), b->text(column)) * direction < 0;
    });
    addTopLevelItems(items);
}

}  // namespace kestrune
