#pragma once

#include <QTableView>

namespace kestrune {

class TextGridModel;

// A string grid on screen: the model's cells without separate headers (the fixed row and
// columns are cells of their own, shaded), column widths and row heights taken from the grid
// and given back to it when the user drags them, so the grid printer prints what is shown.
class TextGridView : public QTableView {
    Q_OBJECT
  public:
    explicit TextGridView(TextGridModel& model, QWidget* parent = nullptr);

    TextGridModel& gridModel() const { return model_; }
    // Shows the grid's current cells and sizes.
    void refresh();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    void applySizes();
    // True when Tab (or Shift+Tab) from the current cell would wrap round the grid.
    bool tabWouldWrap(bool forward);

    TextGridModel& model_;
    bool applying_ = false;
};

}  // namespace kestrune
