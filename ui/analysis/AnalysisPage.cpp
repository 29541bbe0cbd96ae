#include "ui/analysis/AnalysisPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>

#include "ui/common/AppContext.h"
#include "ui/common/SexGroupChooser.h"

namespace kestrune {

AnalysisPage::AnalysisPage(AppContext& context, QWidget* parent)
    : QWidget(parent),
      context_(context),
      seriesChooser_(new QComboBox(this)),
      sexGroupChooser_(new SexGroupChooser(this)),
      dataFileList_(new QTreeWidget(this)),
      subPages_(new QTabWidget(this)) {
    seriesChooser_->setObjectName(QStringLiteral("analysisSeriesChooser"));
    dataFileList_->setObjectName(QStringLiteral("analysisDataFileList"));
    dataFileList_->setRootIsDecorated(false);
    dataFileList_->setHeaderLabels(
        {QStringLiteral("ファイル名"), QStringLiteral("人数"), QStringLiteral("コメント")});
    setDataFileColumnWidths();

    subPages_->setObjectName(QStringLiteral("analysisSubPages"));
    subPages_->addTab(new QWidget, QStringLiteral("データの結合"));
    subPages_->addTab(new QWidget, QStringLiteral("個人データ"));
    subPages_->addTab(new QWidget, QStringLiteral("データ集計"));
    subPages_->addTab(new QWidget, QString());
    subPages_->tabBar()->hide();
    showSubPage(EmptySubPage);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("シリーズ名"), this), 0, 0);
    layout->addWidget(seriesChooser_, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("性別"), this), 0, 2);
    layout->addWidget(sexGroupChooser_, 0, 3);
    layout->addWidget(dataFileList_, 1, 0, 1, 4);
    layout->addWidget(subPages_, 0, 4, 2, 1);
    layout->setColumnStretch(4, 1);
}

void AnalysisPage::showSubPage(SubPage page) {
    subPages_->setCurrentIndex(page);
}

void AnalysisPage::setDataFileColumnWidths() {
    dataFileList_->setColumnWidth(0, 200);
    dataFileList_->setColumnWidth(1, 50);
    dataFileList_->setColumnWidth(2, 80);
}

// The scale value set-up arrives with the aggregation; until then the page only keeps its series.
void AnalysisPage::setUpPage() {
    static_cast<void>(context_);
}

}  // namespace kestrune
