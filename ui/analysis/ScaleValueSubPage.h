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
    // The aggregation of a data file: the table and its path label together. A file that
    // cannot be read leaves the table empty, never another file's numbers under its name.
    void aggregate(TSexGroup group, const std::string& series, const std::string& file);
    // Empties the table and its path label; the output buttons wait for the next table.
    void clear();

    const TextGrid& grid() const { return grid_; }
    TextGridView* gridView() const { return view_; }
    QLabel* pathLabel() const { return pathLabel_; }
    QPushButton* saveButton() const { return saveButton_; }
    QPushButton* copyButton() const { return copyButton_; }
    QPushButton* printButton() const { return printButton_; }
    QPushButton* graphButton() const { return graphButton_; }
    QPushButton* excelButton() const { return excelButton_; }
    QPushButton* wordButton() const { return wordButton_; }
    // The series the table belongs to: the sheet's name in the workbook.
    void setSeriesName(const std::string& series) { seriesName_ = series; }
    TStrGridPrinter& gridPrinter() { return printer_; }

  private:
    void setOutputEnabled(bool enabled);
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
    QPushButton* excelButton_;
    QPushButton* wordButton_;
    std::string seriesName_;
    int panelCount_ = 0;
    std::vector<std::string> imageWords_;
    TStrGridPrinter printer_;
};

}  // namespace kestrune
