#pragma once

#include <QWidget>

#include "ui/shell/CataloguePage.h"

class QComboBox;
class QTabWidget;
class QTreeWidget;

namespace kestrune {

struct AppContext;
class SexGroupChooser;

// The analysis page "データ集計/出力": series and group choosers, the data file list and a
// notebook of four sub-pages whose tabs are never shown; the empty fourth one is shown at start.
class AnalysisPage : public QWidget, public CataloguePage {
    Q_OBJECT
  public:
    enum SubPage { JoinSubPage = 0, IndividualSubPage = 1, ScaleValueSubPage = 2, EmptySubPage = 3 };

    explicit AnalysisPage(AppContext& context, QWidget* parent = nullptr);

    QComboBox* seriesChooser() override { return seriesChooser_; }
    void setUpPage() override;

    SexGroupChooser* sexGroupChooser() const { return sexGroupChooser_; }
    QTreeWidget* dataFileList() const { return dataFileList_; }
    QTabWidget* subPages() const { return subPages_; }
    void showSubPage(SubPage page);
    // Column widths of the data file list: 200, 50, 80.
    void setDataFileColumnWidths();

  private:
    AppContext& context_;
    QComboBox* seriesChooser_;
    SexGroupChooser* sexGroupChooser_;
    QTreeWidget* dataFileList_;
    QTabWidget* subPages_;
};

}  // namespace kestrune
