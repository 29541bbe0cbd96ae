#pragma once

#include <QDialog>
#include <QImage>
#include <filesystem>
#include <memory>
#include <optional>

#include "core/SexGroup.h"
#include "core/StudyDisk.h"

class QCheckBox;
class QCloseEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTimer;

namespace kestrune {

class Prompter;
namespace collect {
class Server;
class Session;
}  // namespace collect

// "端末で回答": a collection session for the entry page's series and group. Before it starts:
// the file name, the expected number of subjects, the sample codes, the shuffle and the address;
// while it runs: the QR code, the URL and the short code in large type, the handout, and the
// live table of subjects. "受付終了" writes the data file.
class CollectWindow : public QDialog {
    Q_OBJECT
  public:
    CollectWindow(const StudyDisk& disk, std::string series, TSexGroup group, Prompter& prompter,
                  const QString& proposedName, QWidget* parent = nullptr);
    ~CollectWindow() override;

    bool running() const { return session_ != nullptr; }
    QString joinUrl() const;
    // Where a subject who cannot scan the code types the address, then the short code.
    QString entryText() const;
    QLineEdit* fileNameBox() const { return fileNameBox_; }
    QLineEdit* addressBox() const { return addressBox_; }
    QTableWidget* subjectTable() const { return table_; }
    QLabel* qrLabel() const { return qrLabel_; }
    // Refreshes the table from the session (the timer does it every second).
    void refreshTable();

  signals:
    // The data file was written: the lists that show data files need a refresh.
    void dataFileWritten();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    void start();
    bool finish();
    bool overwriteAllowed(const std::filesystem::path& data);
    void printHandout();
    void showRunning(bool running);

    StudyDisk disk_;
    std::string series_;
    TSexGroup group_;
    Prompter& prompter_;
    std::unique_ptr<collect::Session> session_;
    std::unique_ptr<collect::Server> server_;
    QImage qrImage_;
    // The data file the researcher agreed to overwrite at the start, as it was then.
    std::optional<std::filesystem::file_time_type> confirmedOverwrite_;

    QWidget* settingsPart_ = nullptr;
    QWidget* runningPart_ = nullptr;
    QLineEdit* fileNameBox_ = nullptr;
    QSpinBox* subjectsBox_ = nullptr;
    QLineEdit* codesBox_ = nullptr;
    QCheckBox* shuffleBox_ = nullptr;
    QLineEdit* addressBox_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QLabel* qrLabel_ = nullptr;
    QLabel* urlLabel_ = nullptr;
    QLabel* shortCodeLabel_ = nullptr;
    QLabel* entryLabel_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* endButton_ = nullptr;
    QTableWidget* table_ = nullptr;
    QTimer* timer_ = nullptr;
};

}  // namespace kestrune
