#include "ui/series/WizardNamePage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/series/PanelCountBox.h"
#include "ui/series/WizardButtons.h"

namespace kestrune {

WizardNamePage::WizardNamePage(QWidget* parent)
    : QWidget(parent),
      nameBox_(new QLineEdit(this)),
      panelCountBox_(new PanelCountBox(this)),
      pairCountLabel_(new QLabel(QStringLiteral("10"), this)),
      buttons_(new WizardButtons(QStringLiteral("次へ >>"), this)) {
    nameBox_->setObjectName(QStringLiteral("seriesNameBox"));
    panelCountBox_->setObjectName(QStringLiteral("panelCountBox"));
    pairCountLabel_->setObjectName(QStringLiteral("pairCountLabel"));

    auto* countRow = new QHBoxLayout;
    countRow->addWidget(panelCountBox_);
    countRow->addWidget(new QLabel(QStringLiteral("枚(個)"), this));
    countRow->addStretch();
    auto* pairRow = new QHBoxLayout;
    pairRow->setSpacing(0);
    pairRow->addWidget(new QLabel(QStringLiteral("組み合わせの数は"), this));
    pairRow->addWidget(pairCountLabel_);
    pairRow->addWidget(new QLabel(QStringLiteral("通りとなります。"), this));
    pairRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("新しいシリーズを設定します。"), this));
    layout->addSpacing(8);
    layout->addWidget(new QLabel(
        QStringLiteral("シリーズ名を入力してください。これはディレクトリ/ファイル名となります。"), this));
    layout->addWidget(nameBox_);
    layout->addSpacing(8);
    layout->addWidget(new QLabel(
        QStringLiteral("このシリーズで用いるパネルの枚数(サンプルの数)を入力してください。"), this));
    layout->addLayout(countRow);
    layout->addLayout(pairRow);
    layout->addStretch();
    layout->addWidget(buttons_);
}

}  // namespace kestrune
