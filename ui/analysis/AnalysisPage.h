#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "core/SexGroup.h"
#include "ui/shell/CataloguePage.h"

class QComboBox;
class QPushButton;
class QTabBar;
class QTabWidget;

namespace kestrune {

struct AppContext;
class DataFileList;
class IndividualSubPage;
class JoinSubPage;
class ScaleValueSubPage;
class SexGroupChooser;
class StatisticsSubPage;

// The analysis page "データ集計/出力": series and group choosers, the data file list with its
// operations, the buttons "データの結合", "個人のデータ", "データ集計", and a notebook of four
// sub-pages whose tabs are never shown; the empty fourth one is shown at start.
class AnalysisPage : public QWidget, public CataloguePage {
    Q_OBJECT
  public:
    enum SubPage {
        JoinSubPageIndex = 0,
        IndividualSubPageIndex = 1,
        ScaleValueSubPageIndex = 2,
        EmptySubPage = 3,
        StatisticsSubPageIndex = 4
    };

    explicit AnalysisPage(AppContext& context, QWidget* parent = nullptr);

    QComboBox* seriesChooser() override { return seriesChooser_; }
    // Empties the join list, labels both grids, rebuilds the image tabs, refills the file list.
    void setUpPage() override;

    SexGroupChooser* sexGroupChooser() const { return sexGroupChooser_; }
    DataFileList* dataFileList() const { return dataFileList_; }
    QTabWidget* subPages() const { return subPages_; }
    QPushButton* joinButton() const { return joinButton_; }
    QPushButton* individualButton() const { return individualButton_; }
    QPushButton* aggregateButton() const { return aggregateButton_; }
    QPushButton* statisticsButton() const { return statisticsButton_; }
    QTabBar* statisticsImageTabs() const { return statisticsImageTabs_; }
    StatisticsSubPage* statisticsSubPage() const { return statisticsSubPage_; }
    JoinSubPage* joinSubPage() const { return joinSubPage_; }
    IndividualSubPage* individualSubPage() const { return individualSubPage_; }
    ScaleValueSubPage* scaleValueSubPage() const { return scaleValueSubPage_; }
    void showSubPage(SubPage page);
    // Column widths of the data file list: 200, 50, 80.
    void setDataFileColumnWidths();
    // Lists the data files of the page's series and group again.
    void refillDataFiles();

  protected:
    // The disk as it is now: the file list is read again whenever the page is shown.
    void showEvent(QShowEvent* event) override;

  signals:
    // Data files were renamed, deleted, moved or merged: the entry page lists its files again.
    void dataFilesChanged();

  private:
    std::string chosenSeries() const;
    // Runs an operation, showing a failure the user caused instead of letting it escape.
    void guarded(const std::function<void()>& operation);
    void joinFiles();
    void viewIndividual();
    void aggregate();
    void showStatistics();
    void renameFile(const QString& oldName, const QString& newName);
    void deleteFiles();
    void moveFiles(TSexGroup target);
    void afterFilesChanged();
    // Empties every result table with its path label (series, group or files changed).
    void clearResults();
    // The list read again, the given names (or the selection as it was) selected.
    void relist(const std::vector<std::string>& select);

    AppContext& context_;
    QComboBox* seriesChooser_;
    SexGroupChooser* sexGroupChooser_;
    DataFileList* dataFileList_;
    QPushButton* joinButton_;
    QPushButton* individualButton_;
    QPushButton* aggregateButton_;
    QPushButton* statisticsButton_;
    QTabWidget* subPages_;
    JoinSubPage* joinSubPage_;
    IndividualSubPage* individualSubPage_;
    ScaleValueSubPage* scaleValueSubPage_;
    QTabBar* statisticsImageTabs_;
    StatisticsSubPage* statisticsSubPage_;
};

}  // namespace kestrune
