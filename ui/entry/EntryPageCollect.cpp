// "端末で回答" on the entry page: the collection window for the page's series and group.
#include <QComboBox>
#include <QDateTime>
#include <QLineEdit>

#include "entry/TEntryRun.h"
#include "ui/collect/CollectWindow.h"
#include "ui/common/AppContext.h"
#include "ui/common/Prompter.h"
#include "ui/entry/EntryPage.h"

namespace kestrune {

void EntryPage::openCollectWindow() {
    if (seriesChooser_->count() == 0 || !seriesReady_ || entryInProgress_)
        return;
    // The name is proposed as "新規入力" makes it, unless one is typed.
    QString name = fileNameBox_->text();
    if (name.isEmpty()) {
        const QDateTime now = clock_();
        name = QString::fromStdString(defaultEntryFileName(
            now.date().year(), now.date().month(), now.date().day(), now.time().hour(), now.time().minute()));
    }
    CollectWindow window(context_.disk, chosenSeries().toStdString(), chosenGroup(), context_.prompter, name,
                         this);
    connect(&window, &CollectWindow::dataFileWritten, this, [this] {
        setUpAfterWrite();
        emit dataFileCollected();
    });
    context_.prompter.runDialog(window);
}

}  // namespace kestrune
