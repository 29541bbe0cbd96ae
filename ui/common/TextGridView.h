#pragma once

#include <QTableView>

#include "ui/common/TabLeavingGrid.h"

namespace kestrune {

class TextGridModel;

// A string grid on screen: the model's cells without separate headers (the fixed row and
// columns are cells of their own, shaded), column widths and row heights taken from the grid
// and given back to it when the user drags them, so the grid printer prints what is shown.
// Tab leaves it at either end (TabLeavingGrid).
class TextGridView : public TabLeavingGrid<QTableView> {
    Q_OBJECT
  public:
    explicit TextGridView(TextGridModel& model, QWidget* parent = nullptr);

    TextGridModel& gridModel() const { return model_; }
    // Shows the grid's current cells and sizes.
    void refresh();

  private:
    void applySizes();

    TextGridModel& model_;
    bool applying_ = false;
};

}  // namespace kestrune
