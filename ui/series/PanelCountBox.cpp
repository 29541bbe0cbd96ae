#include "ui/series/PanelCountBox.h"

#include <QLineEdit>
#include <algorithm>

namespace kestrune {

PanelCountBox::PanelCountBox(QWidget* parent) : QAbstractSpinBox(parent) {
    lineEdit()->setText(QString::number(reported_));
    // Room for two digits beside the arrows.
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000")) + 40);
    connect(lineEdit(), &QLineEdit::textChanged, this, &PanelCountBox::textEdited);
    connect(this, &QAbstractSpinBox::editingFinished, this, &PanelCountBox::bringIntoRange);
}

int PanelCountBox::value() const {
    bool isNumber = false;
    const int typed = text().toInt(&isNumber);
    return isNumber ? typed : kMinimum;
}

void PanelCountBox::setValue(int value) {
    lineEdit()->setText(QString::number(value));
}

void PanelCountBox::stepBy(int steps) {
    setValue(std::clamp(value() + steps, kMinimum, kMaximum));
    lineEdit()->selectAll();
}

QValidator::State PanelCountBox::validate(QString& input, int&) const {
    if (input.size() > 2)
        return QValidator::Invalid;
    for (const QChar c : input) {
        if (!c.isDigit())
            return QValidator::Invalid;
    }
    return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled PanelCountBox::stepEnabled() const {
    StepEnabled enabled = StepNone;
    if (value() < kMaximum)
        enabled |= StepUpEnabled;
    if (value() > kMinimum)
        enabled |= StepDownEnabled;
    return enabled;
}

void PanelCountBox::textEdited() {
    const int now = value();
    if (now == reported_)
        return;
    reported_ = now;
    emit valueChanged(now);
}

void PanelCountBox::bringIntoRange() {
    const int clamped = std::clamp(value(), kMinimum, kMaximum);
    if (text() != QString::number(clamped))
        setValue(clamped);
}

}  // namespace kestrune
