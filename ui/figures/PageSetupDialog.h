#pragma once

#include <QDialog>

namespace kestrune {

// The page setup dialog "ページ設定", created once by the main window at start-up; it edits the
// figure margins used when figures are printed.
class PageSetupDialog : public QDialog {
    Q_OBJECT
  public:
    explicit PageSetupDialog(QWidget* parent = nullptr);
};

}  // namespace kestrune
