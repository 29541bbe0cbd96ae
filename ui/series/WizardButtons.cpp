#include "ui/series/WizardButtons.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace kestrune {

WizardButtons::WizardButtons(const QString& forwardCaption, QWidget* parent)
    : QWidget(parent),
      back_(new QPushButton(QStringLiteral("<<　戻る"), this)),
      forward_(new QPushButton(forwardCaption, this)),
      cancel_(new QPushButton(QStringLiteral("キャンセル"), this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    layout->addWidget(back_);
    layout->addWidget(forward_);
    layout->addSpacing(12);
    layout->addWidget(cancel_);
}

}  // namespace kestrune
