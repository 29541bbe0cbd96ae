#include "ui/series/WizardSummaryPage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/series/WizardButtons.h"

namespace kestrune {

namespace {
struct Place {
    const char* folder;
    const char* suffix;
    bool isFile;
};
constexpr Place kPlaces[] = {{"male", "", false},     {"female", "", false},   {"mix", "", false},
                             {"order", ".ord", true}, {"paper", ".pap", true}, {"physical", "", false}};
}  // namespace

WizardSummaryPage::WizardSummaryPage(const QString& driveText, QWidget* parent)
    : QWidget(parent),
      summaryTree_(new QTreeWidget(this)),
      panelCountLabel_(new QLabel(QStringLiteral("5"), this)),
      imageCountLabel_(new QLabel(QStringLiteral("0"), this)),
      buttons_(new WizardButtons(QStringLiteral("完了"), this)) {
    summaryTree_->setObjectName(QStringLiteral("summaryTree"));
    summaryTree_->setHeaderHidden(true);
    summaryTree_->setSelectionMode(QAbstractItemView::NoSelection);
    summaryTree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The root, six folders and six leaves all in view.
    summaryTree_->setMinimumHeight(13 * (fontMetrics().height() + 6) + 8);
    panelCountLabel_->setObjectName(QStringLiteral("summaryPanelCount"));
    imageCountLabel_->setObjectName(QStringLiteral("summaryImageCount"));

    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon fileIcon = style()->standardIcon(QStyle::SP_FileIcon);
    auto* root = new QTreeWidgetItem(summaryTree_, {driveText});
    root->setIcon(0, style()->standardIcon(QStyle::SP_DriveHDIcon));
    for (const Place& place : kPlaces) {
        auto* folder = new QTreeWidgetItem(root, {QString::fromLatin1(place.folder)});
        folder->setIcon(0, folderIcon);
        auto* leaf = new QTreeWidgetItem(folder, {QString()});
        leaf->setIcon(0, place.isFile ? fileIcon : folderIcon);
    }

    auto* panelRow = new QHBoxLayout;
    panelRow->setSpacing(0);
    panelRow->addWidget(new QLabel(QStringLiteral("パネル枚数は"), this));
    panelRow->addWidget(panelCountLabel_);
    panelRow->addWidget(new QLabel(QStringLiteral("枚"), this));
    panelRow->addStretch();
    auto* imageRow = new QHBoxLayout;
    imageRow->setSpacing(0);
    imageRow->addWidget(new QLabel(QStringLiteral("イメージ語彙の数は"), this));
    imageRow->addWidget(imageCountLabel_);
    imageRow->addWidget(new QLabel(QStringLiteral("個です。"), this));
    imageRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("以上で設定は終了しました。以下のディレクトリとファイルを作成します。"), this));
    layout->addWidget(summaryTree_);
    layout->addLayout(panelRow);
    layout->addLayout(imageRow);
    layout->addWidget(buttons_);
}

void WizardSummaryPage::showSeriesName(const QString& name) {
    QTreeWidgetItem* root = summaryTree_->topLevelItem(0);
    for (int i = 0; i < root->childCount(); ++i) {
        root->child(i)->child(0)->setText(0, name + QString::fromLatin1(kPlaces[i].suffix));
    }
}

void WizardSummaryPage::revealTree() {
    summaryTree_->expandAll();
    summaryTree_->scrollToItem(summaryTree_->topLevelItem(0), QAbstractItemView::PositionAtTop);
}

}  // namespace kestrune
