#include "ui/analysis/JoinSubPage.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "analysis/Merge.h"
#include "core/Error.h"
#include "ui/common/AppContext.h"
#include "ui/common/BusyCursor.h"
#include "ui/common/Prompter.h"

namespace kestrune {

JoinSubPage::JoinSubPage(AppContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      listWidget_(new QListWidget(this)),
      topButton_(new QPushButton(QStringLiteral("Top"), this)),
      upButton_(new QPushButton(QStringLiteral("Up"), this)),
      downButton_(new QPushButton(QStringLiteral("Down"), this)),
      bottomButton_(new QPushButton(QStringLiteral("Bottom"), this)),
      removeButton_(new QPushButton(QStringLiteral("消去"), this)),
      clearButton_(new QPushButton(QStringLiteral("全消去"), this)),
      resultGroupLabel_(new QLabel(this)),
      resultNameBox_(new QLineEdit(QStringLiteral("ALL"), this)),
      mergeButton_(new QPushButton(QStringLiteral("結合"), this)) {
    listWidget_->setObjectName(QStringLiteral("joinList"));
    listWidget_->setAccessibleName(QStringLiteral("結合リスト"));
    resultGroupLabel_->setObjectName(QStringLiteral("resultGroupLabel"));
    resultNameBox_->setAccessibleName(QStringLiteral("ファイル名"));

    auto* order = new QVBoxLayout;
    for (QPushButton* button :
         {topButton_, upButton_, downButton_, bottomButton_, removeButton_, clearButton_})
        order->addWidget(button);
    order->addStretch();

    auto* result = new QGroupBox(QStringLiteral("生成されるファイル"), this);
    auto* resultLayout = new QGridLayout(result);
    resultLayout->addWidget(new QLabel(QStringLiteral("性別"), result), 0, 0);
    resultLayout->addWidget(resultGroupLabel_, 0, 1);
    resultLayout->addWidget(new QLabel(QStringLiteral("ファイル名"), result), 1, 0);
    resultLayout->addWidget(resultNameBox_, 1, 1);
    resultLayout->addWidget(mergeButton_, 2, 1, Qt::AlignRight);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("結合リスト"), this), 0, 0);
    layout->addWidget(listWidget_, 1, 0);
    layout->addLayout(order, 1, 1);
    layout->addWidget(result, 2, 0, 1, 2);
    layout->setRowStretch(1, 1);
    layout->setColumnStretch(0, 1);

    connect(listWidget_, &QListWidget::currentRowChanged, this,
            [this](int row) { list_.select(row < 0 ? std::nullopt : std::optional<std::size_t>(row)); });
    connect(topButton_, &QPushButton::clicked, this, [this] { change(&JoinList::moveTop); });
    connect(upButton_, &QPushButton::clicked, this, [this] { change(&JoinList::moveUp); });
    connect(downButton_, &QPushButton::clicked, this, [this] { change(&JoinList::moveDown); });
    connect(bottomButton_, &QPushButton::clicked, this, [this] { change(&JoinList::moveBottom); });
    connect(removeButton_, &QPushButton::clicked, this, [this] { change(&JoinList::removeSelected); });
    connect(clearButton_, &QPushButton::clicked, this, [this] { change(&JoinList::clear); });
    connect(mergeButton_, &QPushButton::clicked, this, &JoinSubPage::merge);
}

void JoinSubPage::clear() {
    change(&JoinList::clear);
}

void JoinSubPage::add(const std::vector<JoinEntry>& chosen) {
    list_.add(chosen);
    show();
}

void JoinSubPage::change(void (JoinList::*operation)()) {
    (list_.*operation)();
    show();
}

void JoinSubPage::show() {
    const QSignalBlocker quiet(listWidget_);
    listWidget_->clear();
    for (const JoinEntry& entry : list_.entries())
        listWidget_->addItem(
            QString::fromStdString(StudyDisk::pathLabel(JoinList::pathOf(context_.disk, entry))));
    if (const std::optional<std::size_t> selected = list_.selected())
        listWidget_->setCurrentRow(static_cast<int>(*selected));
    resultGroupLabel_->setText(QString::fromStdString(list_.resultGroupLabel()));
}

void JoinSubPage::merge() {
    try {
        const std::string name = resultNameBox_->text().toStdString();
        const std::optional<MergeTarget> target = planMerge(context_.disk, list_, name);
        if (!target)
            return;
        std::error_code error;
        if (std::filesystem::exists(target->path, error)) {
            const PromptAnswer answer = context_.prompter.ask(
                {QStringLiteral("同名のファイルが存在しますが、上書きしますか?"),
                 QStringLiteral("ファイルの上書きの確認"), PromptButtons::YesNo, PromptIcon::None});
            if (answer != PromptAnswer::Yes)
                return;
        }
        {
            const BusyCursor busy;
            mergeDataFiles(context_.disk, list_, *target);
        }
        emit merged();
        // The result may go to a group the list does not show: say where it went.
        context_.prompter.ask({QStringLiteral("結合したファイルを %1 に保存しました。")
                                   .arg(QString::fromStdString(StudyDisk::pathLabel(target->path))),
                               QStringLiteral("データの結合"), PromptButtons::Ok, PromptIcon::Information});
    } catch (const UserError& error) {
        showError(context_.prompter, error);
    }
}

}  // namespace kestrune
