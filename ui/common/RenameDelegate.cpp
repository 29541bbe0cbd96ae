#include "ui/common/RenameDelegate.h"

#include <QLineEdit>

namespace kestrune {

void RenameDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const {
    const auto* lineEdit = qobject_cast<QLineEdit*>(editor);
    if (lineEdit == nullptr)
        return;
    emit nameEdited(index.data(Qt::DisplayRole).toString(), lineEdit->text());
}

}  // namespace kestrune
