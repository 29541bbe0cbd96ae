#pragma once

#include <QWidget>

#include "ui/CataloguePage.h"

class QComboBox;

namespace kestrune {

struct AppContext;
class EndEntryDialog;

// The entry page "データ入力/修正": the data file list, the response board and the entry run.
// While an entry runs the page asks the main window to lock the application.
class EntryPage : public QWidget, public CataloguePage {
    Q_OBJECT
  public:
    EntryPage(AppContext& context, EndEntryDialog& endDialog, QWidget* parent = nullptr);

    QComboBox* seriesChooser() override { return seriesChooser_; }
    void setUpPage() override;

    bool entryInProgress() const { return entryInProgress_; }
    // Before the main window closes: runs the entry's end step if an entry is in progress;
    // false keeps the window open.
    bool canClose();
    // Lists the data files again (after a data file operation elsewhere).
    void refreshDataFiles();

  signals:
    // True when an entry run starts (hide every other tab, disable the drive box), false
    // when it ends.
    void lockChanged(bool locked);

  private:
    AppContext& context_;
    EndEntryDialog& endDialog_;
    QComboBox* seriesChooser_;
    bool entryInProgress_ = false;
};

}  // namespace kestrune
