#pragma once

#include <QWidget>

#include "analysis/CorrelationMatrix.h"
#include "core/TextGrid.h"
#include "ui/shell/CataloguePage.h"

class QComboBox;
class QPushButton;

namespace kestrune {

struct AppContext;
class CorrelationGridModel;
class CorrelationSideControls;
class TextGridView;

// The correlation matrix page "相関マトリックス": the series, the column area "列に指定する項目"
// and the row area "行に指定する項目", the matrix grid (StringGrid1) and its output buttons.
// Every change of a chooser or kind re-reads the study disk and recomputes the whole matrix.
class CorrelationMatrixPage : public QWidget, public CataloguePage {
    Q_OBJECT
  public:
    explicit CorrelationMatrixPage(AppContext& context, QWidget* parent = nullptr);
    ~CorrelationMatrixPage() override;

    QComboBox* seriesChooser() override { return seriesChooser_; }
    // The matrix set-up: headers from the disk, both file choosers refilled, the matrix computed.
    void setUpPage() override;

    // Start-up: the first group of both areas; column 0 twice the default width.
    void selectFirstChoices();
    void setFirstColumnWidth();

    CorrelationSideControls& columnSide() const { return *columns_; }
    CorrelationSideControls& rowSide() const { return *rows_; }
    const TextGrid& grid() const { return grid_; }
    TextGridView* gridView() const { return gridView_; }
    QPushButton* saveButton() const { return saveButton_; }
    QPushButton* printButton() const { return printButton_; }
    QPushButton* copyButton() const { return copyButton_; }

  signals:
    // "設定" of either area: the main window edits the series' quantities and, after a save,
    // sets this page up again.
    void editQuantitiesRequested(const QString& series);

  private:
    QWidget* buildArea(const QString& title, CorrelationSideControls& side);
    void connectSide(CorrelationSideControls& side);
    void computeMatrix();
    CorrelationSide side(const CorrelationSideControls& controls) const;
    std::string series() const;
    void showGrid();

    AppContext& context_;
    QComboBox* seriesChooser_;
    CorrelationSideControls* columns_;
    CorrelationSideControls* rows_;
    TextGrid grid_{2, 2};
    CorrelationGridModel* model_;
    TextGridView* gridView_;
    QPushButton* saveButton_;
    QPushButton* printButton_;
    QPushButton* copyButton_;
};

}  // namespace kestrune
