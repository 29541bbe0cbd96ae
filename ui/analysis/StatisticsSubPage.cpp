#include "ui/analysis/StatisticsSubPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <filesystem>

#include "analysis/DataFileChoices.h"
#include "analysis/statistics/DifferenceTables.h"
#include "analysis/statistics/Screening.h"
#include "analysis/statistics/StatisticsCaptions.h"
#include "analysis/statistics/StatisticsGrids.h"
#include "analysis/statistics/StatisticsMessages.h"
#include "core/Error.h"
#include "ui/analysis/StatisticsTableActions.h"
#include "ui/common/AppContext.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/OfficeHandOver.h"
#include "ui/common/Prompter.h"
#include "ui/common/SexGroupChooser.h"
#include "ui/common/TabOrder.h"
#include "ui/common/TextGridModel.h"
#include "ui/common/TextGridView.h"

namespace kestrune {

namespace st = statistics;

namespace {

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The tables after the five of the statistics proper, in the chooser's order.
constexpr std::string_view kDifferenceCaptions[] = {st::kDifferenceCaption, st::kPairDifferenceCaption,
                                                    st::kScoreIntervalCaption, st::kWinProbabilityCaption,
                                                    st::kSamplePlanCaption};
constexpr int kDifferenceTableCount = 5;
const int kGroupComparisonIndex = st::kStatisticsTableCount + kDifferenceTableCount;

QDoubleSpinBox* percentBox(double value, double lowest, QWidget* parent, double highest = 99.9) {
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(lowest, highest);
    box->setDecimals(1);
    box->setSingleStep(1.0);
    box->setSuffix(QStringLiteral(" %"));
    box->setValue(value);
    return box;
}

}  // namespace

StatisticsSubPage::StatisticsSubPage(AppContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
    pathLabel_ = new QLabel(this);
    tableChooser_ = new QComboBox(this);
    for (int t = 0; t < st::kStatisticsTableCount; ++t)
        tableChooser_->addItem(text(st::statisticsCaption(static_cast<st::StatisticsTable>(t))));
    for (std::string_view caption : kDifferenceCaptions)
        tableChooser_->addItem(text(caption));
    tableChooser_->addItem(text(st::kGroupComparisonCaption));
    tableChooser_->setToolTip(QStringLiteral("表示する表を選びます。"));
    summaryBox_ = new QCheckBox(QStringLiteral("全イメージの要約"), this);
    summaryBox_->setToolTip(
        QStringLiteral("イメージごとではなく、すべてのイメージをまとめた表を表示します。"));
    model_ = new TextGridModel(grid_, this);
    view_ = new TextGridView(*model_, this);
    saveButton_ = new QPushButton(QStringLiteral("保存"), this);
    saveButton_->setToolTip(QStringLiteral("表をテキストまたはHTMLで保存します。"));
    copyButton_ = new QPushButton(QStringLiteral("コピー"), this);
    copyButton_->setToolTip(QStringLiteral("表をクリップボードにコピーします。"));
    printButton_ = new QPushButton(QStringLiteral("印刷"), this);
    printButton_->setToolTip(QStringLiteral("表を簡易印刷します。"));
    excelButton_ = new QPushButton(QStringLiteral("Excel97"), this);
    excelButton_->setToolTip(QStringLiteral("表をExcel97に転送します。"));
    wordButton_ = new QPushButton(QStringLiteral("Word97"), this);
    wordButton_->setToolTip(QStringLiteral("表をWord97に転送します。"));

    testLevelBox_ = percentBox(st::DifferenceSettings{}.alpha * 100, 0.1, this);
    testLevelBox_->setToolTip(QStringLiteral("差の検定と必要な被験者数の有意水準です。"));
    powerBox_ = percentBox(st::DifferenceSettings{}.power * 100, 1.0, this);
    powerBox_->setToolTip(QStringLiteral("必要な被験者数を求めるときの目標の検出力です。"));
    confidenceBox_ = percentBox(st::DifferenceSettings{}.confidence * 100, 1.0, this);
    confidenceBox_->setToolTip(QStringLiteral("得点の信頼区間の信頼係数です。"));
    secondGroupChooser_ = new SexGroupChooser(this);
    secondGroupChooser_->setToolTip(QStringLiteral("群の比較で比べるデータファイルの性別です。"));
    secondFileChooser_ = new QComboBox(this);
    secondFileChooser_->setToolTip(QStringLiteral("群の比較で比べるデータファイルです。"));
    secondFileChooser_->setMinimumContentsLength(10);

    levelBox_ = percentBox(st::kDefaultScreeningLevel * 100, 0.1, this);
    levelBox_->setToolTip(QStringLiteral("一致性の係数の検定の有意水準です。"));
    shareBox_ = percentBox(st::kDefaultScreeningShare * 100, 0.0, this);
    shareBox_->setToolTip(QStringLiteral("有意でないイメージがこの割合を超える被験者を除外候補にします。"));
    screenedLabel_ = new QLabel(this);
    screenedLabel_->setWordWrap(true);
    newFileNameEdit_ = new QLineEdit(this);
    newFileNameEdit_->setToolTip(QStringLiteral("除外候補を除いたデータファイルの名前です。"));
    makeFileButton_ = new QPushButton(QStringLiteral("除外候補を除いたファイルを作成"), this);
    makeFileButton_->setToolTip(
        QStringLiteral("除外候補の被験者を除いたデータファイルを、同じシリーズと性別に作成します。"));

    auto* tableRow = new QHBoxLayout;
    tableRow->addWidget(new QLabel(QStringLiteral("表"), this));
    tableRow->addWidget(tableChooser_);
    tableRow->addWidget(summaryBox_);
    tableRow->addStretch();
    tableRow->addWidget(saveButton_);
    tableRow->addWidget(copyButton_);
    tableRow->addWidget(printButton_);
    tableRow->addWidget(excelButton_);
    tableRow->addWidget(wordButton_);

    // Labels with their boxes, so that a screen reader names each box by its caption.
    const auto labelled = [this](QHBoxLayout* row, const QString& caption, QWidget* box) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(box);
        box->setAccessibleName(caption);
        row->addWidget(label);
        row->addWidget(box);
    };
    auto* testRow = new QHBoxLayout;
    labelled(testRow, QStringLiteral("検定の有意水準"), testLevelBox_);
    labelled(testRow, QStringLiteral("検出力"), powerBox_);
    labelled(testRow, QStringLiteral("信頼係数"), confidenceBox_);
    testRow->addSpacing(12);
    labelled(testRow, QStringLiteral("比べる群"), secondGroupChooser_);
    labelled(testRow, QStringLiteral("比べるファイル"), secondFileChooser_);
    testRow->addStretch();

    auto* screening = new QGroupBox(QStringLiteral("一貫性の低い被験者の選別"), this);
    auto* screeningRow = new QHBoxLayout;
    screeningRow->addWidget(new QLabel(QStringLiteral("有意水準"), screening));
    screeningRow->addWidget(levelBox_);
    screeningRow->addWidget(new QLabel(QStringLiteral("有意でないイメージの割合"), screening));
    screeningRow->addWidget(shareBox_);
    screeningRow->addStretch();
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel(QStringLiteral("ファイル名"), screening));
    fileRow->addWidget(newFileNameEdit_);
    fileRow->addWidget(makeFileButton_);
    auto* screeningLayout = new QVBoxLayout(screening);
    screeningLayout->addLayout(screeningRow);
    screeningLayout->addWidget(screenedLabel_);
    screeningLayout->addLayout(fileRow);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pathLabel_);
    layout->addLayout(tableRow);
    layout->addLayout(testRow);
    layout->addWidget(view_, 1);
    layout->addWidget(screening);
    // The grid was made before the rows above it; Tab reaches it between them and the screening.
    setTabOrderAsShown({secondFileChooser_, view_, levelBox_});

    connect(tableChooser_, &QComboBox::currentIndexChanged, this, [this] { refreshTable(); });
    connect(summaryBox_, &QCheckBox::toggled, this, [this] { refreshTable(); });
    connect(levelBox_, &QDoubleSpinBox::valueChanged, this, [this] { recompute(); });
    connect(shareBox_, &QDoubleSpinBox::valueChanged, this, [this] { recompute(); });
    connect(saveButton_, &QPushButton::clicked, this,
            [this] { saveStatisticsTable(context_.prompter, grid_, caption(), pathLabel_->text()); });
    connect(copyButton_, &QPushButton::clicked, this, [this] { copyStatisticsTable(grid_); });
    connect(printButton_, &QPushButton::clicked, this, [this] {
        printStatisticsTable(context_.prompter, grid_, caption(), pathLabel_->text(), view_->font());
    });
    connect(makeFileButton_, &QPushButton::clicked, this, [this] { makeFileWithoutScreened(); });
    connect(excelButton_, &QPushButton::clicked, this, [this] {
        OfficeHandOver::run(context_,
                            [this] { return office::statisticsWorkbook(grid_, caption().toStdString()); });
    });
    connect(wordButton_, &QPushButton::clicked, this,
            [this] { OfficeHandOver::run(context_, [this] { return office::statisticsDocument(grid_); }); });
    for (QDoubleSpinBox* box : {testLevelBox_, powerBox_, confidenceBox_})
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { recomputeDifferences(); });
    connect(secondGroupChooser_, &QComboBox::currentIndexChanged, this, [this] { fillSecondFiles(); });
    connect(secondFileChooser_, &QComboBox::currentIndexChanged, this, [this] { compareWithSecondFile(); });
    refreshScreening();
}

void StatisticsSubPage::showFile(const StudyDisk& disk, TSexGroup group, std::string series,
                                 std::string file) {
    try {
        std::vector<std::string> words;
        // Files whose pairs are not each shown once still have their tables of difference.
        AnalysisInput input = st::loadPairedInput(disk, group, series, file, words);
        source_ = Source{disk, group, std::move(series), std::move(file), std::move(input), std::move(words)};
    } catch (const UserError& error) {
        clear();
        showError(context_.prompter, error);
        return;
    }
    pathLabel_->setText(QString::fromStdString(shownPath(source_->input.dataPath)));
    recompute();
    fillSecondFiles();
}

void StatisticsSubPage::clear() {
    source_.reset();
    stats_.reset();
    pathLabel_->clear();
    refreshTable();
    refreshScreening();
}

void StatisticsSubPage::showImage(int index) {
    image_ = index;
    refreshTable();
}

void StatisticsSubPage::recompute() {
    if (!source_)
        return;
    const BusyCursor busy;
    stats_.reset();
    statisticsFailure_.clear();
    try {
        stats_ = st::computeFileStatistics(source_->input, source_->words, levelBox_->value() / 100.0,
                                           shareBox_->value() / 100.0);
    } catch (const UserError& error) {
        statisticsFailure_ = error.what();
    }
    recomputeDifferences();
    refreshScreening();
}

void StatisticsSubPage::recomputeDifferences() {
    if (!source_)
        return;
    const BusyCursor busy;
    const st::DifferenceSettings settings{testLevelBox_->value() / 100.0, confidenceBox_->value() / 100.0,
                                          powerBox_->value() / 100.0};
    differences_ = st::computeFileDifferences(source_->input, source_->words, settings);
    refreshTable();
}

// The data files of the page's series in the chosen group; choosing one compares it.
void StatisticsSubPage::fillSecondFiles() {
    {
        const QSignalBlocker quiet(secondFileChooser_);
        secondFileChooser_->clear();
        if (source_) {
            for (const std::string& name :
                 dataFileChoices(source_->disk, secondGroupChooser_->group(), source_->series))
                secondFileChooser_->addItem(QString::fromStdString(name));
        }
        secondFileChooser_->setCurrentIndex(-1);
    }
    comparison_.reset();
    refreshTable();
}

void StatisticsSubPage::compareWithSecondFile() {
    comparison_.reset();
    if (source_ && secondFileChooser_->currentIndex() >= 0) {
        try {
            const BusyCursor busy;
            std::vector<std::string> words;
            const AnalysisInput second =
                st::loadPairedInput(source_->disk, secondGroupChooser_->group(), source_->series,
                                    secondFileChooser_->currentText().toStdString(), words);
            comparison_ = st::compareFiles(source_->input, second, source_->words);
        } catch (const UserError& error) {
            showError(context_.prompter, error);
        }
    }
    refreshTable();
}

QString StatisticsSubPage::caption() const {
    return tableChooser_->currentText();
}

void StatisticsSubPage::refreshTable() {
    const int index = tableChooser_->currentIndex();
    const int images = differences_ ? static_cast<int>(differences_->images.size()) : 0;
    const bool summary = summaryBox_->isChecked() || image_ < 0 || image_ >= images;
    if (!differences_) {
        grid_ = TextGrid();
    } else if (index < st::kStatisticsTableCount && !stats_) {
        grid_ = st::statisticsGrid({{statisticsFailure_}});
    } else if (index < st::kStatisticsTableCount) {
        const auto table = static_cast<st::StatisticsTable>(index);
        grid_ = summary ? st::summaryStatisticsGrid(*stats_, table)
                        : st::imageStatisticsGrid(*stats_, table, image_ + 1);
    } else if (index < kGroupComparisonIndex) {
        grid_ = st::differenceGrid(*differences_,
                                   static_cast<st::DifferenceTable>(index - st::kStatisticsTableCount),
                                   summary ? 0 : image_ + 1);
    } else if (comparison_) {
        grid_ = st::groupComparisonGrid(*comparison_, summary ? 0 : image_ + 1);
    } else {
        grid_ =
            st::statisticsGrid({{"比べるデータファイルを「比べる群」と「比べるファイル」で選んでください"}});
    }
    model_->refresh();
    view_->refresh();
    for (QPushButton* button : {saveButton_, copyButton_, printButton_})
        button->setEnabled(stats_.has_value());
}

void StatisticsSubPage::refreshScreening() {
    const bool ready = stats_.has_value();
    makeFileButton_->setEnabled(ready);
    if (!ready) {
        screenedLabel_->setText(QString::fromStdString(statisticsFailure_));
        return;
    }
    const st::Screening& screening = stats_->screening;
    if (!screening.testable) {
        screenedLabel_->setText(QString::fromStdString(
            st::messages::notTestable(screening.level, screening.smallestProbability)));
        return;
    }
    QStringList numbers;
    for (int n : screening.screenedNumbers())
        numbers << QString::number(n);
    screenedLabel_->setText(numbers.isEmpty()
                                ? text(st::messages::kNobodyScreened)
                                : QStringLiteral("除外候補の被験者: ") + numbers.join(QStringLiteral(", ")));
}

void StatisticsSubPage::makeFileWithoutScreened() {
    if (!source_ || !stats_)
        return;
    try {
        const std::filesystem::path target =
            st::screenedFilePath(source_->disk, source_->group, source_->series, source_->file,
                                 newFileNameEdit_->text().toStdString());
        // Checked before the question, so that nobody is asked about a file that will not be written.
        const TResponseMatrix kept = st::withoutScreened(source_->input.answers, stats_->screening);
        if (std::filesystem::exists(target)) {
            const PromptAnswer answer = context_.prompter.ask({text(st::messages::kOverwriteQuestion),
                                                               text(st::messages::kOverwriteCaption),
                                                               PromptButtons::YesNo, PromptIcon::Question});
            if (answer != PromptAnswer::Yes)
                return;
        }
        st::writeScreenedFile(target, source_->input.answers, stats_->screening);
        const QString name = QString::fromStdString(pathToUtf8(target.stem()));
        context_.prompter.ask({QStringLiteral("%1 を作成しました。被験者 %2 人のうち %3 人を残しました。")
                                   .arg(QString::fromStdString(shownPath(target)))
                                   .arg(source_->input.answers.subjects)
                                   .arg(kept.subjects),
                               QStringLiteral("除外候補を除いたファイルの作成"), PromptButtons::Ok,
                               PromptIcon::Information});
        emit fileWritten(name);
    } catch (const UserError& error) {
        showError(context_.prompter, error);
    }
}

}  // namespace kestrune
