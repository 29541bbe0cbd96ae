#include "ui/figures/PageSetupDialog.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

namespace kestrune {

namespace {

// The white rectangle that stands for the page.
const QRect kPageRectangle(112, 58, 100, 86);

// A millimetre field: 0 to 100, arrows and leaving the field keep it inside; text that is not
// a number reads as 0.
class MarginField : public QSpinBox {
  public:
    explicit MarginField(QWidget* parent) : QSpinBox(parent) {
        setRange(0, 100);
        setAlignment(Qt::AlignRight);
    }

  protected:
    void fixup(QString& input) const override {
        bool number = false;
        input.trimmed().toInt(&number);
        if (!number)
            input = QStringLiteral("0");
        QSpinBox::fixup(input);
    }
};

}  // namespace

PageSetupDialog::PageSetupDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(QStringLiteral("ページ設定"));
    setFixedSize(323, 200);

    auto* note = new QLabel(QStringLiteral("実際には、この余白に収まる正方形で印刷されます。"), this);
    note->setGeometry(8, 6, 307, 20);

    top_ = marginField(QStringLiteral("上余白"), 98, 30, false);
    left_ = marginField(QStringLiteral("左余白"), 8, 78, true);
    right_ = marginField(QStringLiteral("右余白"), 220, 78, true);
    bottom_ = marginField(QStringLiteral("下余白"), 98, 146, false);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setGeometry(150, 172, 80, 24);
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setGeometry(236, 172, 80, 24);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    // Escape rejects the dialog as "Cancel" does.
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    setMargins(FigureMargins{});
}

QSpinBox* PageSetupDialog::marginField(const QString& caption, int x, int y, bool labelAbove) {
    auto* label = new QLabel(caption, this);
    auto* field = new MarginField(this);
    auto* unit = new QLabel(QStringLiteral("mm"), this);
    label->setBuddy(field);
    field->setAccessibleName(caption);
    if (labelAbove) {
        label->setGeometry(x, y - 20, 60, 18);
        field->setGeometry(x, y, 58, 24);
        unit->setGeometry(x + 62, y + 3, 26, 18);
    } else {
        label->setGeometry(x - 48, y + 3, 46, 18);
        field->setGeometry(x, y, 58, 24);
        unit->setGeometry(x + 62, y + 3, 26, 18);
    }
    return field;
}

void PageSetupDialog::setMargins(const FigureMargins& margins) {
    top_->setValue(margins.top);
    left_->setValue(margins.left);
    bottom_->setValue(margins.bottom);
    right_->setValue(margins.right);
}

FigureMargins PageSetupDialog::margins() const {
    // The text as it stands, also when "OK" is pressed before the field was left.
    const auto read = [](const QSpinBox* field) {
        bool number = false;
        const int value = field->text().trimmed().toInt(&number);
        return number ? std::clamp(value, 0, 100) : 0;
    };
    return {read(top_), read(left_), read(bottom_), read(right_)};
}

void PageSetupDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(kPageRectangle);
}

}  // namespace kestrune
