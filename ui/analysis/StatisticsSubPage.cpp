#include "ui/analysis/StatisticsSubPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

#include "analysis/statistics/Screening.h"
#include "analysis/statistics/StatisticsGrids.h"
#include "analysis/statistics/StatisticsMessages.h"
#include "core/Error.h"
#include "ui/analysis/StatisticsTableActions.h"
#include "ui/common/AppContext.h"
#include "ui/common/Prompter.h"
#include "ui/common/TextGridModel.h"
#include "ui/common/TextGridView.h"

namespace kestrune {

namespace st = statistics;

namespace {

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QDoubleSpinBox* percentBox(double value, double lowest, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(lowest, 99.9);
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
    layout->addWidget(view_, 1);
    layout->addWidget(screening);

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
    refreshScreening();
}

void StatisticsSubPage::showFile(const StudyDisk& disk, TSexGroup group, std::string series,
                                 std::string file) {
    try {
        std::vector<std::string> words;
        AnalysisInput input = st::loadStatisticsInput(disk, group, series, file, words);
        source_ = Source{disk, group, std::move(series), std::move(file), std::move(input), std::move(words)};
    } catch (const UserError& error) {
        clear();
        showError(context_.prompter, error);
        return;
    }
    pathLabel_->setText(QString::fromStdString(shownPath(source_->input.dataPath)));
    recompute();
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
    stats_ = st::computeFileStatistics(source_->input, source_->words, levelBox_->value() / 100.0,
                                       shareBox_->value() / 100.0);
    refreshTable();
    refreshScreening();
}

QString StatisticsSubPage::caption() const {
    return tableChooser_->currentText();
}

void StatisticsSubPage::refreshTable() {
    if (!stats_) {
        grid_ = TextGrid();
    } else {
        const auto table = static_cast<st::StatisticsTable>(tableChooser_->currentIndex());
        const int images = static_cast<int>(stats_->images.size());
        if (summaryBox_->isChecked() || image_ < 0 || image_ >= images)
            grid_ = st::summaryStatisticsGrid(*stats_, table);
        else
            grid_ = st::imageStatisticsGrid(*stats_, table, image_ + 1);
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
        screenedLabel_->setText(QString());
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
