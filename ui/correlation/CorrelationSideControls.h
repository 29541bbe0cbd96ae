#pragma once

#include <QObject>
#include <string>
#include <string_view>

#include "core/StudyDisk.h"

class QComboBox;
class QPushButton;
class QRadioButton;
class QWidget;

namespace kestrune {

class SexGroupChooser;

// One side of a correlation page (a matrix area or a diagram axis): the kind buttons
// "イメージ" and "物理量", the sex group and file choosers that serve the images, and the
// "設定" button that serves the quantities. The page lays the controls out and reacts to the
// signals; the side keeps the enabling rule and knows how to refill its file chooser.
class CorrelationSideControls : public QObject {
    Q_OBJECT
  public:
    // `imageName` and `physicalName` are the kind buttons' object names (RadioButton1...),
    // `settingName` the "設定" button's (BitBtn28...).
    CorrelationSideControls(const QString& imageName, const QString& physicalName, const QString& settingName,
                            QWidget* parent);

    QRadioButton* imageButton() const { return imageButton_; }
    QRadioButton* physicalButton() const { return physicalButton_; }
    SexGroupChooser* groupChooser() const { return groupChooser_; }
    QComboBox* fileChooser() const { return fileChooser_; }
    QPushButton* settingButton() const { return settingButton_; }

    bool physical() const;
    TSexGroup group() const;
    // The file chooser's name, empty when it shows none.
    std::string fileName() const;

    // The group and file choosers serve "イメージ", the "設定" button "物理量".
    void updateEnabling();
    // Empties the file chooser, lists the group's data files of the series in the order the
    // directory gives them, and selects the first; no file change is signalled.
    void refillFiles(const StudyDisk& disk, std::string_view series);
    // Start-up: the first group chosen.
    void selectFirstGroup();
    // The files listed again as the disk has them now, the chosen one kept when still there.
    void refreshFiles(const StudyDisk& disk, std::string_view series);
    // Quietly chooses the first group holding a data file of the series when the chosen one
    // holds none.
    void chooseGroupWithData(const StudyDisk& disk, std::string_view series);

  signals:
    void kindChosen();
    void groupChanged();
    void fileChanged();
    void settingClicked();

  private:
    QRadioButton* imageButton_;
    QRadioButton* physicalButton_;
    SexGroupChooser* groupChooser_;
    QComboBox* fileChooser_;
    QPushButton* settingButton_;
};

}  // namespace kestrune
