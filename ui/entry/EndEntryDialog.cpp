#include "ui/entry/EndEntryDialog.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kestrune {

namespace {

QRadioButton* makeChoice(const QString& caption, const QString& hint, QWidget* parent) {
    auto* button = new QRadioButton(caption, parent);
    button->setToolTip(hint);
    return button;
}

}  // namespace

EndEntryDialog::EndEntryDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("入力終了"));
    setModal(true);
    saveAll_ = makeChoice(QStringLiteral("すべて保存して終了"),
                          QStringLiteral("指定したファイル名で上書き保存します。"), this);
    dropLast_ =
        makeChoice(QStringLiteral("最後の被験者(入力中)のデータだけを破棄して終了"),
                   QStringLiteral("入力途中の最後の被験者のデータを削除して上書き保存します。"), this);
    nothing_ = makeChoice(QStringLiteral("何もせずに終了"), QStringLiteral("保存作業は行いません。"), this);
    saveAll_->setObjectName(QStringLiteral("saveAll"));
    dropLast_->setObjectName(QStringLiteral("dropLast"));
    nothing_->setObjectName(QStringLiteral("nothing"));
    auto* group = new QButtonGroup(this);
    for (QRadioButton* button : {saveAll_, dropLast_, nothing_})
        group->addButton(button);

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    cancelButton_ = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("次の方法で終了してもよろしいですか?"), this));
    for (QRadioButton* button : {saveAll_, dropLast_, nothing_})
        layout->addWidget(button);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    layout->addLayout(buttons);
}

void EndEntryDialog::prepare(const EndChoices& choices) {
    saveAll_->setEnabled(choices.saveAllEnabled);
    dropLast_->setEnabled(choices.dropLastEnabled);
    nothing_->setEnabled(choices.nothingEnabled);
    choiceButton(choices.selected)->setChecked(true);
    okButton_->setFocus();
}

EndChoice EndEntryDialog::choice() const {
    if (saveAll_->isChecked())
        return EndChoice::SaveAll;
    if (dropLast_->isChecked())
        return EndChoice::DropLast;
    return EndChoice::Nothing;
}

QRadioButton* EndEntryDialog::choiceButton(EndChoice choice) const {
    switch (choice) {
        case EndChoice::SaveAll:
            return saveAll_;
        case EndChoice::DropLast:
            return dropLast_;
        case EndChoice::Nothing:
            return nothing_;
    }
    return nothing_;
}

}  // namespace kestrune
