#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "analysis/AnalysisInput.h"
#include "analysis/statistics/FileDifferences.h"
#include "analysis/statistics/FileStatistics.h"
#include "core/SexGroup.h"
#include "core/StudyDisk.h"
#include "core/TextGrid.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kestrune {

struct AppContext;
class SexGroupChooser;
class TextGridModel;
class TextGridView;

// The statistics sub-page of the analysis page: for one data file, the consistency of each
// subject, the agreement among them, Thurstone's and Bradley–Terry's scales and the order
// effect, the tests of difference with their letters, the score intervals, the win
// probabilities, the sample size plan and the comparison with a second data file of the series,
// one table at a time, for the image of the page's image tabs or summarised over the images;
// the shown table can be saved, copied, printed and handed to the office suite. Below it the
// screening: the subjects inconsistent on more than a share of the images at a level, and a
// new data file without them.
class StatisticsSubPage : public QWidget {
    Q_OBJECT
  public:
    explicit StatisticsSubPage(AppContext& context, QWidget* parent = nullptr);

    // Reads and computes everything for a file; a failure is shown and the page keeps what it
    // showed before.
    void showFile(const StudyDisk& disk, TSexGroup group, std::string series, std::string file);
    // Empties the table, its path label and the screening.
    void clear();
    // The image of the page's image tabs (0 for the first).
    void showImage(int index);

    QComboBox* tableChooser() const { return tableChooser_; }
    QCheckBox* summaryBox() const { return summaryBox_; }
    QDoubleSpinBox* levelBox() const { return levelBox_; }
    QDoubleSpinBox* shareBox() const { return shareBox_; }
    QLabel* screenedLabel() const { return screenedLabel_; }
    QLineEdit* newFileNameEdit() const { return newFileNameEdit_; }
    QPushButton* saveButton() const { return saveButton_; }
    QPushButton* copyButton() const { return copyButton_; }
    QPushButton* printButton() const { return printButton_; }
    QPushButton* makeFileButton() const { return makeFileButton_; }
    QPushButton* excelButton() const { return excelButton_; }
    QPushButton* wordButton() const { return wordButton_; }
    QDoubleSpinBox* testLevelBox() const { return testLevelBox_; }
    QDoubleSpinBox* powerBox() const { return powerBox_; }
    QDoubleSpinBox* confidenceBox() const { return confidenceBox_; }
    SexGroupChooser* secondGroupChooser() const { return secondGroupChooser_; }
    QComboBox* secondFileChooser() const { return secondFileChooser_; }
    TextGridView* gridView() const { return view_; }
    const TextGrid& grid() const { return grid_; }
    QLabel* pathLabel() const { return pathLabel_; }

  signals:
    // A data file was written beside the shown one: its name.
    void fileWritten(const QString& name);

  private:
    void recompute();
    void recomputeDifferences();
    void fillSecondFiles();
    void compareWithSecondFile();
    void refreshTable();
    void refreshScreening();
    void makeFileWithoutScreened();
    QString caption() const;

    AppContext& context_;
    struct Source {
        StudyDisk disk;
        TSexGroup group;
        std::string series;
        std::string file;
        AnalysisInput input;
        std::vector<std::string> words;
    };
    std::optional<Source> source_;
    std::optional<statistics::FileStatistics> stats_;  // none when the file has no tournaments
    std::string statisticsFailure_;                    // why, in that case
    std::optional<statistics::FileDifferences> differences_;
    std::optional<statistics::FileGroupComparison> comparison_;
    int image_ = 0;
    TextGrid grid_;

    QLabel* pathLabel_;
    QComboBox* tableChooser_;
    QCheckBox* summaryBox_;
    TextGridModel* model_;
    TextGridView* view_;
    QPushButton* saveButton_;
    QPushButton* copyButton_;
    QPushButton* printButton_;
    QPushButton* excelButton_;
    QPushButton* wordButton_;
    QDoubleSpinBox* testLevelBox_;
    QDoubleSpinBox* powerBox_;
    QDoubleSpinBox* confidenceBox_;
    SexGroupChooser* secondGroupChooser_;
    QComboBox* secondFileChooser_;
    QDoubleSpinBox* levelBox_;
    QDoubleSpinBox* shareBox_;
    QLabel* screenedLabel_;
    QLineEdit* newFileNameEdit_;
    QPushButton* makeFileButton_;
};

}  // namespace kestrune
