#pragma once

#include <QDialog>
#include <functional>

#include "core/Picture.h"

class QPushButton;
class QString;
class QToolBar;

namespace kestrune {

struct AppContext;
class FigureView;
class Prompter;
class TextGrid;

// The number line window "データ集計": a tool bar to save, print and copy the graph, and the
// graph itself stretched over the rest of the window. Each graph gets a window of its own,
// with its own picture, released when the window closes.
class NumberLineWindow : public QDialog {
    Q_OBJECT
  public:
    explicit NumberLineWindow(Prompter& prompter, QWidget* parent = nullptr);

    // The analysis page's "グラフ": draws the scale value table with the data file's path as
    // caption and shows the graph modally. Nothing happens when nothing was aggregated; a
    // table that cannot be drawn is reported through the prompter and shows no window.
    static void showNumberLine(AppContext& context, const TextGrid& scaleValueTable, const QString& caption,
                               QWidget* parent);

    Picture& picture() { return picture_; }
    FigureView* figureView() const { return figureView_; }
    QToolBar* toolBar() const { return toolBar_; }
    QPushButton* saveButton() const { return saveButton_; }
    QPushButton* printButton() const { return printButton_; }
    QPushButton* copyButton() const { return copyButton_; }
    QPushButton* closeButton() const { return closeButton_; }

  private:
    void buildToolBar();
    QPushButton* addToolButton(const QString& caption, const QString& hint);
    // Runs one button's work; a failure is shown as a message, never left to the event loop.
    void guarded(const std::function<void()>& operation);

    Prompter& prompter_;
    Picture picture_;
    QToolBar* toolBar_ = nullptr;
    FigureView* figureView_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};

}  // namespace kestrune
