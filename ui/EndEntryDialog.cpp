#include "ui/EndEntryDialog.h"

namespace kestrune {

EndEntryDialog::EndEntryDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("入力終了"));
}

}  // namespace kestrune
