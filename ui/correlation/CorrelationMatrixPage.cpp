#include "ui/correlation/CorrelationMatrixPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "analysis/CorrelationPrintHeader.h"
#include "core/Error.h"
#include "output/office/OfficeFiles.h"
#include "ui/common/AppContext.h"
#include "ui/common/HintedButton.h"
#include "ui/common/OfficeHandOver.h"
#include "ui/common/Prompter.h"
#include "ui/common/SexGroupChooser.h"
#include "ui/common/TextGridView.h"
#include "ui/correlation/CorrelationGridModel.h"
#include "ui/correlation/CorrelationMatrixOutput.h"
#include "ui/correlation/CorrelationSideControls.h"

namespace kestrune {

CorrelationMatrixPage::CorrelationMatrixPage(AppContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      seriesChooser_(new QComboBox(this)),
      columns_(new CorrelationSideControls(QStringLiteral("RadioButton1"), QStringLiteral("RadioButton2"),
                                           QStringLiteral("BitBtn28"), this)),
      rows_(new CorrelationSideControls(QStringLiteral("RadioButton3"), QStringLiteral("RadioButton4"),
                                        QStringLiteral("BitBtn27"), this)),
      model_(new CorrelationGridModel(grid_, this)) {
    seriesChooser_->setObjectName(QStringLiteral("matrixSeriesChooser"));
    gridView_ = new TextGridView(*model_, this);
    gridView_->setObjectName(QStringLiteral("StringGrid1"));
    saveButton_ = makeHintedButton(QStringLiteral("保存"),
                                   QStringLiteral("表をテキスト/HTML/リッチテキストで保存します。"), this);
    printButton_ = makeHintedButton(QStringLiteral("印刷"), QStringLiteral("表を簡易印刷します。"), this);
    copyButton_ =
        makeHintedButton(QStringLiteral("コピー"), QStringLiteral("表をクリップボードに保存します。"), this);

    excelButton_ =
        makeHintedButton(QStringLiteral("Excel97"), QStringLiteral("表をExcel97に転送します。"), this);
    wordButton_ =
        makeHintedButton(QStringLiteral("Word97"), QStringLiteral("表をWord97に転送します。"), this);

    auto* seriesRow = new QHBoxLayout;
    seriesRow->addWidget(new QLabel(QStringLiteral("シリーズ名"), this));
    seriesRow->addWidget(seriesChooser_, 1);

    auto* controls = new QVBoxLayout;
    controls->addLayout(seriesRow);
    controls->addWidget(buildArea(QStringLiteral("列に指定する項目"), *columns_));
    controls->addWidget(buildArea(QStringLiteral("行に指定する項目"), *rows_));
    auto* buttons = new QGridLayout;
    buttons->addWidget(saveButton_, 0, 0);
    buttons->addWidget(printButton_, 0, 1);
    buttons->addWidget(copyButton_, 1, 0);
    buttons->addWidget(excelButton_, 1, 1);
    buttons->addWidget(wordButton_, 2, 0);
    controls->addLayout(buttons);
    controls->addStretch(1);

    stateLabel_ = new QLabel(this);
    stateLabel_->setObjectName(QStringLiteral("matrixState"));
    stateLabel_->setWordWrap(true);
    stateLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* gridColumn = new QVBoxLayout;
    gridColumn->addWidget(gridView_, 1);
    gridColumn->addWidget(stateLabel_);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(controls);
    layout->addLayout(gridColumn, 1);

    connectSide(*columns_);
    connectSide(*rows_);
    connect(saveButton_, &QPushButton::clicked, this,
            [this] { saveCorrelationMatrixWithDialog(context_.prompter, grid_, series()); });
    connect(copyButton_, &QPushButton::clicked, this, [this] { copyCorrelationMatrixToClipboard(grid_); });
    connect(excelButton_, &QPushButton::clicked, this, [this] {
        OfficeHandOver::run(context_, [this] { return office::correlationWorkbook(grid_, series()); });
    });
    connect(wordButton_, &QPushButton::clicked, this,
            [this] { OfficeHandOver::run(context_, [this] { return office::correlationDocument(grid_); }); });
    connect(printButton_, &QPushButton::clicked, this, [this] {
        MatrixPrintLook look;
        look.font = gridView_->font();
        look.screenDpiX = gridView_->logicalDpiX();
        look.screenDpiY = gridView_->logicalDpiY();
        look.header = correlationPrintHeader(series(), side(*columns_), side(*rows_));
        try {
            printCorrelationMatrixWithDialog(context_.prompter, grid_, look);
        } catch (const UserError& error) {
            showError(context_.prompter, error);
        }
    });
    setFirstColumnWidth();
    showGrid();
}

CorrelationMatrixPage::~CorrelationMatrixPage() = default;

QWidget* CorrelationMatrixPage::buildArea(const QString& title, CorrelationSideControls& side) {
    auto* area = new QGroupBox(title, this);
    auto* layout = new QGridLayout(area);
    layout->addWidget(side.imageButton(), 0, 0);
    layout->addWidget(side.physicalButton(), 0, 1);
    layout->addWidget(side.settingButton(), 0, 2);
    layout->addWidget(new QLabel(QStringLiteral("性別"), area), 1, 0);
    layout->addWidget(side.groupChooser(), 1, 1, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("ファイル名"), area), 2, 0);
    layout->addWidget(side.fileChooser(), 2, 1, 1, 2);
    return area;
}

void CorrelationMatrixPage::connectSide(CorrelationSideControls& side) {
    connect(&side, &CorrelationSideControls::kindChosen, this, &CorrelationMatrixPage::setUpPage);
    connect(&side, &CorrelationSideControls::groupChanged, this, [this, &side] {
        side.refillFiles(context_.disk, series());
        computeMatrix();
    });
    // The user chose this file: a failure to read it is told at once.
    connect(&side, &CorrelationSideControls::fileChanged, this, [this] { computeMatrix(Notice::Message); });
    connect(&side, &CorrelationSideControls::settingClicked, this,
            [this] { emit editQuantitiesRequested(QString::fromStdString(series())); });
}

std::string CorrelationMatrixPage::series() const {
    return seriesChooser_->currentText().toStdString();
}

CorrelationSide CorrelationMatrixPage::side(const CorrelationSideControls& controls) const {
    return {controls.physical() ? CorrelationKind::Physical : CorrelationKind::Images, controls.group(),
            controls.fileName()};
}

void CorrelationMatrixPage::selectFirstChoices() {
    columns_->selectFirstGroup();
    rows_->selectFirstGroup();
}

void CorrelationMatrixPage::setFirstColumnWidth() {
    grid_.setColumnWidth(0, 2 * grid_.defaultColumnWidth);
    gridView_->refresh();
}

void CorrelationMatrixPage::setUpPage() {
    const std::string name = series();
    if (name.empty()) {
        // No series on the disk: nothing to correlate.
        columns_->refillFiles(context_.disk, name);
        rows_->refillFiles(context_.disk, name);
        grid_.resize(2, 2);
        grid_.clearCells();
        stateLabel_->clear();
        setOutputEnabled(false);
        showGrid();
        return;
    }
    try {
        setUpCorrelationGrid(grid_, context_.disk, name, side(*columns_).kind, side(*rows_).kind);
    } catch (const UserError& error) {
        failed(error, Notice::InPage);
        return;
    }
    // Start where the data is: a group without a file of the series gives way to one with.
    columns_->chooseGroupWithData(context_.disk, name);
    rows_->chooseGroupWithData(context_.disk, name);
    columns_->refillFiles(context_.disk, name);
    rows_->refillFiles(context_.disk, name);
    computeMatrix();
}

void CorrelationMatrixPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    const std::string name = series();
    if (name.empty())
        return;
    columns_->refreshFiles(context_.disk, name);
    rows_->refreshFiles(context_.disk, name);
    computeMatrix();
}

void CorrelationMatrixPage::computeMatrix(Notice notice) {
    const std::string name = series();
    if (name.empty())
        return;
    try {
        computeCorrelationMatrix(grid_, context_.disk, name, side(*columns_), side(*rows_));
    } catch (const UserError& error) {
        failed(error, notice);
        return;
    }
    stateLabel_->clear();
    setOutputEnabled(true);
    showGrid();
}

void CorrelationMatrixPage::failed(const UserError& error, Notice notice) {
    // No number of an earlier file stays under the name of the one that failed.
    for (int row = grid_.fixedRows; row < grid_.rowCount(); ++row) {
        for (int column = grid_.fixedColumns; column < grid_.columnCount(); ++column)
            grid_.setCell(column, row, std::string());
    }
    stateLabel_->setText(QString::fromStdString(error.what()));
    setOutputEnabled(false);
    showGrid();
    if (notice == Notice::Message)
        showError(context_.prompter, error);
}

void CorrelationMatrixPage::setOutputEnabled(bool enabled) {
    for (QPushButton* button : {saveButton_, printButton_, copyButton_, excelButton_, wordButton_})
        button->setEnabled(enabled);
}

void CorrelationMatrixPage::showGrid() {
    gridView_->refresh();
}

}  // namespace kestrune
