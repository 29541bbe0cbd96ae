#pragma once

#include <QWidget>

#include "analysis/CorrelationMatrix.h"
#include "core/TextGrid.h"
#include "ui/shell/CataloguePage.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace kestrune {

struct AppContext;
class CorrelationGridModel;
class UserError;
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
    QPushButton* excelButton() const { return excelButton_; }
    QPushButton* wordButton() const { return wordButton_; }
    // Below the grid: why the matrix is empty, when a file chosen by the page could not be read.
    QLabel* stateLabel() const { return stateLabel_; }

  signals:
    // "設定" of either area: the main window edits the series' quantities and, after a save,
    // sets this page up again.
    void editQuantitiesRequested(const QString& series);

  protected:
    // The disk as it is now: the file choosers are listed again whenever the page is shown.
    void showEvent(QShowEvent* event) override;

  private:
    // A failure while computing a choice the page made itself (start, series or group change,
    // page shown) is shown in the state label; one the user made is also shown as a message.
    enum class Notice { InPage, Message };
    void failed(const UserError& error, Notice notice);
    void setOutputEnabled(bool enabled);
    QWidget* buildArea(const QString& title, CorrelationSideControls& side);
    void connectSide(CorrelationSideControls& side);
    void computeMatrix(Notice notice = Notice::InPage);
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
    QPushButton* excelButton_;
    QPushButton* wordButton_;
    QLabel* stateLabel_;
};

}  // namespace kestrune
