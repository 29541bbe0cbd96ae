#include "ui/common/TextGridModel.h"

#include <QApplication>
#include <QPalette>

namespace kestrune {

TextGridModel::TextGridModel(TextGrid& grid, QObject* parent)
    : QAbstractTableModel(parent),
      grid_(grid),
      shownColumns_(grid.columnCount()),
      shownRows_(grid.rowCount()) {}

void TextGridModel::refresh() {
    if (grid_.columnCount() == shownColumns_ && grid_.rowCount() == shownRows_) {
        if (shownColumns_ > 0 && shownRows_ > 0)
            emit dataChanged(index(0, 0), index(shownRows_ - 1, shownColumns_ - 1));
        return;
    }
    beginResetModel();
    shownColumns_ = grid_.columnCount();
    shownRows_ = grid_.rowCount();
    endResetModel();
}

int TextGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows_;
}

int TextGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownColumns_;
}

bool TextGridModel::isFixed(int column, int row) const {
    return column < grid_.fixedColumns || row < grid_.fixedRows;
}

QVariant TextGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() >= grid_.columnCount() || index.row() >= grid_.rowCount())
        return {};
    const int column = index.column();
    const int row = index.row();
    switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
        case Qt::ToolTipRole: {
            const std::string& text = grid_.cell(column, row);
            if (role == Qt::ToolTipRole && text.empty())
                return {};
            return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        }
        case Qt::BackgroundRole:
            if (isFixed(column, row))
                return QApplication::palette().brush(QPalette::Button);
            return cellStyle(column, row, role);
        default:
            return isFixed(column, row) ? QVariant() : cellStyle(column, row, role);
    }
}

QVariant TextGridModel::cellStyle(int, int, int) const {
    return {};
}

Qt::ItemFlags TextGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

}  // namespace kestrune
