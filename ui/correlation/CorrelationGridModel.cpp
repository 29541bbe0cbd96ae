#include "ui/correlation/CorrelationGridModel.h"

#include <QColor>
#include <QFont>

#include "analysis/Emphasis.h"

namespace kestrune {

QVariant CorrelationGridModel::cellStyle(int column, int row, int role) const {
    const CellEmphasis emphasis = correlationCellEmphasis(grid(), column, row);
    if (!emphasis.numeric)
        return TextGridModel::cellStyle(column, row, role);
    switch (role) {
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignTop));
        case Qt::FontRole: {
            QFont font;
            font.setBold(emphasis.bold);
            return font;
        }
        case Qt::ForegroundRole:
            return QColor(emphasis.red ? Qt::red : Qt::black);
        default:
            return TextGridModel::cellStyle(column, row, role);
    }
}

}  // namespace kestrune
