#include "ui/analysis/IndividualSubPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

#include "core/Error.h"
#include "output/office/IndividualTabs.h"
#include "ui/common/AppContext.h"
#include "ui/common/HintedButton.h"
#include "ui/common/OfficeHandOver.h"
#include "ui/common/Prompter.h"
#include "ui/common/TabOrder.h"
#include "ui/common/TableActions.h"
#include "ui/common/TextGridModel.h"
#include "ui/common/TextGridView.h"

namespace kestrune {

namespace {

// "被験者番号" written top to bottom, one character a line.
QLabel* verticalLabel(const QString& text, QWidget* parent) {
    QString stacked;
    for (const QChar character : text) {
        if (!stacked.isEmpty())
            stacked += QLatin1Char('\n');
        stacked += character;
    }
    auto* label = new QLabel(stacked, parent);
    label->setAccessibleName(text);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

IndividualSubPage::IndividualSubPage(AppContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      model_(new TextGridModel(grid_, this)),
      view_(new TextGridView(*model_, this)),
      imageTabs_(new QTabBar(this)),
      currentImage_(new QRadioButton(QStringLiteral("現在のイメージ"), this)),
      allImages_(new QRadioButton(QStringLiteral("全イメージ"), this)),
      saveButton_(new QPushButton(QStringLiteral("保存"), this)),
      printButton_(new QPushButton(QStringLiteral("印刷"), this)),
      copyButton_(new QPushButton(QStringLiteral("コピー"), this)),
      excelButton_(
          makeHintedButton(QStringLiteral("Excel97"), QStringLiteral("表をExcel97に転送します。"), this)) {
    setUpIndividualGrid(grid_, 0);
    view_->refresh();
    view_->setObjectName(QStringLiteral("StringGrid2"));
    view_->setAccessibleName(QStringLiteral("個人データ"));
    imageTabs_->setObjectName(QStringLiteral("individualImageTabs"));
    imageTabs_->setAccessibleName(QStringLiteral("イメージ"));
    imageTabs_->setExpanding(false);
    imageTabs_->setUsesScrollButtons(true);
    currentImage_->setChecked(true);

    auto* scope = new QGroupBox(this);
    auto* scopeLayout = new QHBoxLayout(scope);
    scopeLayout->addWidget(currentImage_);
    scopeLayout->addWidget(allImages_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(scope);
    for (QPushButton* button : {saveButton_, printButton_, copyButton_, excelButton_})
        buttons->addWidget(button);
    buttons->addStretch();

    auto* layout = new QGridLayout(this);
    layout->addLayout(buttons, 0, 0, 1, 2);
    layout->addWidget(imageTabs_, 1, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("パネル番号"), this), 2, 1);
    layout->addWidget(verticalLabel(QStringLiteral("被験者番号"), this), 3, 0);
    layout->addWidget(view_, 3, 1);
    layout->setRowStretch(3, 1);
    layout->setColumnStretch(1, 1);
    setTabOrderAsShown(
        {currentImage_, allImages_, saveButton_, printButton_, copyButton_, excelButton_, imageTabs_, view_});

    connect(imageTabs_, &QTabBar::currentChanged, this, &IndividualSubPage::showSelectedImage);
    connect(saveButton_, &QPushButton::clicked, this, &IndividualSubPage::save);
    connect(printButton_, &QPushButton::clicked, this,
            [this] { printLinesWithDialog(context_.prompter, textLines()); });
    connect(copyButton_, &QPushButton::clicked, this, [this] { copyTableText(textLines()); });
    connect(excelButton_, &QPushButton::clicked, this, &IndividualSubPage::sendToSpreadsheet);
}

void IndividualSubPage::setUp(const AnalysisPageLabels& labels) {
    panelCount_ = labels.panelCount;
    imageWords_ = labels.imageWords;
    clear();
    {
        const QSignalBlocker quiet(imageTabs_);
        while (imageTabs_->count() > 0)
            imageTabs_->removeTab(0);
        for (const std::string& word : imageWords_)
            imageTabs_->addTab(QString::fromStdString(word));
        imageTabs_->setCurrentIndex(imageWords_.empty() ? -1 : 0);
    }
    view_->refresh();
}

void IndividualSubPage::clear() {
    setUpIndividualGrid(grid_, panelCount_);
    store_ = IndividualStore{};
    setOutputEnabled(false);
    view_->refresh();
}

void IndividualSubPage::setOutputEnabled(bool enabled) {
    for (QPushButton* button : {saveButton_, printButton_, copyButton_, excelButton_})
        button->setEnabled(enabled);
}

void IndividualSubPage::view(TSexGroup group, const std::string& series, const std::string& file) {
    try {
        viewIndividualInto(grid_, store_, context_.disk, group, series, file, imageTabs_->currentIndex(),
                           &context_.responseBuffer);
    } catch (const UserError&) {
        clear();
        throw;
    }
    setOutputEnabled(true);
    view_->refresh();
}

void IndividualSubPage::showSelectedImage() {
    if (imageTabs_->currentIndex() < 0 || store_.records.empty())
        return;
    showImage(grid_, store_, imageTabs_->currentIndex());
    view_->refresh();
}

std::vector<std::string> IndividualSubPage::textLines() {
    int selected = imageTabs_->currentIndex();
    const IndividualScope scope =
        allImages_->isChecked() ? IndividualScope::AllImages : IndividualScope::CurrentImage;
    std::vector<std::string> lines = individualTextLines(grid_, store_, imageWords_, scope, selected);
    {
        const QSignalBlocker quiet(imageTabs_);
        imageTabs_->setCurrentIndex(selected);
    }
    view_->refresh();
    return lines;
}

namespace {

// The export walks the image tabs of the page itself, so the table and the tabs end as the
// export leaves them.
class PageImageTabs : public office::IndividualImageTabs {
  public:
    PageImageTabs(QTabBar& tabs, TextGrid& grid, const IndividualStore& store, std::function<void()> shown)
        : tabs_(tabs), grid_(grid), store_(store), shown_(std::move(shown)) {}
    int tabCount() const override { return tabs_.count(); }
    int selectedTab() const override { return tabs_.currentIndex(); }
    std::string tabCaption(int tab) const override { return tabs_.tabText(tab).toStdString(); }
    void selectTab(int tab) override {
        const QSignalBlocker quiet(&tabs_);
        tabs_.setCurrentIndex(tab);
        showImage(grid_, store_, tab);
        shown_();
    }
    const TextGrid& grid() const override { return grid_; }

  private:
    QTabBar& tabs_;
    TextGrid& grid_;
    const IndividualStore& store_;
    std::function<void()> shown_;
};

}  // namespace

void IndividualSubPage::sendToSpreadsheet() {
    PageImageTabs tabs(*imageTabs_, grid_, store_, [this] { view_->refresh(); });
    const IndividualScope scope =
        allImages_->isChecked() ? IndividualScope::AllImages : IndividualScope::CurrentImage;
    OfficeHandOver::run(context_, [&] { return office::individualWorkbook(tabs, scope); });
}

void IndividualSubPage::save() {
    FileDialogRequest request;
    request.filters = {QStringLiteral("text (*.txt)")};
    request.defaultSuffix = QStringLiteral("txt");
    request.fileName = lastFileName_;
    request.confirmOverwrite = true;
    const QString fileName = context_.prompter.saveFileName(request);
    if (fileName.isEmpty())
        return;
    lastFileName_ = fileName;
    writeTableFile(context_.prompter, fileName, textLines());
}

}  // namespace kestrune
