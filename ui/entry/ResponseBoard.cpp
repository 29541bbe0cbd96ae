#include "ui/entry/ResponseBoard.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

#include "ui/entry/ResponseBoardAccessible.h"
#include "ui/entry/ScriptCirclePainter.h"

namespace kestrune {

namespace {

constexpr int kBoardWidth = 260;
constexpr int kHeadingTop = 32;

std::optional<MouseButton> boardButton(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return MouseButton::Left;
        case Qt::RightButton:
            return MouseButton::Right;
        case Qt::MiddleButton:
            return MouseButton::Middle;
        default:
            return std::nullopt;
    }
}

QLabel* makeHeading(const QString& text, const QString& hint, int left, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setToolTip(hint);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setGeometry(left, kHeadingTop, ResponseBoardModel::kCircleSize, 20);
    return label;
}

}  // namespace

ResponseBoard::ResponseBoard(QWidget* parent)
    : QFrame(parent), random_(std::make_unique<SeededUniformRandom>(freshRandomSeed())) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setFocusPolicy(Qt::NoFocus);
    setMinimumWidth(kBoardWidth);

    headingA_ =
        makeHeading(QStringLiteral("A"), QStringLiteral("Z or 4"), ResponseBoardModel::kCircleALeft, this);
    headingB_ =
        makeHeading(QStringLiteral("B"), QStringLiteral("X or 6"), ResponseBoardModel::kCircleBLeft, this);
    for (int row = 1; row <= ResponseBoardModel::kRowCount; ++row) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("word%1").arg(row));
        const int top = ResponseBoardModel::kWordTop + ResponseBoardModel::kRowPitch * (row - 1);
        // The label's text baseline sits level with the circle centres of its row.
        label->setGeometry(ResponseBoardModel::kWordLeft, top - 6,
                           ResponseBoardModel::kCircleALeft - ResponseBoardModel::kWordLeft - 4, 20);
        label->hide();
        wordLabels_[row - 1] = label;
    }
    installResponseBoardAccessibility();
    model_.onRepaint = [this](TScriptCircle& circle) {
        repaintCircle(circle);
        announceCircleChanged(*this, numberOf(circle));
    };
    LayOutBoard({});
}

void ResponseBoard::LayOutBoard(const std::vector<std::string>& words) {
    model_.LayOutBoard(words);
    for (int row = 1; row <= ResponseBoardModel::kRowCount; ++row) {
        QLabel* label = wordLabel(row);
        if (model_.rowVisible(row)) {
            label->setText(QString::fromStdString(model_.word(row)));
            label->show();
        } else {
            label->hide();
        }
    }
    // The scroll box follows the height; the width fills the box (no horizontal bar).
    setFixedHeight(model_.scrollRange());
    update();
    announceBoardLaidOut(*this);
}

QPoint ResponseBoard::circleCentre(int number) const {
    const TScriptCircle& circle = model_.circle(number);
    return {circle.Left + circle.Width / 2, circle.Top + circle.Height / 2};
}

QRect ResponseBoard::rowArea(int row) const {
    return {0, ResponseBoardModel::kCircleTop + ResponseBoardModel::kRowPitch * (row - 1), width(),
            ResponseBoardModel::kCircleSize};
}

void ResponseBoard::clickCircle(int number) {
    model_.circle(number).Click();
    emit marked((number + 1) / 2);
}

int ResponseBoard::numberOf(const TScriptCircle& circle) const {
    // The model keeps its circles in one array, in number order.
    return static_cast<int>(&circle - &model_.circle(1)) + 1;
}

void ResponseBoard::setMarkRandom(std::unique_ptr<UniformRandom> random) {
    random_ = std::move(random);
    update();
}

void ResponseBoard::repaintCircle(const TScriptCircle& circle) {
    // Rows overlap by one pixel line. A ring is drawn afresh, a little different, at every
    // paint: a marked neighbour painted only along the shared line would keep the rest of its
    // old ring and show a few pixels of the new one there. So marked circles that share
    // pixels with the region are repainted whole, and so on down the column.
    auto bounds = [](const TScriptCircle& c) { return QRect(c.Left, c.Top, c.Width, c.Height); };
    QRegion region(bounds(circle));
    for (bool grown = true; grown;) {
        grown = false;
        for (int number = 1; number <= ResponseBoardModel::kCircleCount; ++number) {
            const TScriptCircle& other = model_.circle(number);
            const QRect rect = bounds(other);
            if (other.Visible && other.Status() && region.intersects(rect) &&
                !QRegion(rect).subtracted(region).isEmpty()) {
                region += rect;
                grown = true;
            }
        }
    }
    update(region);
}

void ResponseBoard::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    for (int number = 1; number <= ResponseBoardModel::kCircleCount; ++number) {
        const TScriptCircle& circle = model_.circle(number);
        if (circle.Visible)
            paintScriptCircle(painter, circle, *random_);
    }
}

void ResponseBoard::mousePressEvent(QMouseEvent* event) {
    const std::optional<MouseButton> button = boardButton(event->button());
    if (!button)
        return;
    const QPoint at = event->position().toPoint();
    pressedCircle_ = model_.circleAt(at.x(), at.y());
    if (pressedCircle_ != 0) {
        TScriptCircle& circle = model_.circle(pressedCircle_);
        circle.MouseDown(*button, at.x() - circle.Left, at.y() - circle.Top);
        return;
    }
    const std::optional<int> openRow = model_.firstOpenRow();
    if (model_.backgroundMouseDown(*button))
        emit marked(*openRow);
}

void ResponseBoard::mouseReleaseEvent(QMouseEvent* event) {
    const std::optional<MouseButton> button = boardButton(event->button());
    if (!button || pressedCircle_ == 0)
        return;
    TScriptCircle& circle = model_.circle(pressedCircle_);
    const QPoint at = event->position().toPoint();
    const int pressed = pressedCircle_;
    pressedCircle_ = 0;
    circle.MouseUp(*button, at.x() - circle.Left, at.y() - circle.Top);
    // A click is a left press and release on the same circle.
    if (*button == MouseButton::Left && model_.circleAt(at.x(), at.y()) == pressed)
        clickCircle(pressed);
}

void ResponseBoard::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const int number = model_.circleAt(at.x(), at.y());
    if (number != 0) {
        // The second press of a double click on a circle is a double click, not a click.
        if (event->button() == Qt::LeftButton)
            model_.circle(number).DblClick();
        return;
    }
    mousePressEvent(event);
}

void ResponseBoard::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const int number = pressedCircle_ != 0 ? pressedCircle_ : model_.circleAt(at.x(), at.y());
    if (number == 0)
        return;
    TScriptCircle& circle = model_.circle(number);
    circle.MouseMove(at.x() - circle.Left, at.y() - circle.Top);
}

}  // namespace kestrune
