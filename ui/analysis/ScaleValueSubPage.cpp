#include "ui/analysis/ScaleValueSubPage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "analysis/ScaleValueAggregation.h"
#include "core/Error.h"
#include "output/tables/ScaleValueExport.h"
#include "ui/common/AppContext.h"
#include "ui/common/HintedButton.h"
#include "ui/common/OfficeHandOver.h"
#include "ui/common/Prompter.h"
#include "ui/common/TabOrder.h"
#include "ui/common/TableActions.h"
#include "ui/common/TextGridModel.h"
#include "ui/common/TextGridView.h"
#include "ui/figures/NumberLineWindow.h"

namespace kestrune {

namespace {

const QString kTextFilter = QStringLiteral("テキストのみ (*.txt)");
const QString kHtmlFilter = QStringLiteral("HTML文書 (*.htm)");

}  // namespace

ScaleValueSubPage::ScaleValueSubPage(AppContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      grid_(makeScaleValueGrid({})),
      model_(new TextGridModel(grid_, this)),
      view_(new TextGridView(*model_, this)),
      pathLabel_(new QLabel(this)),
      saveButton_(makeHintedButton(QStringLiteral("保存"),
                                   QStringLiteral("表をテキストまたはHTMLで保存します。"), this)),
      copyButton_(makeHintedButton(QStringLiteral("コピー"),
                                   QStringLiteral("表をクリップボードにコピーします。"), this)),
      printButton_(makeHintedButton(QStringLiteral("印刷"), QStringLiteral("表を簡易印刷します。"), this)),
      graphButton_(makeHintedButton(QStringLiteral("グラフ"), QStringLiteral("数直線を表示します。"), this)),
      excelButton_(
          makeHintedButton(QStringLiteral("Excel97"), QStringLiteral("表をExcel97に転送します。"), this)),
      wordButton_(
          makeHintedButton(QStringLiteral("Word97"), QStringLiteral("表をWord97に転送します。"), this)) {
    view_->setObjectName(QStringLiteral("StringGrid3"));
    view_->setAccessibleName(QStringLiteral("データ集計"));
    pathLabel_->setObjectName(QStringLiteral("Label58"));
    pathLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button :
         {saveButton_, copyButton_, printButton_, excelButton_, wordButton_, graphButton_})
        buttons->addWidget(button);
    setTabOrderAsShown(
        {saveButton_, copyButton_, printButton_, excelButton_, wordButton_, graphButton_, view_});
    buttons->addStretch();
    auto* layout = new QGridLayout(this);
    layout->addWidget(pathLabel_, 0, 0);
    layout->addLayout(buttons, 1, 0);
    layout->addWidget(view_, 2, 0);
    layout->setRowStretch(2, 1);

    connect(saveButton_, &QPushButton::clicked, this, &ScaleValueSubPage::save);
    connect(copyButton_, &QPushButton::clicked, this, &ScaleValueSubPage::copy);
    connect(printButton_, &QPushButton::clicked, this, &ScaleValueSubPage::print);
    connect(graphButton_, &QPushButton::clicked, this, &ScaleValueSubPage::drawNumberLine);
    connect(excelButton_, &QPushButton::clicked, this, [this] {
        OfficeHandOver::run(context_, [this] { return office::scaleValueWorkbook(grid_, seriesName_); });
    });
    connect(wordButton_, &QPushButton::clicked, this,
            [this] { OfficeHandOver::run(context_, [this] { return office::scaleValueDocument(grid_); }); });

    printer_.TargetGrid = &grid_;
    printer_.TopMargin = 20;
    printer_.OnBeginPage = [this](TStrGridPrinter& printer) { drawPageHeader(printer); };
    printer_.OnEndPage = [this](TStrGridPrinter& printer) { drawPageFooter(printer); };
    setOutputEnabled(false);
}

ScaleValueSubPage::~ScaleValueSubPage() = default;

void ScaleValueSubPage::setUp(const AnalysisPageLabels& labels) {
    panelCount_ = labels.panelCount;
    imageWords_ = labels.imageWords;
    clear();
}

void ScaleValueSubPage::clear() {
    setUpScaleValueGrid(grid_, panelCount_, imageWords_);
    pathLabel_->clear();
    setOutputEnabled(false);
    view_->refresh();
}

void ScaleValueSubPage::setOutputEnabled(bool enabled) {
    for (QPushButton* button :
         {saveButton_, copyButton_, printButton_, excelButton_, wordButton_, graphButton_})
        button->setEnabled(enabled);
}

void ScaleValueSubPage::aggregate(TSexGroup group, const std::string& series, const std::string& file) {
    try {
        aggregateIntoGrid(grid_, context_.disk, group, series, file, &context_.responseBuffer);
    } catch (const UserError&) {
        clear();
        throw;
    }
    pathLabel_->setText(QString::fromStdString(scaleValuePathLabel(context_.disk, group, series, file)));
    setOutputEnabled(true);
    view_->refresh();
}

void ScaleValueSubPage::save() {
    FileDialogRequest request;
    request.filters = {kTextFilter, kHtmlFilter};
    request.defaultSuffix = QStringLiteral("txt");
    request.confirmOverwrite = true;
    QString filter;
    const QString fileName = context_.prompter.saveFileName(request, &filter);
    if (fileName.isEmpty())
        return;
    writeTableFile(context_.prompter, fileName,
                   filter == kHtmlFilter ? scaleValueHtmlLines(grid_, pathLabel_->text().toStdString())
                                         : scaleValueTextLines(grid_));
}

void ScaleValueSubPage::copy() {
    copyTableText(scaleValueTextLines(grid_));
}

void ScaleValueSubPage::print() {
    printer_.Font = view_->font();
    printer_.ScreenDpiX = view_->logicalDpiX();
    printer_.ScreenDpiY = view_->logicalDpiY();
    printGridWithDialog(context_.prompter, printer_);
}

void ScaleValueSubPage::drawPageHeader(TStrGridPrinter& printer) {
    // The path label, 10 mm in from the printable area's corner.
    const QFontMetrics metrics(printer.Canvas->font());
    printer.Canvas->drawText(printer.MillimetresToX(10), printer.MillimetresToY(10) + metrics.ascent(),
                             pathLabel_->text());
}

void ScaleValueSubPage::drawPageFooter(TStrGridPrinter& printer) {
    // "- n -" 80 mm in, its top at the table's bottom edge on this page.
    const QFontMetrics metrics(printer.Canvas->font());
    printer.Canvas->drawText(printer.MillimetresToX(80), printer.TableBottom + metrics.ascent(),
                             QStringLiteral("- %1 -").arg(printer.PageNumber));
}

void ScaleValueSubPage::drawNumberLine() {
    NumberLineWindow::showNumberLine(context_, grid_, pathLabel_->text(), this);
}

}  // namespace kestrune
