#pragma once

#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "analysis/AnalysisGrids.h"
#include "analysis/IndividualView.h"
#include "core/TextGrid.h"
#include "output/tables/IndividualText.h"

class QPushButton;
class QRadioButton;
class QTabBar;

namespace kestrune {

struct AppContext;
class TextGridModel;
class TextGridView;

// The individual data sub-page "個人データ": the image tabs, the individual data table
// (StringGrid2) of each subject's win counts on the image of the selected tab, the scope
// "現在のイメージ" / "全イメージ" and the buttons "保存", "印刷", "コピー".
class IndividualSubPage : public QWidget {
    Q_OBJECT
  public:
    explicit IndividualSubPage(AppContext& context, QWidget* parent = nullptr);

    // The page set-up: panel numbers in row 0 and one image tab per word; the store stays.
    void setUp(const AnalysisPageLabels& labels);
    // The individual view of a data file; the table is unchanged when the file cannot be read.
    void view(TSexGroup group, const std::string& series, const std::string& file);

    const TextGrid& grid() const { return grid_; }
    TextGridView* gridView() const { return view_; }
    QTabBar* imageTabs() const { return imageTabs_; }
    QRadioButton* currentImageChoice() const { return currentImage_; }
    QRadioButton* allImagesChoice() const { return allImages_; }
    QPushButton* saveButton() const { return saveButton_; }
    QPushButton* printButton() const { return printButton_; }
    QPushButton* copyButton() const { return copyButton_; }
    QPushButton* excelButton() const { return excelButton_; }
    // The individual text of the chosen scope ("全イメージ" selects the first tab afterwards).
    std::vector<std::string> textLines();

    // Empties the table; the output buttons wait for the next file.
    void clear();

  private:
    void setOutputEnabled(bool enabled);
    void showSelectedImage();
    void save();
    void sendToSpreadsheet();

    AppContext& context_;
    TextGrid grid_;
    IndividualStore store_;
    std::vector<std::string> imageWords_;
    int panelCount_ = 0;
    TextGridModel* model_;
    TextGridView* view_;
    QTabBar* imageTabs_;
    QRadioButton* currentImage_;
    QRadioButton* allImages_;
    QPushButton* saveButton_;
    QPushButton* printButton_;
    QPushButton* copyButton_;
    QPushButton* excelButton_;
    QString lastFileName_;
};

}  // namespace kestrune
