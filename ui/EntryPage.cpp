#include "ui/EntryPage.h"

#include <QComboBox>
#include <QVBoxLayout>

#include "ui/AppContext.h"
#include "ui/EndEntryDialog.h"

namespace kestrune {

EntryPage::EntryPage(AppContext& context, EndEntryDialog& endDialog, QWidget* parent)
    : QWidget(parent), context_(context), endDialog_(endDialog), seriesChooser_(new QComboBox(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(seriesChooser_);
    layout->addStretch();
}

void EntryPage::setUpPage() {}

bool EntryPage::canClose() {
    return true;
}

void EntryPage::refreshDataFiles() {}

}  // namespace kestrune
