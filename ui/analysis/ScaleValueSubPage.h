#pragma once

#include <QWidget>
#include <string>

#include "analysis/AnalysisGrids.h"
#include "core/TextGrid.h"
#include "output/printing/TStrGridPrinter.h"

class QLabel;
class QPushButton;

namespace kestrune {

struct AppContext;
class TextGridModel;
class TextGridView;

// The scale value sub-page "データ集計": the scale value table (StringGrid3), the path label of
// the file last aggregated (Label58) and the buttons "保存", "コピー", "印刷" and "グラフ".
class ScaleValueSubPage : public QWidget {
    Q_OBJECT
  public:
    explicit ScaleValueSubPage(AppContext& context, QWidget* parent = nullptr);
    ~ScaleValueSubPage() override;

    // The page set-up's labels for a series: panel numbers, "平均", image words, statistic names.
    void setUp(const AnalysisPageLabels& labels);
    // The aggregation of a data file: the path label first, then the table, which keeps its
    // cells when the file cannot be read.
    void aggregate(TSexGroup group, const std::string& series, const std::string& file);

    const TextGrid& grid() const { return grid_; }
    TextGridView* gridView() const { return view_; }
    QLabel* pathLabel() const { return pathLabel_; }
    QPushButton* saveButton() const { return saveButton_; }
    QPushButton* copyButton() const { return copyButton_; }
    QPushButton* printButton() const { return printButton_; }
    QPushButton* graphButton() const { return graphButton_; }
    TStrGridPrinter& gridPrinter() { return printer_; }

  private:
    void save();
    void copy();
    void print();
    void drawNumberLine();
    void drawPageHeader(TStrGridPrinter& printer);
    void drawPageFooter(TStrGridPrinter& printer);

    AppContext& context_;
    TextGrid grid_;
    TextGridModel* model_;
    TextGridView* view_;
    QLabel* pathLabel_;
    QPushButton* saveButton_;
    QPushButton* copyButton_;
    QPushButton* printButton_;
    QPushButton* graphButton_;
    TStrGridPrinter printer_;
};

}  // namespace kestrune
