#include "ui/correlation/CorrelationSideControls.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "analysis/DataFileChoices.h"
#include "ui/common/SexGroupChooser.h"

namespace kestrune {

CorrelationSideControls::CorrelationSideControls(const QString& imageName, const QString& physicalName,
                                                 const QString& settingName, QWidget* parent)
    : QObject(parent),
      imageButton_(new QRadioButton(QStringLiteral("イメージ"), parent)),
      physicalButton_(new QRadioButton(QStringLiteral("物理量"), parent)),
      groupChooser_(new SexGroupChooser(parent)),
      fileChooser_(new QComboBox(parent)),
      settingButton_(new QPushButton(QStringLiteral("設定"), parent)) {
    imageButton_->setObjectName(imageName);
    physicalButton_->setObjectName(physicalName);
    settingButton_->setObjectName(settingName);
    settingButton_->setToolTip(QStringLiteral("物理量の値を設定します。"));
    // The two kinds of one side exclude each other, not the kinds of the other side.
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(imageButton_);
    kinds->addButton(physicalButton_);
    imageButton_->setChecked(true);
    updateEnabling();

    // A kind button acts when it becomes the chosen one, as a click on it does.
    for (QRadioButton* button : {imageButton_, physicalButton_}) {
        connect(button, &QRadioButton::toggled, this, [this](bool checked) {
            if (!checked)
                return;
            updateEnabling();
            emit kindChosen();
        });
    }
    connect(groupChooser_, &QComboBox::currentIndexChanged, this, &CorrelationSideControls::groupChanged);
    connect(fileChooser_, &QComboBox::currentIndexChanged, this, &CorrelationSideControls::fileChanged);
    connect(settingButton_, &QPushButton::clicked, this, &CorrelationSideControls::settingClicked);
}

bool CorrelationSideControls::physical() const {
    return physicalButton_->isChecked();
}

TSexGroup CorrelationSideControls::group() const {
    return groupChooser_->group();
}

std::string CorrelationSideControls::fileName() const {
    return fileChooser_->currentText().toStdString();
}

void CorrelationSideControls::updateEnabling() {
    const bool images = imageButton_->isChecked();
    groupChooser_->setEnabled(images);
    fileChooser_->setEnabled(images);
    settingButton_->setEnabled(!images);
}

void CorrelationSideControls::refillFiles(const StudyDisk& disk, std::string_view series) {
    const QSignalBlocker blocker(fileChooser_);
    fileChooser_->clear();
    for (const std::string& name : dataFileChoices(disk, group(), series))
        fileChooser_->addItem(QString::fromStdString(name));
    if (fileChooser_->count() > 0)
        fileChooser_->setCurrentIndex(0);
}

void CorrelationSideControls::refreshFiles(const StudyDisk& disk, std::string_view series) {
    const QString chosen = fileChooser_->currentText();
    refillFiles(disk, series);
    const QSignalBlocker blocker(fileChooser_);
    if (const int kept = fileChooser_->findText(chosen); kept >= 0)
        fileChooser_->setCurrentIndex(kept);
}

void CorrelationSideControls::chooseGroupWithData(const StudyDisk& disk, std::string_view series) {
    groupChooser_->chooseGroupWithData(disk, series);
}

void CorrelationSideControls::selectFirstGroup() {
    const QSignalBlocker blocker(groupChooser_);
    groupChooser_->setCurrentIndex(0);
}

}  // namespace kestrune
