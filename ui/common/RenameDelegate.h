#pragma once

#include <QStyledItemDelegate>

namespace kestrune {

// Editor of a name in a list (series, data files). Finishing the edit does not change the row: it
// reports the old and the new name, and the row shows the new name only once the file was
// renamed on the disk.
class RenameDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

  signals:
    void nameEdited(const QString& oldName, const QString& newName) const;
};

}  // namespace kestrune
