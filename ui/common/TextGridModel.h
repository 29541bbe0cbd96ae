#pragma once

#include <QAbstractTableModel>

#include "core/TextGrid.h"

namespace kestrune {

// Shows a result grid: cell (column c, row r) of the model is cell (c, r) of the grid, fixed
// row and columns included, so a screen reader reads the table exactly as the grid holds it.
// The grid belongs to the page; after the page changes it, refresh() shows the new cells.
class TextGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit TextGridModel(TextGrid& grid, QObject* parent = nullptr);

    TextGrid& grid() { return grid_; }
    const TextGrid& grid() const { return grid_; }
    // After the grid's size or cells changed.
    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    bool isFixed(int column, int row) const;

  protected:
    // Font, colour and alignment of one value cell; the default is the grid's plain look.
    virtual QVariant cellStyle(int column, int row, int role) const;

  private:
    TextGrid& grid_;
    // The size last shown: a refresh of the same size changes the cells only, so a screen
    // reader keeps its place in the table.
    int shownColumns_ = 0;
    int shownRows_ = 0;
};

}  // namespace kestrune
