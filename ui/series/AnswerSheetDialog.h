#pragma once

#include <QDialog>
#include <optional>

#include "core/Series.h"
#include "output/sheets/AnswerSheetLayout.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace kestrune {

class Prompter;

// "調査用紙の印刷": how many numbered sets and which sample codes, then where the sheets go
// (the printer or a PDF file). A choice the sheets cannot show is reported and the dialog
// stays open.
class AnswerSheetDialog : public QDialog {
    Q_OBJECT
  public:
    enum class Destination { Printer, PdfFile };

    AnswerSheetDialog(Prompter& prompter, TSeries series, QWidget* parent = nullptr);

    QCheckBox* numberedBox() const { return numberedBox_; }
    QSpinBox* subjectsBox() const { return subjectsBox_; }
    QLineEdit* codesBox() const { return codesBox_; }
    QPushButton* printButton() const { return printButton_; }
    QPushButton* pdfButton() const { return pdfButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

    // After the dialog was accepted.
    const AnswerSheetRequest& request() const { return request_; }
    Destination destination() const { return destination_; }

  private:
    void choose(Destination destination);

    Prompter& prompter_;
    TSeries series_;
    QCheckBox* numberedBox_;
    QSpinBox* subjectsBox_;
    QLineEdit* codesBox_;
    QPushButton* printButton_;
    QPushButton* pdfButton_;
    QPushButton* cancelButton_;
    AnswerSheetRequest request_;
    Destination destination_ = Destination::Printer;
};

}  // namespace kestrune
