#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

namespace kestrune {

class PanelCountBox;
class WizardButtons;

// Wizard page 1: the series name and the number of panels, with the pair count it gives.
class WizardNamePage : public QWidget {
    Q_OBJECT
  public:
    explicit WizardNamePage(QWidget* parent = nullptr);

    QLineEdit* nameBox() const { return nameBox_; }
    PanelCountBox* panelCountBox() const { return panelCountBox_; }
    QLabel* pairCountLabel() const { return pairCountLabel_; }
    WizardButtons* buttons() const { return buttons_; }

  private:
    QLineEdit* nameBox_;
    PanelCountBox* panelCountBox_;
    QLabel* pairCountLabel_;
    WizardButtons* buttons_;
};

}  // namespace kestrune
