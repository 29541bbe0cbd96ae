#include "ui/series/AnswerSheetDialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/Error.h"
#include "ui/common/Prompter.h"

namespace kestrune {

AnswerSheetDialog::AnswerSheetDialog(Prompter& prompter, TSeries series, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      prompter_(prompter),
      series_(std::move(series)),
      numberedBox_(new QCheckBox(QStringLiteral("被験者ごとに番号を入れて印刷する"), this)),
      subjectsBox_(new QSpinBox(this)),
      codesBox_(new QLineEdit(this)),
      printButton_(new QPushButton(QStringLiteral("印刷..."), this)),
      pdfButton_(new QPushButton(QStringLiteral("PDFファイルに保存..."), this)),
      cancelButton_(new QPushButton(QStringLiteral("キャンセル"), this)) {
    setWindowTitle(QStringLiteral("調査用紙の印刷"));
    setModal(true);
    setMinimumWidth(460);

    const QString name = QString::fromStdString(series_.name);
    auto* summary =
        new QLabel(QStringLiteral("シリーズ「%1」の調査用紙(一人あたり%2枚)を提示順序のとおりに印刷します。")
                       .arg(name)
                       .arg(series_.pairs.size()),
                   this);
    summary->setWordWrap(true);

    numberedBox_->setObjectName(QStringLiteral("numberedBox"));
    numberedBox_->setToolTip(
        QStringLiteral("被験者番号の欄に番号を印刷し、人数分の用紙を続けて出力します。"));
    subjectsBox_->setObjectName(QStringLiteral("subjectsBox"));
    subjectsBox_->setRange(1, kMaxSheetSubjects);
    subjectsBox_->setValue(20);
    subjectsBox_->setSuffix(QStringLiteral(" 人"));
    subjectsBox_->setEnabled(false);
    connect(numberedBox_, &QCheckBox::toggled, subjectsBox_, &QWidget::setEnabled);

    codesBox_->setObjectName(QStringLiteral("codesBox"));
    codesBox_->setPlaceholderText(QStringLiteral("例: 101,205,318 （空欄のときはパネルの番号）"));
    codesBox_->setToolTip(QStringLiteral("パネル1から順に、カンマで区切って入力してください。"));

    auto* form = new QFormLayout;
    form->addRow(numberedBox_);
    form->addRow(QStringLiteral("人数"), subjectsBox_);
    form->addRow(QStringLiteral("サンプルコード"), codesBox_);

    printButton_->setObjectName(QStringLiteral("printSheetsButton"));
    pdfButton_->setObjectName(QStringLiteral("pdfSheetsButton"));
    printButton_->setDefault(true);
    connect(printButton_, &QPushButton::clicked, this, [this] { choose(Destination::Printer); });
    connect(pdfButton_, &QPushButton::clicked, this, [this] { choose(Destination::PdfFile); });
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(printButton_);
    buttons->addWidget(pdfButton_);
    buttons->addWidget(cancelButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

void AnswerSheetDialog::choose(Destination destination) {
    const std::optional<int> subjects =
        numberedBox_->isChecked() ? std::optional<int>(subjectsBox_->value()) : std::nullopt;
    try {
        request_ = answerSheetRequest(series_, parseSampleCodes(codesBox_->text().toStdString()), subjects);
    } catch (const UserError& error) {
        showError(prompter_, error);
        return;
    }
    destination_ = destination;
    accept();
}

}  // namespace kestrune
