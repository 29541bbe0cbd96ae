#include "output/sheets/AnswerSheetLayout.h"

#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>

#include "core/Error.h"
#include "output/sheets/SheetFont.h"

namespace kestrune {

namespace {

constexpr double kLeft = 15;
constexpr double kRight = kSheetWidth - 15;
constexpr double kTop = 15;

// Answer rows: the word column, then A and B, as the board has them.
constexpr double kRowNumberRight = 27;
constexpr double kWordLeft = 30;
constexpr double kCircleAX = 140;
constexpr double kCircleBX = kCircleAX + kSheetCircleDistance;
constexpr double kHeadingTop = 73;
constexpr double kFirstRowTop = kHeadingTop + 6;

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string trimmed(const std::string& text) {
    return fromUtf8(text).trimmed().toStdString();
}

SheetText fitted(const QRectF& box, const QString& text, double size, bool bold, int alignment) {
    const QFontMetricsF metrics(sheetFont(size, bold));
    const QString shown = metrics.elidedText(text, Qt::ElideRight, box.width() * kSheetUnitsPerMm);
    return {box, shown, size, bold, alignment};
}

QString panelLabel(const AnswerSheetRequest& request, int panel) {
    if (!request.codes.empty())
        return fromUtf8(request.codes[static_cast<std::size_t>(panel - 1)]);
    return QString::number(panel);
}

// A captioned box: the caption cell on the left, the value cell on the right.
QRectF captionedBox(SheetPlan& plan, double left, double top, double captionWidth, double valueWidth,
                    const QString& caption) {
    const QRectF captionCell(left, top, captionWidth, 10);
    const QRectF valueCell(left + captionWidth, top, valueWidth, 10);
    plan.frames.push_back(captionCell);
    plan.frames.push_back(valueCell);
    plan.texts.push_back(fitted(captionCell.adjusted(1, 0, -1, 0), caption, 3.5, false, Qt::AlignCenter));
    return valueCell;
}

void addPanelBox(SheetPlan& plan, double left, const QString& letter, const QString& label) {
    const QRectF frame(left, 45, 87, 16);
    plan.frames.push_back(frame);
    plan.texts.push_back(fitted(QRectF(left + 2, 45, 12, 16), letter, 10, true, Qt::AlignCenter));
    plan.texts.push_back(
        fitted(QRectF(left + 17, 45, 68, 16), label, 7, false, Qt::AlignLeft | Qt::AlignVCenter));
}

}  // namespace

std::vector<std::string> parseSampleCodes(const std::string& text) {
    QString all = fromUtf8(text);
    all.replace(QChar(0x3001), QLatin1Char(',')).replace(QChar(0xFF0C), QLatin1Char(','));
    if (all.trimmed().isEmpty())
        return {};
    std::vector<std::string> codes;
    for (const QString& code : all.split(QLatin1Char(',')))
        codes.push_back(code.trimmed().toStdString());
    return codes;
}

AnswerSheetRequest answerSheetRequest(const TSeries& series, const std::vector<std::string>& codes,
                                      std::optional<int> subjects) {
    if (!codes.empty() && static_cast<int>(codes.size()) != series.panelCount)
        throw UserError("サンプルコードの数がパネルの枚数と合いません。", "エラー");
    for (const std::string& code : codes) {
        if (trimmed(code).empty())
            throw UserError("空のサンプルコードがあります。", "エラー");
    }
    if (subjects && (*subjects < 1 || *subjects > kMaxSheetSubjects))
        throw UserError("被験者の数は1から100までです。", "エラー");
    if (static_cast<int>(series.images.size()) > kMaxImages || series.pairs.empty())
        throw UserError("このシリーズの調査用紙は作成できません。", "エラー");
    for (const TPanelPair& pair : series.pairs) {
        for (int panel : {pair.a, pair.b}) {
            if (panel < 1 || panel > series.panelCount)
                throw UserError("このシリーズの調査用紙は作成できません。", "エラー");
        }
    }
    return {series.name, series.panelCount, series.pairs, series.images, codes, subjects};
}

SheetPlan planAnswerSheet(const AnswerSheetRequest& request, std::size_t index) {
    SheetPlan plan;
    const TPanelPair& pair = request.pairs.at(index);
    const QString counter = QStringLiteral("%1 / %2").arg(index + 1).arg(request.pairs.size());

    plan.texts.push_back(fitted(QRectF(kLeft, kTop, 140, 9), fromUtf8(request.seriesName), 6, true,
                                Qt::AlignLeft | Qt::AlignVCenter));
    plan.texts.push_back(
        fitted(QRectF(kRight - 36, kTop, 36, 9), counter, 5, false, Qt::AlignRight | Qt::AlignVCenter));
    plan.rules.push_back(QLineF(kLeft, kTop + 10.5, kRight, kTop + 10.5));

    plan.subjectNumberBox = captionedBox(plan, kLeft, 29, 24, 28, QStringLiteral("被験者番号"));
    const QRectF sexCell = captionedBox(plan, 75, 29, 14, 30, QStringLiteral("性別"));
    plan.texts.push_back(fitted(sexCell, QStringLiteral("男 ・ 女"), 4, false, Qt::AlignCenter));
    const QRectF dateCell = captionedBox(plan, 127, 29, 14, kRight - 141, QStringLiteral("日付"));
    const double unitTop = dateCell.top();
    const QString units[] = {QStringLiteral("年"), QStringLiteral("月"), QStringLiteral("日")};
    for (int i = 0; i < 3; ++i) {
        const double unitLeft = dateCell.left() + 12 + 15 * i;
        plan.texts.push_back(fitted(QRectF(unitLeft, unitTop, 5, 10), units[i], 4, false, Qt::AlignCenter));
    }

    addPanelBox(plan, kLeft, QStringLiteral("A"), panelLabel(request, pair.a));
    addPanelBox(plan, kRight - 87, QStringLiteral("B"), panelLabel(request, pair.b));

    plan.texts.push_back(fitted(
        QRectF(kLeft, 64, kRight - kLeft, 6),
        QStringLiteral(
            "それぞれのイメージについて、AとBのどちらがよりあてはまるかを選び、その○に印をつけてください。"),
        3.5, false, Qt::AlignLeft | Qt::AlignVCenter));

    const double headingWidth = kSheetRowPitch;
    plan.texts.push_back(fitted(QRectF(kCircleAX - headingWidth / 2, kHeadingTop, headingWidth, 6),
                                QStringLiteral("A"), 5, true, Qt::AlignCenter));
    plan.texts.push_back(fitted(QRectF(kCircleBX - headingWidth / 2, kHeadingTop, headingWidth, 6),
                                QStringLiteral("B"), 5, true, Qt::AlignCenter));

    plan.circleRadius = 3;
    for (std::size_t row = 0; row < request.images.size(); ++row) {
        const double top = kFirstRowTop + kSheetRowPitch * static_cast<double>(row);
        const double centre = top + kSheetRowPitch / 2;
        if (row % 2 == 1)
            plan.shadings.push_back(QRectF(kLeft, top, kCircleBX + 12 - kLeft, kSheetRowPitch));
        plan.texts.push_back(fitted(QRectF(kLeft, top, kRowNumberRight - kLeft, kSheetRowPitch),
                                    QString::number(row + 1), 3, false, Qt::AlignRight | Qt::AlignVCenter));
        plan.texts.push_back(fitted(QRectF(kWordLeft, top, kCircleAX - 8 - kWordLeft, kSheetRowPitch),
                                    fromUtf8(request.images[row]), 4.5, false,
                                    Qt::AlignLeft | Qt::AlignVCenter));
        plan.circlesA.push_back(QPointF(kCircleAX, centre));
        plan.circlesB.push_back(QPointF(kCircleBX, centre));
    }
    return plan;
}

SheetText subjectNumberText(const SheetPlan& plan, int subject) {
    return fitted(plan.subjectNumberBox.adjusted(1, 0, -1, 0), QString::number(subject), 5, false,
                  Qt::AlignCenter);
}

}  // namespace kestrune
