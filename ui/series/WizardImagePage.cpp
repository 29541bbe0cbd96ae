#include "ui/series/WizardImagePage.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Error.h"
#include "core/Series.h"
#include "ui/common/AppContext.h"
#include "ui/common/Prompter.h"
#include "ui/series/WizardButtons.h"

namespace kestrune {

WizardImagePage::WizardImagePage(AppContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      wordBox_(new QLineEdit(this)),
      addButton_(new QPushButton(QStringLiteral("追加"), this)),
      imageList_(new QListWidget(this)),
      buttons_(new WizardButtons(QStringLiteral("次へ >>"), this)) {
    wordBox_->setObjectName(QStringLiteral("imageWordBox"));
    imageList_->setObjectName(QStringLiteral("imageList"));
    imageList_->setSelectionMode(QAbstractItemView::SingleSelection);

    struct ListButton {
        const char16_t* caption;
        void (WizardImagePage::*action)();
    };
    const ListButton listButtons[] = {
        {u"一番上へ", &WizardImagePage::moveToTop},  {u"上へ", &WizardImagePage::moveUp},
        {u"下へ", &WizardImagePage::moveDown},       {u"一番下へ", &WizardImagePage::moveToBottom},
        {u"削除", &WizardImagePage::removeSelected}, {u"全削除", &WizardImagePage::removeAll},
    };
    auto* listButtonColumn = new QVBoxLayout;
    for (const ListButton& button : listButtons) {
        auto* pushButton = new QPushButton(QString::fromUtf16(button.caption), this);
        pushButton->setAutoDefault(false);
        connect(pushButton, &QPushButton::clicked, this, button.action);
        listButtonColumn->addWidget(pushButton);
    }
    listButtonColumn->addStretch();
    auto* importButton = new QPushButton(QStringLiteral("他シリーズからの読み込み"), this);
    importButton->setObjectName(QStringLiteral("importWordsButton"));
    importButton->setAutoDefault(false);
    listButtonColumn->addWidget(importButton);
    connect(importButton, &QPushButton::clicked, this, &WizardImagePage::importWords);
    connect(addButton_, &QPushButton::clicked, this, &WizardImagePage::addWord);

    auto* grid = new QGridLayout;
    grid->addWidget(wordBox_, 0, 0);
    grid->addWidget(addButton_, 0, 1);
    grid->addWidget(imageList_, 1, 0);
    grid->addLayout(listButtonColumn, 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("アンケートに用いるイメージ名を入力してください。"), this));
    layout->addWidget(new QLabel(QStringLiteral("このデータはpaperディレクトリに保存されます。"), this));
    layout->addLayout(grid);
    layout->addWidget(buttons_);
}

QStringList WizardImagePage::words() const {
    QStringList result;
    for (int row = 0; row < imageList_->count(); ++row)
        result << imageList_->item(row)->text();
    return result;
}

int WizardImagePage::selectedRow() const {
    const QList<QListWidgetItem*> selected = imageList_->selectedItems();
    return selected.isEmpty() ? -1 : imageList_->row(selected.first());
}

void WizardImagePage::select(int row) {
    if (row < 0 || row >= imageList_->count()) {
        imageList_->clearSelection();
        imageList_->setCurrentRow(-1);
        return;
    }
    imageList_->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

void WizardImagePage::refuseTooMany() {
    context_.prompter.ask({QStringLiteral("イメージは%1個までしか登録できません。").arg(kMaxImages),
                           QStringLiteral("エラー"), PromptButtons::Ok, PromptIcon::None});
}

void WizardImagePage::addWord() {
    if (wordBox_->text().isEmpty())
        return;
    // The response board has room for this many rows only.
    if (imageList_->count() >= kMaxImages) {
        refuseTooMany();
        return;
    }
    imageList_->addItem(wordBox_->text());
    wordBox_->clear();
}

void WizardImagePage::removeSelected() {
    const int row = selectedRow();
    if (row < 0)
        return;
    delete imageList_->takeItem(row);
    select(std::min(row, imageList_->count() - 1));
}

void WizardImagePage::removeAll() {
    imageList_->clear();
}

void WizardImagePage::moveSelected(int to) {
    const int from = selectedRow();
    if (from < 0)
        return;
    to = std::clamp(to, 0, imageList_->count() - 1);
    if (to != from)
        imageList_->insertItem(to, imageList_->takeItem(from));
    select(to);
}

void WizardImagePage::moveUp() {
    moveSelected(selectedRow() - 1);
}
void WizardImagePage::moveDown() {
    moveSelected(selectedRow() + 1);
}
void WizardImagePage::moveToTop() {
    moveSelected(0);
}
void WizardImagePage::moveToBottom() {
    moveSelected(imageList_->count() - 1);
}

void WizardImagePage::importWords() {
    FileDialogRequest request;
    request.directory = QString::fromStdString(pathToUtf8(context_.disk.vocabularyDirectory()));
    request.filters = {QStringLiteral("イメージの語彙のファイル (*.pap)")};
    request.defaultSuffix = QStringLiteral("pap");
    request.mustExist = true;
    const QString file = context_.prompter.openFileName(request);
    if (file.isEmpty())
        return;
    try {
        const std::vector<std::string> imported = ReadVocabularyFile(pathFromUtf8(file.toStdString()));
        if (static_cast<int>(imported.size()) > kMaxImages) {
            refuseTooMany();
            return;
        }
        imageList_->clear();
        for (const std::string& word : imported)
            imageList_->addItem(QString::fromStdString(word));
    } catch (const UserError& error) {
        showError(context_.prompter, error);
    }
}

}  // namespace kestrune
