#include "output/sheets/AnswerSheetPrinter.h"

#include <QBuffer>
#include <QGlyphRun>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextLayout>
#include <vector>

#include "core/AtomicFile.h"
#include "core/Error.h"
#include "output/sheets/SheetFont.h"

namespace kestrune {

namespace {

QRectF inUnits(const QRectF& millimetres) {
    return {millimetres.left() * kSheetUnitsPerMm, millimetres.top() * kSheetUnitsPerMm,
            millimetres.width() * kSheetUnitsPerMm, millimetres.height() * kSheetUnitsPerMm};
}

QPointF inUnits(const QPointF& millimetres) {
    return millimetres * kSheetUnitsPerMm;
}

void drawText(QPainter& painter, const SheetText& text) {
    painter.setFont(sheetFont(text.size, text.bold));
    painter.drawText(inUnits(text.box), text.alignment, text.text);
}

// A sheet's texts shaped once, so that the sets of many subjects only place glyphs; shaping
// is most of the work of a page.
struct ShapedSheet {
    const SheetPlan* plan = nullptr;
    std::vector<std::pair<QPointF, QGlyphRun>> glyphs;  // origin in tenths of a millimetre
};

ShapedSheet shapeSheet(const SheetPlan& plan) {
    ShapedSheet shaped{&plan, {}};
    for (const SheetText& text : plan.texts) {
        QTextLayout layout(text.text, sheetFont(text.size, text.bold));
        layout.beginLayout();
        QTextLine line = layout.createLine();
        layout.endLayout();
        if (!line.isValid())
            continue;
        const QRectF box = inUnits(text.box);
        const double width = line.naturalTextWidth();
        double left = box.left();
        if (text.alignment & Qt::AlignRight)
            left = box.right() - width;
        else if (text.alignment & Qt::AlignHCenter)
            left = box.center().x() - width / 2;
        const double top = box.center().y() - line.height() / 2;
        for (const QGlyphRun& run : layout.glyphRuns())
            shaped.glyphs.emplace_back(QPointF(left, top), run);
    }
    return shaped;
}

void paintShapedSheet(QPainter& painter, const ShapedSheet& sheet, std::optional<int> subject) {
    paintAnswerSheet(painter, *sheet.plan, subject, false);
    painter.setPen(Qt::black);
    for (const auto& [origin, run] : sheet.glyphs)
        painter.drawGlyphRun(origin, run);
}

const QPageLayout kA4Portrait(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                              QPageLayout::Millimeter);

}  // namespace

void paintAnswerSheet(QPainter& painter, const SheetPlan& plan, std::optional<int> subject, bool withTexts) {
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xEE, 0xEE, 0xEE));
    for (const QRectF& shading : plan.shadings)
        painter.drawRect(inUnits(shading));

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 0.25 * kSheetUnitsPerMm));
    for (const QRectF& frame : plan.frames)
        painter.drawRect(inUnits(frame));
    for (const QLineF& rule : plan.rules)
        painter.drawLine(QLineF(inUnits(rule.p1()), inUnits(rule.p2())));
    const double radius = plan.circleRadius * kSheetUnitsPerMm;
    painter.setBrush(Qt::white);
    for (const std::vector<QPointF>* column : {&plan.circlesA, &plan.circlesB}) {
        for (const QPointF& centre : *column)
            painter.drawEllipse(inUnits(centre), radius, radius);
    }

    painter.setPen(Qt::black);
    if (withTexts) {
        for (const SheetText& text : plan.texts)
            drawText(painter, text);
    }
    if (subject)
        drawText(painter, subjectNumberText(plan, *subject));
    painter.restore();
}

void prepareAnswerSheetPrinter(QPrinter& printer) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
}

void printAnswerSheets(const AnswerSheetRequest& request, QPagedPaintDevice& device) {
    std::vector<SheetPlan> plans;
    plans.reserve(request.pairs.size());
    for (std::size_t index = 0; index < request.pairs.size(); ++index)
        plans.push_back(planAnswerSheet(request, index));

    std::vector<ShapedSheet> sheets;
    sheets.reserve(plans.size());
    for (const SheetPlan& plan : plans)
        sheets.push_back(shapeSheet(plan));

    QPainter painter;
    if (!painter.begin(&device))
        throw UserError("調査用紙を印刷できません。", "エラー");
    // The painter starts at the printable area's corner; the sheets are laid out from the
    // paper's, whatever margins the printer keeps.
    const double dotsPerMm = device.logicalDpiX() / 25.4;
    const QRect printable = device.pageLayout().paintRectPixels(device.logicalDpiX());
    painter.translate(-printable.left(), -printable.top());
    painter.scale(dotsPerMm / kSheetUnitsPerMm, device.logicalDpiY() / 25.4 / kSheetUnitsPerMm);
    painter.setRenderHint(QPainter::Antialiasing);

    const int sets = request.subjects.value_or(1);
    bool first = true;
    for (int set = 1; set <= sets; ++set) {
        const std::optional<int> subject = request.subjects ? std::optional<int>(set) : std::nullopt;
        for (const ShapedSheet& sheet : sheets) {
            if (!first && !device.newPage()) {
                painter.end();
                throw UserError("調査用紙を印刷できません。", "エラー");
            }
            first = false;
            paintShapedSheet(painter, sheet, subject);
        }
    }
    painter.end();
}

std::string answerSheetsPdf(const AnswerSheetRequest& request) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(kA4Portrait);
        writer.setResolution(600);
        writer.setCreator(QStringLiteral("Kestrune"));
        writer.setTitle(QString::fromStdString(request.seriesName));
        printAnswerSheets(request, writer);
    }
    return buffer.data().toStdString();
}

void writeAnswerSheetsPdf(const AnswerSheetRequest& request, const std::filesystem::path& path) {
    writeFileAtomically(path, answerSheetsPdf(request));
}

}  // namespace kestrune
