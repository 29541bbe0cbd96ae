#include "ui/series/SeriesWizard.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <filesystem>

#include "core/Error.h"
#include "core/Series.h"
#include "ui/common/AppContext.h"
#include "ui/common/Prompter.h"
#include "ui/series/PanelCountBox.h"
#include "ui/series/SeriesFileOperations.h"
#include "ui/series/WizardButtons.h"
#include "ui/series/WizardImagePage.h"
#include "ui/series/WizardNamePage.h"
#include "ui/series/WizardOrderPage.h"
#include "ui/series/WizardSummaryPage.h"

namespace kestrune {

namespace {
void askError(Prompter& prompter, const QString& text) {
    prompter.ask({text, QStringLiteral("エラー"), PromptButtons::Ok, PromptIcon::None});
}
}  // namespace

SeriesWizard::SeriesWizard(AppContext& context, const QString& driveText, QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint),
      context_(context),
      pages_(new QStackedWidget(this)),
      namePage_(new WizardNamePage(this)),
      imagePage_(new WizardImagePage(context, this)),
      orderPage_(new WizardOrderPage(context, this)),
      summaryPage_(new WizardSummaryPage(driveText, this)) {
    setWindowTitle(QStringLiteral("シリーズ作成ウィザード"));
    setModal(true);
    pages_->addWidget(namePage_);
    pages_->addWidget(imagePage_);
    pages_->addWidget(orderPage_);
    pages_->addWidget(summaryPage_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (WizardButtons* buttons :
         {namePage_->buttons(), imagePage_->buttons(), orderPage_->buttons(), summaryPage_->buttons()}) {
        connect(buttons->back(), &QPushButton::clicked, this, &SeriesWizard::back);
        connect(buttons->cancel(), &QPushButton::clicked, this, &SeriesWizard::cancel);
    }
    namePage_->buttons()->back()->setEnabled(false);
    connect(namePage_->buttons()->forward(), &QPushButton::clicked, this, &SeriesWizard::nameNext);
    connect(imagePage_->buttons()->forward(), &QPushButton::clicked, this, &SeriesWizard::imageNext);
    connect(orderPage_->buttons()->forward(), &QPushButton::clicked, this, &SeriesWizard::orderNext);
    connect(orderPage_->importButton(), &QPushButton::clicked, this,
            [this] { orderPage_->importOrder(panelCount()); });
    connect(summaryPage_->buttons()->forward(), &QPushButton::clicked, this, &SeriesWizard::finish);
    connect(namePage_->panelCountBox(), &PanelCountBox::valueChanged, this, &SeriesWizard::panelCountChanged);
    connect(namePage_->nameBox(), &QLineEdit::textChanged, summaryPage_, &WizardSummaryPage::showSeriesName);

    orderPage_->resetRows(10);
    showPage(NamePage);
}

int SeriesWizard::currentPage() const {
    return pages_->currentIndex();
}

int SeriesWizard::panelCount() const {
    return namePage_->panelCountBox()->value();
}

void SeriesWizard::showPage(Page page) {
    pages_->setCurrentIndex(page);
    // Each page has its own default button: "次へ >>" on pages 1 and 3, "追加" on page 2,
    // "完了" on the last.
    QPushButton* defaults[] = {namePage_->buttons()->forward(), imagePage_->addButton(),
                               orderPage_->buttons()->forward(), summaryPage_->buttons()->forward()};
    for (QPushButton* button : defaults) {
        if (button != nullptr)
            button->setDefault(false);
    }
    if (QPushButton* button = defaults[page])
        button->setDefault(true);
    if (page == NamePage)
        namePage_->nameBox()->setFocus();
    if (page == ImagePage)
        imagePage_->wordBox()->setFocus();
}

void SeriesWizard::panelCountChanged(int panelCount) {
    const int pairCount = panelCount * (panelCount - 1) / 2;
    orderPage_->resetRows(pairCount);
    namePage_->pairCountLabel()->setText(QString::number(pairCount));
    summaryPage_->panelCountLabel()->setText(QString::number(panelCount));
}

void SeriesWizard::nameNext() {
    if (namePage_->nameBox()->text().isEmpty()) {
        askError(context_.prompter, QStringLiteral("シリーズ名が入力されていません。"));
        return;
    }
    showPage(ImagePage);
}

void SeriesWizard::imageNext() {
    if (imagePage_->imageList()->count() == 0) {
        askError(context_.prompter, QStringLiteral("イメージが一つもありません。"));
        return;
    }
    summaryPage_->imageCountLabel()->setText(QString::number(imagePage_->imageList()->count()));
    showPage(OrderPage);
}

void SeriesWizard::orderNext() {
    if (!orderPage_->acceptOrder(panelCount()))
        return;
    showPage(SummaryPage);
    summaryPage_->revealTree();
}

void SeriesWizard::back() {
    if (currentPage() > NamePage)
        showPage(static_cast<Page>(currentPage() - 1));
}

void SeriesWizard::cancel() {
    const PromptAnswer answer =
        context_.prompter.ask({QStringLiteral("現在の設定を破棄しますか?"),
                               QStringLiteral("シリーズ作成の中止"), PromptButtons::YesNo, PromptIcon::None});
    if (answer == PromptAnswer::Yes)
        QDialog::reject();
}

void SeriesWizard::reject() {
    cancel();
}

void SeriesWizard::closeEvent(QCloseEvent* event) {
    event->ignore();
    cancel();
}

void SeriesWizard::finish() {
    namespace fs = std::filesystem;
    const StudyDisk& disk = context_.disk;
    const std::string name = namePage_->nameBox()->text().toStdString();
    try {
        // A name with a path separator would reach outside the series' own places.
        if (!isPlainFileName(name))
            throw UserError(messages::cannotCreate(pathToUtf8(disk.orderPath(name))));
        std::error_code error;
        if (fs::exists(disk.orderPath(name), error) || fs::exists(disk.vocabularyPath(name), error)) {
            const PromptAnswer answer = context_.prompter.ask(
                {QStringLiteral("同名のファイルが存在しますが、上書きしますか?"),
                 QStringLiteral("ファイルの上書きの確認"), PromptButtons::YesNo, PromptIcon::None});
            if (answer != PromptAnswer::Yes)
                return;
        }
        const fs::path root = disk.root();
        const fs::path directories[] = {root / "male",     root / "male" / pathFromUtf8(name),
                                        root / "female",   root / "female" / pathFromUtf8(name),
                                        root / "mix",      root / "mix" / pathFromUtf8(name),
                                        root / "order",    root / "paper",
                                        root / "physical", root / "physical" / pathFromUtf8(name)};
        for (const fs::path& directory : directories)
            fs::create_directory(directory, error);

        WriteOrderFile(disk, name, summaryPage_->panelCountLabel()->text().toStdString(),
                       namePage_->pairCountLabel()->text().toStdString(), orderPage_->rows());
        WriteVocabularyFile(disk, name, [this] {
            std::vector<std::string> words;
            for (const QString& word : imagePage_->words())
                words.push_back(word.toStdString());
            return words;
        }());
    } catch (const UserError& error) {
        showError(context_.prompter, error);
        return;
    }
    accept();
}

}  // namespace kestrune
