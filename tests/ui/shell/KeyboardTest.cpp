// Every page is usable by keyboard alone: from the page's tab, Tab reaches each enabled,
// visible button of the page, in the order they are shown (along a row, and down a column), and
// comes back to the tab without looping anywhere, and Shift+Tab walks the same way back.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <cstdlib>
#include <filesystem>

#include "tests/ui/shell/MainWindowFixture.h"
#include "ui/analysis/AnalysisPage.h"
#include "ui/analysis/DataFileList.h"
#include "ui/common/SexGroupChooser.h"
#include "ui/shell/CatalogueReload.h"

namespace kestrune::testing {
namespace {

class KeyboardTest : public MainWindowTest {
  protected:
    void SetUp() override {
        std::filesystem::copy(std::filesystem::path(KESTRUNE_EXAMPLES) / "study-disk", disk.root(),
                              std::filesystem::copy_options::recursive);
        openWindow();
        window->resize(1000, 540);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    QTabBar* tabBar() const { return window->pages()->tabBar(); }

    // The widgets the focus visits, pressing Tab (or Shift+Tab) on the focus widget each time,
    // until it is back on the page tabs. Empty when it never comes back (a trap or a loop).
    static QList<QWidget*> walk(QWidget* start, bool forward) {
        start->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        QList<QWidget*> visited;
        for (int press = 0; press < 1500; ++press) {
            QWidget* focus = QApplication::focusWidget();
            if (focus == nullptr)
                return {};
            QTest::keyClick(focus, forward ? Qt::Key_Tab : Qt::Key_Backtab,
                            forward ? Qt::NoModifier : Qt::ShiftModifier);
            QWidget* now = QApplication::focusWidget();
            if (now == start)
                return visited;
            if (visited.isEmpty() || visited.back() != now)
                visited << now;
        }
        return {};
    }

    static QList<QPushButton*> buttonsIn(const QList<QWidget*>& widgets) {
        QList<QPushButton*> buttons;
        for (QWidget* widget : widgets) {
            if (auto* button = qobject_cast<QPushButton*>(widget);
                button != nullptr && !buttons.contains(button))
                buttons << button;
        }
        return buttons;
    }

    // A widget as a message names it: its caption or accessible name, and its class.
    static std::string nameOf(const QWidget* widget) {
        QString label = widget->accessibleName();
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            label = button->text();
        return label.toStdString() + " (" + widget->metaObject()->className() + ")";
    }

    static QStringList captions(const QList<QPushButton*>& buttons) {
        QStringList texts;
        for (QPushButton* button : buttons)
            texts << button->text();
        return texts;
    }

    // Tab and Shift+Tab from the page's tab reach every shown, enabled button of the page, the
    // one the reverse of the other, and never see a hidden control.
    void checkPage(int tab) {
        SCOPED_TRACE(window->pages()->tabText(tab).toStdString());
        QWidget* page = window->pages()->widget(tab);
        const QList<QWidget*> forward = walk(tabBar(), true);
        ASSERT_FALSE(forward.isEmpty()) << "Tab never came back to the page tabs";
        for (QWidget* widget : forward)
            EXPECT_TRUE(widget->isVisible())
                << widget->metaObject()->className() << " " << widget->accessibleName().toStdString();
        QList<QPushButton*> expected;
        for (QPushButton* button : page->findChildren<QPushButton*>()) {
            if (button->isVisible() && button->isEnabled() && (button->focusPolicy() & Qt::TabFocus))
                expected << button;
        }
        ASSERT_FALSE(expected.isEmpty());
        const QList<QPushButton*> reached = buttonsIn(forward);
        for (QPushButton* button : expected)
            EXPECT_TRUE(reached.contains(button)) << "not reached: " << button->text().toStdString();

        // Within one group of buttons (one parent) Tab follows the reading order: each next
        // button is on a lower row, or on the same row further right.
        for (qsizetype i = 1; i < reached.size(); ++i) {
            const QPushButton* before = reached[i - 1];
            const QPushButton* after = reached[i];
            if (before->parentWidget() != after->parentWidget())
                continue;
            const QRect was(before->mapTo(window.get(), QPoint(0, 0)), before->size());
            const QRect is(after->mapTo(window.get(), QPoint(0, 0)), after->size());
            const bool sameRow = std::abs(is.center().y() - was.center().y()) < was.height() / 2;
            EXPECT_TRUE(sameRow ? is.left() > was.left() : is.top() > was.top())
                << before->text().toStdString() << " -> " << after->text().toStdString();
        }

        // Within one column of the page (widgets whose spans across overlap) Tab goes down: a
        // control above another is reached before it.
        QList<QWidget*> onPage;
        for (QWidget* widget : forward) {
            if (page->isAncestorOf(widget))
                onPage << widget;
        }
        for (qsizetype i = 0; i < onPage.size(); ++i) {
            const QRect first(onPage[i]->mapTo(window.get(), QPoint(0, 0)), onPage[i]->size());
            for (qsizetype j = i + 1; j < onPage.size(); ++j) {
                const QRect later(onPage[j]->mapTo(window.get(), QPoint(0, 0)), onPage[j]->size());
                const bool sameColumn = first.left() < later.right() && later.left() < first.right();
                EXPECT_FALSE(sameColumn && later.bottom() < first.top())
                    << nameOf(onPage[i]) << " is reached before " << nameOf(onPage[j])
                    << ", which is above it";
            }
        }

        const QList<QWidget*> backward = walk(tabBar(), false);
        ASSERT_FALSE(backward.isEmpty()) << "Shift+Tab never came back to the page tabs";
        QList<QPushButton*> back = buttonsIn(backward);
        std::reverse(back.begin(), back.end());
        EXPECT_EQ(captions(back), captions(reached));
    }
};

TEST_F(KeyboardTest, EveryPageIsWalkedByTabBothWaysWithoutATrap) {
    for (int tab = CatalogueReload::SeriesTab; tab <= CatalogueReload::DiagramTab; ++tab) {
        window->pages()->setCurrentIndex(tab);
        QCoreApplication::processEvents();
        checkPage(tab);
    }
}

// The scale value table after "データ集計": its buttons follow the hidden sub-page tabs.
TEST_F(KeyboardTest, TheAnalysisSubPagesButtonsAreReachedAfterEachButton) {
    window->pages()->setCurrentIndex(CatalogueReload::AnalysisTab);
    AnalysisPage* page = window->analysisPage();
    page->sexGroupChooser()->setCurrentIndex(1);
    DataFileList* files = page->dataFileList();
    ASSERT_GT(files->topLevelItemCount(), 0);
    files->setCurrentItem(files->topLevelItem(0));
    for (QPushButton* button :
         {page->joinButton(), page->individualButton(), page->aggregateButton(), page->statisticsButton()}) {
        SCOPED_TRACE(button->text().toStdString());
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::processEvents();
        checkPage(CatalogueReload::AnalysisTab);
    }
    EXPECT_TRUE(prompter.messages.empty()) << prompter.lastText().toStdString();
}

}  // namespace
}  // namespace kestrune::testing
