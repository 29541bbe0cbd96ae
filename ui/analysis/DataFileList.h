#pragma once

#include <QTreeWidget>
#include <array>
#include <string>
#include <vector>

#include "core/Listings.h"

class QAction;
class QMenu;

namespace kestrune {

// The analysis page's data file list: three columns "ファイル名", "人数", "コメント", several
// entries selectable, the selection kept visible without the focus. A click on a column
// header negates that column's own sort direction and sorts by its texts (the first click
// sorts descending); the context menu carries the file operations, whose requests the page
// carries out.
class DataFileList : public QTreeWidget {
    Q_OBJECT
  public:
    explicit DataFileList(QWidget* parent = nullptr);

    void setColumnWidths();  // 200, 50, 80
    // Replaces the entries (sort order and selection are not kept).
    void fill(const std::vector<DataFileRow>& rows);
    // The names of the selected entries, in list order.
    std::vector<std::string> selectedNames() const;
    // Makes the first selected entry's name editable ("名前の変更", F2).
    void editFirstSelected();
    // Sort directions, +1 at start; each click on a header negates its column's.
    std::array<int, 3>& sortDirections() { return sortDirections_; }
    void sortByColumnText(int column);

    QMenu* contextMenu() const { return menu_; }
    QAction* renameAction() const { return renameAction_; }
    QAction* deleteAction() const { return deleteAction_; }
    QMenu* moveMenu() const { return moveMenu_; }
    QAction* moveAction(TSexGroup group) const { return moveActions_[static_cast<int>(group)]; }
    QAction* joinAction() const { return joinAction_; }
    QAction* individualAction() const { return individualAction_; }
    QAction* aggregateAction() const { return aggregateAction_; }
    QAction* selectAllAction() const { return selectAllAction_; }
    QAction* csvExportAction() const { return csvExportAction_; }
    QAction* csvImportAction() const { return csvImportAction_; }
    // Enables the items as the menu shows them, the page's current group given.
    void updateMenu(TSexGroup currentGroup);

  signals:
    void renameRequested(const QString& oldName, const QString& newName);
    void deleteRequested();
    void moveRequested(TSexGroup target);
    void joinRequested();
    void individualRequested();
    void aggregateRequested();
    void csvExportRequested();
    void csvImportRequested();
    // Before the context menu shows: the page answers with updateMenu().
    void menuAboutToShow();

  private:
    void buildMenu();

    std::array<int, 3> sortDirections_{1, 1, 1};
    QMenu* menu_ = nullptr;
    QAction* renameAction_ = nullptr;
    QAction* deleteAction_ = nullptr;
    QMenu* moveMenu_ = nullptr;
    std::array<QAction*, 3> moveActions_{};
    QAction* joinAction_ = nullptr;
    QAction* individualAction_ = nullptr;
    QAction* aggregateAction_ = nullptr;
    QAction* selectAllAction_ = nullptr;
    QAction* csvExportAction_ = nullptr;
    QAction* csvImportAction_ = nullptr;
};

}  // namespace kestrune
