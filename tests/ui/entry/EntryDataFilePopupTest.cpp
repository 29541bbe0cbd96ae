#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QTreeWidget>

#include "tests/ui/entry/EntryTestSupport.h"

namespace kestrune {
namespace {

using testing::EntryPageHost;

class EntryDataFilePopup : public ::testing::Test {
  protected:
    EntryDataFilePopup() {
        std::vector<std::string> lines{"1,10,4"};
        lines.resize(41, "0");
        host.disk.writeLines("male/飲料/調査1.dat", lines);
        page.setUpPage();
    }

    // Opens the list's popup by a right click at `at` (viewport coordinates), notes each item as
    // "caption" or "caption (disabled)", then clicks `choice` if it is enabled, else closes it.
    QStringList popUpAndChoose(QPoint at, const QString& choice) {
        QStringList offered;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr)
                return;
            QAction* chosen = nullptr;
            for (QAction* action : menu->actions()) {
                offered << action->text() + (action->isEnabled() ? QString() : QStringLiteral(" (disabled)"));
                if (action->text() == choice && action->isEnabled())
                    chosen = action;
            }
            if (chosen != nullptr) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(chosen).center());
            } else {
                menu->close();
            }
        });
        QWidget* viewport = page.dataFileList()->viewport();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &event);
        return offered;
    }

    QPoint rowCentre(int row) {
        QTreeWidget* list = page.dataFileList();
        return list->visualItemRect(list->topLevelItem(row)).center();
    }

    EntryPageHost host;
    EntryPage& page = *host.page;
};

TEST_F(EntryDataFilePopup, OpenIsOfferedOnlyWhileAFileIsSelected) {
    ASSERT_EQ(host.listedFiles(), QStringList{QStringLiteral("調査1")});
    const QPoint belowTheRows(10, page.dataFileList()->viewport()->height() - 5);
    EXPECT_EQ(popUpAndChoose(belowTheRows, QStringLiteral("開く")),
              (QStringList{QStringLiteral("新規入力"), QStringLiteral("開く (disabled)")}));
    EXPECT_FALSE(page.entryInProgress());

    QTest::mouseClick(page.dataFileList()->viewport(), Qt::LeftButton, {}, rowCentre(0));
    EXPECT_EQ(popUpAndChoose(rowCentre(0), QStringLiteral("開く")),
              (QStringList{QStringLiteral("新規入力"), QStringLiteral("開く")}));
    EXPECT_TRUE(page.entryInProgress());
    EXPECT_EQ(page.fileNameBox()->text(), QStringLiteral("調査1"));
}

TEST_F(EntryDataFilePopup, ListingTheFilesAgainTakesOpenAway) {
    QTest::mouseClick(page.dataFileList()->viewport(), Qt::LeftButton, {}, rowCentre(0));
    ASSERT_TRUE(page.openAction()->isEnabled());
    page.sexChooser()->setCurrentIndex(1);
    page.sexChooser()->setCurrentIndex(0);
    ASSERT_EQ(host.listedFiles(), QStringList{QStringLiteral("調査1")});
    EXPECT_EQ(popUpAndChoose(rowCentre(0), QStringLiteral("開く")),
              (QStringList{QStringLiteral("新規入力"), QStringLiteral("開く (disabled)")}));
    EXPECT_FALSE(page.entryInProgress());
}

}  // namespace
}  // namespace kestrune
