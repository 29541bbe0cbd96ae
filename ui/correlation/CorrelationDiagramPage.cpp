#include "ui/correlation/CorrelationDiagramPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include "ui/common/AppContext.h"

namespace kestrune {

CorrelationDiagramPage::CorrelationDiagramPage(AppContext& context, QWidget* parent)
    : QWidget(parent), context_(context), seriesChooser_(new QComboBox(this)) {
    seriesChooser_->setObjectName(QStringLiteral("diagramSeriesChooser"));
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("シリーズ名"), this), 0, 0);
    layout->addWidget(seriesChooser_, 0, 1);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(1, 1);
}

// The diagram set-up arrives with the correlation diagram; until then the page only keeps its series.
void CorrelationDiagramPage::setUpPage() {
    static_cast<void>(context_);
}

}  // namespace kestrune
