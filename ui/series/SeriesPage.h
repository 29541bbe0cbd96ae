#pragma once

#include <QWidget>

#include "core/Listings.h"
#include "core/SexGroup.h"

class QAction;
class QButtonGroup;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kestrune {

struct AppContext;
class TSFileListBox;

// The series page "シリーズ設定": the series list (names editable in place), its popup menu,
// the sex group radio group "性別" and the file list of the selected series. The page shows;
// what adding, deleting and renaming do to the disk is left to whoever listens.
class SeriesPage : public QWidget {
    Q_OBJECT
  public:
    explicit SeriesPage(AppContext& context, QWidget* parent = nullptr);

    QTreeWidget* seriesList() const { return seriesList_; }
    TSFileListBox* fileList() const { return fileList_; }
    QPushButton* createButton() const { return createButton_; }
    QMenu* popupMenu() const { return popupMenu_; }
    QAction* addAction() const { return addAction_; }
    QAction* deleteAction() const { return deleteAction_; }
    QAction* renameAction() const { return renameAction_; }
    QPushButton* sheetsButton() const { return sheetsButton_; }
    QButtonGroup* sexGroupButtons() const { return sexGroupButtons_; }

    // Catalogue side: empty the list and set its four column widths (200, 80, 80, 100).
    void clearSeries();
    void setColumnWidths();
    void addSeriesRow(const SeriesRow& row);
    QStringList seriesNames() const;
    void clearFileList();

    // The selected series, or empty text.
    QString selectedSeries() const;
    bool selectSeries(const QString& name);
    TSexGroup sexGroup() const;
    // After a rename went through: the row of the old name shows the new one.
    void showRenamed(const QString& oldName, const QString& newName);

    // Fills the file list from the data directory of the chosen group and selected series.
    void ListSeriesFiles();
    // Enables "削除" and "シリーズ名の変更" only while a series is selected.
    void updatePopupActions();
    // "調査用紙の印刷" for the selected series.
    void printAnswerSheets();
    // Starts editing the selected name in place (F2, "シリーズ名の変更").
    void startRename();

  signals:
    void addSeriesRequested();
    void deleteSeriesRequested(const QString& name);
    void renameSeriesRequested(const QString& oldName, const QString& newName);

  private:
    void ListView1Edited(const QString& oldName, const QString& newName);
    QTreeWidgetItem* findRow(const QString& name) const;

    AppContext& context_;
    QTreeWidget* seriesList_;
    QButtonGroup* sexGroupButtons_;
    TSFileListBox* fileList_;
    QPushButton* createButton_;
    QMenu* popupMenu_;
    QAction* addAction_;
    QAction* deleteAction_;
    QAction* renameAction_;
    QPushButton* sheetsButton_;
};

}  // namespace kestrune
