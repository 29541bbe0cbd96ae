#pragma once

#include <QWidget>
#include <vector>

#include "core/Series.h"

class QPushButton;
class QTableWidget;

namespace kestrune {

struct AppContext;
class WizardButtons;

// Wizard page 3: the presentation order, one row per pair with the panel numbers A and B.
class WizardOrderPage : public QWidget {
    Q_OBJECT
  public:
    explicit WizardOrderPage(AppContext& context, QWidget* parent = nullptr);

    QTableWidget* pairGrid() const { return pairGrid_; }
    WizardButtons* buttons() const { return buttons_; }
    // "他シリーズからの読み込み": the wizard runs importOrder with its panel count.
    QPushButton* importButton() const { return importButton_; }

    // m rows, each reset to A = "1" and B = "1".
    void resetRows(int pairCount);
    void setCell(int row, int column, const QString& text);
    std::vector<PairTexts> rows() const;
    // "他シリーズからの読み込み" for the panel count the wizard is set to.
    void importOrder(int panelCount);
    // Fills the grid with the balanced order for its panel count (analysis/BalancedOrder.h);
    // the cells stay editable.
    void fillBalancedOrder();
    // The test of "次へ >>"; shows its message and returns false when the order is refused.
    bool acceptOrder(int panelCount);

  private:
    QPushButton* makeBalancedOrderButton();

    AppContext& context_;
    QTableWidget* pairGrid_;
    WizardButtons* buttons_;
    QPushButton* importButton_;
};

}  // namespace kestrune
