#pragma once

#include <QWidget>

class QLabel;
class QTreeWidget;

namespace kestrune {

class WizardButtons;

// Wizard page 4: what "完了" will make, as a tree of the six places under the drive, with the
// panel and image counts.
class WizardSummaryPage : public QWidget {
    Q_OBJECT
  public:
    WizardSummaryPage(const QString& driveText, QWidget* parent = nullptr);

    QTreeWidget* summaryTree() const { return summaryTree_; }
    QLabel* panelCountLabel() const { return panelCountLabel_; }
    QLabel* imageCountLabel() const { return imageCountLabel_; }
    WizardButtons* buttons() const { return buttons_; }

    // The six leaves follow the name box.
    void showSeriesName(const QString& name);
    // On arrival: the whole tree expanded, its root in view.
    void revealTree();

  private:
    QTreeWidget* summaryTree_;
    QLabel* panelCountLabel_;
    QLabel* imageCountLabel_;
    WizardButtons* buttons_;
};

}  // namespace kestrune
