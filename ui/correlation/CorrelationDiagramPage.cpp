#include "ui/correlation/CorrelationDiagramPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "analysis/DiagramLoaders.h"
#include "core/Error.h"
#include "core/Picture.h"
#include "output/figure/FigureClipboards.h"
#include "output/office/OfficeFiles.h"
#include "ui/common/AppContext.h"
#include "ui/common/HintedButton.h"
#include "ui/common/OfficeHandOver.h"
#include "ui/common/Prompter.h"
#include "ui/common/SexGroupChooser.h"
#include "ui/common/TabOrder.h"
#include "ui/correlation/ColourSwatch.h"
#include "ui/correlation/CorrelationSideControls.h"
#include "ui/correlation/DiagramArea.h"
#include "ui/figures/FigureActions.h"
#include "ui/figures/PageSetupDialog.h"

namespace kestrune {

CorrelationDiagramPage::CorrelationDiagramPage(AppContext& context, Picture& diagramPicture,
                                               PageSetupDialog& pageSetup, QWidget* parent)
    : QWidget(parent),
      context_(context),
      diagramPicture_(diagramPicture),
      pageSetup_(pageSetup),
      seriesChooser_(new QComboBox(this)) {
    seriesChooser_->setObjectName(QStringLiteral("diagramSeriesChooser"));
    vertical_ = makeAxis(QStringLiteral("RadioButton7"), QStringLiteral("RadioButton8"),
                         QStringLiteral("BitBtn32"), QStringLiteral("verticalLogarithmic"));
    horizontal_ = makeAxis(QStringLiteral("RadioButton5"), QStringLiteral("RadioButton6"),
                           QStringLiteral("BitBtn31"), QStringLiteral("horizontalLogarithmic"));
    swatch_ = new ColourSwatch(this);
    colourButton_ =
        makeHintedButton(QStringLiteral("参照"), QStringLiteral("プロットの色を設定します。"), this);
    shapeChooser_ = new QComboBox(this);
    shapeChooser_->setObjectName(QStringLiteral("shapeChooser"));
    for (const char* shape : {"●", "■", "◆", "▲", "▼"})
        shapeChooser_->addItem(QString::fromUtf8(shape));
    area_ = new DiagramArea(this);
    copyButton_ = makeHintedButton(QStringLiteral("コピー"),
                                   QStringLiteral("グラフをクリップボードにコピーします。"), this);
    saveButton_ =
        makeHintedButton(QStringLiteral("保存"), QStringLiteral("グラフをEMF/BMP形式で保存します。"), this);
    printButton_ = makeHintedButton(QStringLiteral("印刷"), QStringLiteral("グラフを印刷します。"), this);
    pageSetupButton_ =
        makeHintedButton(QStringLiteral("ページ設定"), QStringLiteral("印刷時の余白を設定します。"), this);

    wordButton_ = makeHintedButton(QStringLiteral("Word97"), QStringLiteral("Word97に転送します。"), this);

    auto* seriesRow = new QHBoxLayout;
    seriesRow->addWidget(new QLabel(QStringLiteral("シリーズ名"), this));
    seriesRow->addWidget(seriesChooser_, 1);
    auto* buttons = new QGridLayout;
    buttons->addWidget(copyButton_, 0, 0);
    buttons->addWidget(saveButton_, 0, 1);
    buttons->addWidget(printButton_, 1, 0);
    buttons->addWidget(pageSetupButton_, 1, 1);
    buttons->addWidget(wordButton_, 2, 0);

    auto* controlPanel = new QWidget(this);
    auto* controls = new QVBoxLayout(controlPanel);
    controls->setContentsMargins(0, 0, 0, 0);
    controls->addLayout(seriesRow);
    controls->addWidget(buildAxisArea(QStringLiteral("縦軸"), vertical_));
    controls->addLayout(buttons);
    controls->addWidget(buildAxisArea(QStringLiteral("横軸"), horizontal_));
    controls->addWidget(buildPlotSettings());
    controls->addStretch(1);
    // The column of controls is the tallest of the window: on a low screen it scrolls by
    // itself, beside the diagram, instead of making every page taller.
    auto* controlScroller = new QScrollArea(this);
    controlScroller->setObjectName(QStringLiteral("diagramControls"));
    controlScroller->setWidget(controlPanel);
    controlScroller->setWidgetResizable(true);
    controlScroller->setFrameShape(QFrame::NoFrame);
    controlScroller->setFocusPolicy(Qt::NoFocus);
    controlScroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    controlScroller->setMinimumWidth(controlPanel->minimumSizeHint().width() +
                                     controlScroller->verticalScrollBar()->sizeHint().width());

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(controlScroller);
    layout->addWidget(area_, 1);
    // The figure's buttons stand between the two axes, and Tab reaches them there.
    setTabOrderAsShown({vertical_.side->fileChooser(), copyButton_, saveButton_, printButton_,
                        pageSetupButton_, wordButton_, horizontal_.items});

    connectAxis(vertical_);
    connectAxis(horizontal_);
    connect(shapeChooser_, &QComboBox::currentIndexChanged, this, [this] { draw(); });
    connect(colourButton_, &QPushButton::clicked, this, &CorrelationDiagramPage::chooseColour);
    connect(swatch_, &ColourSwatch::doubleClicked, this, &CorrelationDiagramPage::chooseColour);
    connect(copyButton_, &QPushButton::clicked, this, [this] { copyFigureToClipboard(diagramPicture_); });
    connect(saveButton_, &QPushButton::clicked, this,
            [this] { saveFigureWithDialog(context_.prompter, diagramPicture_); });
    connect(printButton_, &QPushButton::clicked, this,
            [this] { printFigureWithDialog(context_.prompter, diagramPicture_, context_.figureMargins); });
    connect(pageSetupButton_, &QPushButton::clicked, this, &CorrelationDiagramPage::setUpPrintMargins);
    connect(wordButton_, &QPushButton::clicked, this, [this] {
        OfficeHandOver::run(context_, [this] {
            office::SystemPictureClipboard clipboard;
            return office::pictureDocument(clipboard, diagramPicture_,
                                           office::FigureSource::CorrelationDiagram);
        });
    });
}

CorrelationDiagramPage::~CorrelationDiagramPage() = default;

CorrelationDiagramPage::Axis CorrelationDiagramPage::makeAxis(const QString& imageName,
                                                              const QString& physicalName,
                                                              const QString& settingName,
                                                              const QString& checkName) {
    Axis axis;
    axis.items = new QComboBox(this);
    axis.items->setObjectName(checkName + QStringLiteral("Items"));
    axis.logarithmic = new QCheckBox(QStringLiteral("対数"), this);
    axis.logarithmic->setObjectName(checkName);
    axis.side = new CorrelationSideControls(imageName, physicalName, settingName, this);
    return axis;
}

QWidget* CorrelationDiagramPage::buildAxisArea(const QString& title, const Axis& axis) {
    auto* area = new QGroupBox(title, this);
    auto* layout = new QGridLayout(area);
    layout->addWidget(axis.items, 0, 0, 1, 2);
    layout->addWidget(axis.logarithmic, 0, 2);
    layout->addWidget(axis.side->imageButton(), 1, 0);
    layout->addWidget(axis.side->physicalButton(), 1, 1);
    layout->addWidget(axis.side->settingButton(), 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("性別"), area), 2, 0);
    layout->addWidget(axis.side->groupChooser(), 2, 1, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("ファイル名"), area), 3, 0);
    layout->addWidget(axis.side->fileChooser(), 3, 1, 1, 2);
    return area;
}

QWidget* CorrelationDiagramPage::buildPlotSettings() {
    auto* area = new QGroupBox(QStringLiteral("プロットの設定"), this);
    auto* layout = new QGridLayout(area);
    auto* colourLabel = new QLabel(QStringLiteral("色"), area);
    colourLabel->setBuddy(colourButton_);
    layout->addWidget(colourLabel, 0, 0);
    layout->addWidget(swatch_, 0, 1);
    layout->addWidget(colourButton_, 0, 2);
    auto* shapeLabel = new QLabel(QStringLiteral("形"), area);
    shapeLabel->setBuddy(shapeChooser_);
    layout->addWidget(shapeLabel, 1, 0);
    layout->addWidget(shapeChooser_, 1, 1, 1, 2);
    return area;
}

void CorrelationDiagramPage::connectAxis(const Axis& axis) {
    connect(axis.side, &CorrelationSideControls::kindChosen, this, &CorrelationDiagramPage::setUpPage);
    connect(axis.side, &CorrelationSideControls::groupChanged, this, [this, side = axis.side] {
        side->refillFiles(context_.disk, series());
        draw();
    });
    connect(axis.side, &CorrelationSideControls::fileChanged, this, [this] { draw(Notice::Message); });
    connect(axis.side, &CorrelationSideControls::settingClicked, this,
            [this] { emit editQuantitiesRequested(QString::fromStdString(series())); });
    connect(axis.items, &QComboBox::currentIndexChanged, this, [this] { draw(); });
    connect(axis.logarithmic, &QCheckBox::toggled, this, [this] { draw(); });
}

std::string CorrelationDiagramPage::series() const {
    return seriesChooser_->currentText().toStdString();
}

void CorrelationDiagramPage::selectFirstChoices() {
    vertical_.side->selectFirstGroup();
    horizontal_.side->selectFirstGroup();
    const QSignalBlocker blocker(shapeChooser_);
    shapeChooser_->setCurrentIndex(0);
}

void CorrelationDiagramPage::fillItems(const Axis& axis) {
    const QSignalBlocker blocker(axis.items);
    const std::string name = series();
    if (name.empty())
        return;
    const std::vector<std::string> items = axis.side->physical() ? diagramQuantityItems(context_.disk, name)
                                                                 : diagramImageItems(context_.disk, name);
    for (const std::string& item : items)
        axis.items->addItem(QString::fromStdString(item));
    if (axis.items->count() > 0)
        axis.items->setCurrentIndex(0);
}

void CorrelationDiagramPage::setUpPage() {
    const std::string name = series();
    {
        const QSignalBlocker verticalBlocker(vertical_.items);
        const QSignalBlocker horizontalBlocker(horizontal_.items);
        vertical_.items->clear();
        horizontal_.items->clear();
    }
    try {
        fillItems(horizontal_);
        fillItems(vertical_);
    } catch (const UserError& error) {
        showError(context_.prompter, error);
        return;
    }
    // Start where the data is: a group without a file of the series gives way to one with.
    horizontal_.side->chooseGroupWithData(context_.disk, name);
    vertical_.side->chooseGroupWithData(context_.disk, name);
    horizontal_.side->refillFiles(context_.disk, name);
    vertical_.side->refillFiles(context_.disk, name);
    if (name.empty()) {
        area_->showText({});
        return;
    }
    draw();
}

std::optional<DiagramOutcome> CorrelationDiagramPage::loadAxis(const Axis& axis,
                                                               DiagramAxisInput& input) const {
    const std::string name = series();
    const int item = axis.items->currentIndex();
    input.logarithmic = axis.logarithmic->isChecked();
    input.title = axis.items->currentText().toStdString();
    if (axis.side->physical()) {
        input.kind = DiagramAxisKind::Physical;
        if (item < 0)
            return DiagramOutcome::NoVariable;
        input.values = loadQuantityValues(context_.disk, name, item + 1);
        return std::nullopt;
    }
    input.kind = DiagramAxisKind::Image;
    const std::string file = axis.side->fileName();
    if (file.empty() || item < 0)
        return DiagramOutcome::NoVariable;
    std::optional<std::vector<double>> scores =
        loadStandardisedScores(context_.disk, axis.side->group(), name, file, item + 1);
    if (!scores)
        return DiagramOutcome::NotComputable;
    input.values = std::move(*scores);
    return std::nullopt;
}

void CorrelationDiagramPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    const std::string name = series();
    if (name.empty())
        return;
    horizontal_.side->refreshFiles(context_.disk, name);
    vertical_.side->refreshFiles(context_.disk, name);
    draw();
}

void CorrelationDiagramPage::draw(Notice notice) {
    if (!area_->text().isEmpty())
        area_->showText({});
    if (series().empty())
        return;
    DiagramInput input;
    try {
        // The vertical axis first; the first that cannot be plotted is shown.
        for (auto [axis, target] :
             {std::pair{&vertical_, &input.vertical}, std::pair{&horizontal_, &input.horizontal}}) {
            if (const std::optional<DiagramOutcome> failed = loadAxis(*axis, *target)) {
                area_->showText(QString::fromStdString(diagramOutcomeText(*failed)));
                return;
            }
        }
    } catch (const UserError& error) {
        area_->showText(QString::fromStdString(error.what()));
        if (notice == Notice::Message)
            showError(context_.prompter, error);
        return;
    }
    const QColor colour = swatch_->colour();
    input.plotColour =
        Color{static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
              static_cast<std::uint8_t>(colour.blue())};
    input.shape = shapeChooser_->currentIndex();
    input.seriesName = series();

    Picture drawn(diagramPicture_.width(), diagramPicture_.height());
    const DiagramResult result = drawCorrelationDiagram(input, drawn);
    // A negative value on a logarithmic axis clears its box, which draws once more inside
    // this drawing; both give the same linear picture.
    if (result.horizontalLogarithmCleared)
        horizontal_.logarithmic->setChecked(false);
    if (result.verticalLogarithmCleared)
        vertical_.logarithmic->setChecked(false);
    if (result.outcome != DiagramOutcome::Drawn) {
        area_->showText(QString::fromStdString(diagramOutcomeText(result.outcome)));
        return;
    }
    diagramPicture_ = std::move(drawn);
    area_->showPicture(&diagramPicture_);
}

void CorrelationDiagramPage::chooseColour() {
    if (const std::optional<QColor> chosen = context_.prompter.chooseColor(swatch_->colour()))
        swatch_->setColour(*chosen);
    draw();
}

void CorrelationDiagramPage::setUpPrintMargins() {
    pageSetup_.setMargins(context_.figureMargins);
    if (context_.prompter.runDialog(pageSetup_) == QDialog::Accepted)
        context_.figureMargins = pageSetup_.margins();
}

}  // namespace kestrune
