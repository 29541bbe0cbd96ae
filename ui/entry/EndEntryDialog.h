#pragma once

#include <QDialog>

#include "entry/TEntryRun.h"

class QPushButton;
class QRadioButton;

namespace kestrune {

// The end-of-entry dialog "入力終了", created once by the main window at start-up and used by
// the entry page's end step: how to end, with OK and "ｷｬﾝｾﾙ".
class EndEntryDialog : public QDialog {
    Q_OBJECT
  public:
    explicit EndEntryDialog(QWidget* parent = nullptr);

    // Enables the choices and selects the one given.
    void prepare(const EndChoices& choices);
    EndChoice choice() const;

    QRadioButton* choiceButton(EndChoice choice) const;
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

  private:
    QRadioButton* saveAll_;
    QRadioButton* dropLast_;
    QRadioButton* nothing_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

}  // namespace kestrune
