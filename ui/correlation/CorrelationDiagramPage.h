#pragma once

#include <QWidget>
#include <optional>

#include "analysis/CorrelationDiagram.h"
#include "ui/shell/CataloguePage.h"

class QCheckBox;
class QComboBox;
class QPushButton;

namespace kestrune {

struct AppContext;
class ColourSwatch;
class CorrelationSideControls;
class DiagramArea;
class PageSetupDialog;
class Picture;

// The correlation diagram page "相関図": the series, the vertical axis "縦軸" and the horizontal
// axis "横軸" (item list, "対数", kind, group, file, "設定"), the plot settings, the diagram
// area and the figure buttons. Every change redraws the diagram from the study disk into the
// main window's diagram picture, which is replaced only by a drawing that succeeds.
class CorrelationDiagramPage : public QWidget, public CataloguePage {
    Q_OBJECT
  public:
    CorrelationDiagramPage(AppContext& context, Picture& diagramPicture, PageSetupDialog& pageSetup,
                           QWidget* parent = nullptr);
    ~CorrelationDiagramPage() override;

    QComboBox* seriesChooser() override { return seriesChooser_; }
    // The diagram set-up: both item lists, both file choosers, then the drawing.
    void setUpPage() override;
    // Start-up: the first group of both axes and the first shape.
    void selectFirstChoices();

    // One axis' controls.
    struct Axis {
        QComboBox* items = nullptr;
        QCheckBox* logarithmic = nullptr;
        CorrelationSideControls* side = nullptr;
    };
    const Axis& vertical() const { return vertical_; }
    const Axis& horizontal() const { return horizontal_; }
    ColourSwatch* colourSwatch() const { return swatch_; }
    QPushButton* colourButton() const { return colourButton_; }
    QComboBox* shapeChooser() const { return shapeChooser_; }
    DiagramArea* diagramArea() const { return area_; }
    QPushButton* copyButton() const { return copyButton_; }
    QPushButton* saveButton() const { return saveButton_; }
    QPushButton* printButton() const { return printButton_; }
    QPushButton* pageSetupButton() const { return pageSetupButton_; }
    QPushButton* wordButton() const { return wordButton_; }

  signals:
    // "設定" of either axis: the main window edits the series' quantities and, after a save,
    // sets this page up again.
    void editQuantitiesRequested(const QString& series);

  protected:
    // The disk as it is now: the file choosers are listed again whenever the page is shown.
    void showEvent(QShowEvent* event) override;

  private:
    // A file the page chose itself that cannot be read is told in the diagram's area; one the
    // user chose is also told by a message.
    enum class Notice { InPage, Message };
    Axis makeAxis(const QString& imageName, const QString& physicalName, const QString& settingName,
                  const QString& checkName);
    QWidget* buildAxisArea(const QString& title, const Axis& axis);
    QWidget* buildPlotSettings();
    void connectAxis(const Axis& axis);
    void fillItems(const Axis& axis);
    // Loads one axis, or tells what the area shows instead.
    std::optional<DiagramOutcome> loadAxis(const Axis& axis, DiagramAxisInput& input) const;
    void draw(Notice notice = Notice::InPage);
    void chooseColour();
    void setUpPrintMargins();
    std::string series() const;

    AppContext& context_;
    Picture& diagramPicture_;
    PageSetupDialog& pageSetup_;
    QComboBox* seriesChooser_;
    Axis vertical_;
    Axis horizontal_;
    ColourSwatch* swatch_;
    QPushButton* colourButton_;
    QComboBox* shapeChooser_;
    DiagramArea* area_;
    QPushButton* copyButton_;
    QPushButton* saveButton_;
    QPushButton* printButton_;
    QPushButton* pageSetupButton_;
    QPushButton* wordButton_;
};

}  // namespace kestrune
