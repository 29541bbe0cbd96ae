#include "ui/figures/PageSetupDialog.h"

namespace kestrune {

PageSetupDialog::PageSetupDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("ページ設定"));
}

}  // namespace kestrune
