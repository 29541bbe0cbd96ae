#pragma once

#include <QAccessible>
#include <QHeaderView>
#include <QTest>
#include <filesystem>

#include "core/TextGrid.h"
#include "tests/output/TableGolden.h"
#include "tests/ui/shell/MainWindowFixture.h"
#include "ui/analysis/AnalysisPage.h"
#include "ui/analysis/DataFileList.h"
#include "ui/common/SexGroupChooser.h"
#include "ui/common/TextGridView.h"
#include "ui/shell/CatalogueReload.h"

namespace kestrune::testing {

// The main window on a copy of the tables' study disk (series "印象": 例題 in male, 一人 in
// female), showing the analysis page.
class AnalysisPageTest : public MainWindowTest {
  protected:
    void SetUp() override {
        std::filesystem::copy(tableData("study-disk"), disk.root(), std::filesystem::copy_options::recursive);
    }

    AnalysisPage* page() { return window->analysisPage(); }
    DataFileList* fileList() { return page()->dataFileList(); }

    void openAnalysisPage() {
        openWindow();
        window->resize(1280, 860);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->pages()->setCurrentIndex(CatalogueReload::AnalysisTab);
    }

    void chooseGroup(TSexGroup group) { page()->sexGroupChooser()->setCurrentIndex(static_cast<int>(group)); }

    QStringList listedNames() {
        QStringList names;
        for (int i = 0; i < fileList()->topLevelItemCount(); ++i)
            names << fileList()->topLevelItem(i)->text(0);
        return names;
    }

    // Clicks a file's row as the user does (with Ctrl to add it to the selection).
    void clickFile(const QString& name, Qt::KeyboardModifiers modifiers = {}) {
        const QList<QTreeWidgetItem*> found = fileList()->findItems(name, Qt::MatchExactly, 0);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        fileList()->scrollToItem(found.front());
        const QRect row = fileList()->visualItemRect(found.front());
        QTest::mouseClick(fileList()->viewport(), Qt::LeftButton, modifiers, row.center());
    }

    void clickHeader(int column) {
        QHeaderView* header = fileList()->header();
        const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    }

    // A grid as a screen reader reads it: the accessible table's cells, row by row.
    static std::vector<std::vector<std::string>> readAccessibleTable(TextGridView* view) {
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(view);
        std::vector<std::vector<std::string>> rows;
        if (table == nullptr || table->tableInterface() == nullptr)
            return rows;
        QAccessibleTableInterface* cells = table->tableInterface();
        for (int r = 0; r < cells->rowCount(); ++r) {
            rows.emplace_back();
            for (int c = 0; c < cells->columnCount(); ++c)
                rows.back().push_back(cells->cellAt(r, c)->text(QAccessible::Name).toStdString());
        }
        return rows;
    }

    static std::vector<std::vector<std::string>> cellsOf(const TextGrid& grid) {
        std::vector<std::vector<std::string>> rows(grid.rowCount());
        for (int r = 0; r < grid.rowCount(); ++r) {
            for (int c = 0; c < grid.columnCount(); ++c)
                rows[r].push_back(grid.cell(c, r));
        }
        return rows;
    }

    std::filesystem::path dataFile(TSexGroup group, const std::string& name) const {
        return disk.disk().dataPath(group, "印象", name);
    }
};

}  // namespace kestrune::testing
