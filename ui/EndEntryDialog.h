#pragma once

#include <QDialog>

namespace kestrune {

// The end-of-entry dialog "入力終了", created once by the main window at start-up and used by
// the entry page's end step.
class EndEntryDialog : public QDialog {
    Q_OBJECT
  public:
    explicit EndEntryDialog(QWidget* parent = nullptr);
};

}  // namespace kestrune
