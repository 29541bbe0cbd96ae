#include "ui/series/WizardOrderPage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/BalancedOrder.h"
#include "core/Error.h"
#include "ui/common/AppContext.h"
#include "ui/common/Prompter.h"
#include "ui/common/TabLeavingGrid.h"
#include "ui/common/TabOrder.h"
#include "ui/series/PairChecksum.h"
#include "ui/series/WizardButtons.h"

namespace kestrune {

WizardOrderPage::WizardOrderPage(AppContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      pairGrid_(new TabLeavingGrid<QTableWidget>(0, 2, this)),
      buttons_(new WizardButtons(QStringLiteral("次へ >>"), this)),
      importButton_(new QPushButton(QStringLiteral("他シリーズからの読み込み"), this)) {
    pairGrid_->setObjectName(QStringLiteral("pairGrid"));
    pairGrid_->setHorizontalHeaderLabels({QStringLiteral("A"), QStringLiteral("B")});
    pairGrid_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    pairGrid_->setTabKeyNavigation(true);
    pairGrid_->setSelectionMode(QAbstractItemView::SingleSelection);
    pairGrid_->horizontalHeader()->setDefaultSectionSize(64);
    pairGrid_->verticalHeader()->setDefaultSectionSize(22);

    importButton_->setObjectName(QStringLiteral("importOrderButton"));
    importButton_->setAutoDefault(false);
    auto* gridRow = new QHBoxLayout;
    gridRow->addWidget(pairGrid_);
    auto* sideColumn = new QVBoxLayout;
    sideColumn->addStretch();
    sideColumn->addWidget(importButton_);
    QPushButton* balancedButton = makeBalancedOrderButton();
    sideColumn->addWidget(balancedButton);
    gridRow->addLayout(sideColumn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("パネルの提示順序を入力してください。"), this));
    layout->addWidget(new QLabel(QStringLiteral("orderディレクトリに保存されます。"), this));
    layout->addLayout(gridRow);
    layout->addWidget(buttons_);
    // The buttons beside the grid come before the row below it, as they are read.
    setTabOrderAsShown({pairGrid_, importButton_, balancedButton, buttons_->back(), buttons_->forward(),
                        buttons_->cancel()});
}

void WizardOrderPage::setCell(int row, int column, const QString& text) {
    if (QTableWidgetItem* item = pairGrid_->item(row, column)) {
        item->setText(text);
    } else {
        pairGrid_->setItem(row, column, new QTableWidgetItem(text));
    }
}

void WizardOrderPage::resetRows(int pairCount) {
    pairGrid_->setRowCount(std::max(pairCount, 0));
    for (int row = 0; row < pairGrid_->rowCount(); ++row) {
        pairGrid_->setVerticalHeaderItem(row, new QTableWidgetItem(QString::number(row + 1)));
        setCell(row, 0, QStringLiteral("1"));
        setCell(row, 1, QStringLiteral("1"));
    }
}

std::vector<PairTexts> WizardOrderPage::rows() const {
    std::vector<PairTexts> result;
    for (int row = 0; row < pairGrid_->rowCount(); ++row) {
        const QTableWidgetItem* a = pairGrid_->item(row, 0);
        const QTableWidgetItem* b = pairGrid_->item(row, 1);
        result.push_back(
            {a ? a->text().toStdString() : std::string(), b ? b->text().toStdString() : std::string()});
    }
    return result;
}

void WizardOrderPage::importOrder(int panelCount) {
    FileDialogRequest request;
    request.directory = QString::fromStdString(pathToUtf8(context_.disk.orderDirectory()));
    request.filters = {QStringLiteral("順番のデータ (*.ord)")};
    request.defaultSuffix = QStringLiteral("ord");
    request.mustExist = true;
    const QString file = context_.prompter.openFileName(request);
    if (file.isEmpty())
        return;
    try {
        const std::vector<TPanelPair> pairs =
            importOrderForWizard(pathFromUtf8(file.toStdString()), panelCount);
        for (int row = 0; row < pairGrid_->rowCount() && row < static_cast<int>(pairs.size()); ++row) {
            setCell(row, 0, QString::number(pairs[static_cast<std::size_t>(row)].a));
            setCell(row, 1, QString::number(pairs[static_cast<std::size_t>(row)].b));
        }
    } catch (const UserError& error) {
        showError(context_.prompter, error);
    }
}

QPushButton* WizardOrderPage::makeBalancedOrderButton() {
    auto* button = new QPushButton(QStringLiteral("偏りのない順序の作成"), this);
    button->setObjectName(QStringLiteral("balancedOrderButton"));
    button->setToolTip(QStringLiteral("同じパネルが続けて現れず、AとBにも偏りのない提示順序を作成します。"));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, &WizardOrderPage::fillBalancedOrder);
    return button;
}

void WizardOrderPage::fillBalancedOrder() {
    // The grid always holds n(n-1)/2 rows for the panel count chosen on page 1.
    for (int panels = kMinBalancedPanels; panels <= kMaxPanels; ++panels) {
        if (panels * (panels - 1) / 2 != pairGrid_->rowCount())
            continue;
        const std::vector<TPanelPair> order = balancedOrder(panels);
        for (int row = 0; row < pairGrid_->rowCount(); ++row) {
            setCell(row, 0, QString::number(order[static_cast<std::size_t>(row)].a));
            setCell(row, 1, QString::number(order[static_cast<std::size_t>(row)].b));
        }
        return;
    }
}

bool WizardOrderPage::acceptOrder(int panelCount) {
    try {
        if (isAcceptableOrder(panelCount, rows()))
            return true;
        context_.prompter.ask({QStringLiteral("重複する組み合わせがあります。"), QStringLiteral("エラー"),
                               PromptButtons::Ok, PromptIcon::None});
    } catch (const UserError& error) {
        showError(context_.prompter, error);
    }
    return false;
}

}  // namespace kestrune
