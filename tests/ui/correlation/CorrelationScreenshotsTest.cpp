// Both correlation pages, the editor and the page setup dialog on the sample study disk, as a
// researcher sees them: every caption whole. With KESTRUNE_SCREENSHOT_DIR naming a directory, each
// view is saved there as a PNG file.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "tests/ui/shell/MainWindowFixture.h"
#include "ui/common/SexGroupChooser.h"
#include "ui/correlation/CorrelationDiagramPage.h"
#include "ui/correlation/CorrelationMatrixPage.h"
#include "ui/correlation/CorrelationSideControls.h"
#include "ui/correlation/PhysicalQuantityEditor.h"
#include "ui/figures/PageSetupDialog.h"
#include "ui/shell/ApplicationSetup.h"

namespace kestrune::testing {
namespace {

class CorrelationScreenshotsTest : public MainWindowTest {
  protected:
    static void SetUpTestSuite() {
        static const bool once = (setUpApplication(), true);
        static_cast<void>(once);
    }

    void openSample() {
        MainWindowOptions options;
        options.studyDisk = std::filesystem::path(KESTRUNE_EXAMPLES) / "study-disk";
        window = std::make_unique<MainWindow>(context, options);
        window->resize(1100, 700);
        window->show();
    }

    // Captions of visible labels and buttons under `top` that get less room than they need.
    static QStringList clippedTexts(QWidget* top) {
        QStringList clipped;
        for (QWidget* widget : top->findChildren<QWidget*>()) {
            if (!widget->isVisibleTo(top))
                continue;
            QString text;
            if (auto* label = qobject_cast<QLabel*>(widget))
                text = label->text();
            if (auto* button = qobject_cast<QAbstractButton*>(widget))
                text = button->text();
            if (text.isEmpty())
                continue;
            if (widget->width() < widget->minimumSizeHint().width() ||
                widget->height() < widget->minimumSizeHint().height())
                clipped << text;
        }
        return clipped;
    }

    static void save(QWidget* widget, const QString& name) {
        const QString directory = qEnvironmentVariable("KESTRUNE_SCREENSHOT_DIR");
        if (!directory.isEmpty())
            widget->grab().save(directory + "/" + name + ".png");
    }
};

TEST_F(CorrelationScreenshotsTest, MatrixPage) {
    openSample();
    window->pages()->setCurrentWidget(window->matrixPage());
    CorrelationMatrixPage& page = *window->matrixPage();
    page.columnSide().groupChooser()->setCurrentIndex(2);
    page.rowSide().physicalButton()->click();
    EXPECT_GT(page.grid().rowCount(), 2);
    EXPECT_FALSE(page.grid().cell(1, 1).empty());
    EXPECT_TRUE(clippedTexts(&page).isEmpty()) << clippedTexts(&page).join(", ").toStdString();
    save(window.get(), QStringLiteral("correlation-matrix"));
}

TEST_F(CorrelationScreenshotsTest, DiagramPageWithALogarithmicQuantityInBlueSquares) {
    openSample();
    window->pages()->setCurrentWidget(window->diagramPage());
    CorrelationDiagramPage& page = *window->diagramPage();
    page.vertical().side->groupChooser()->setCurrentIndex(2);
    page.horizontal().side->physicalButton()->click();
    page.horizontal().logarithmic->click();
    prompter.colors.push_back(QColor(Qt::blue));
    page.colourButton()->click();
    page.shapeChooser()->setCurrentIndex(1);
    EXPECT_TRUE(page.horizontal().logarithmic->isChecked());
    EXPECT_FALSE(window->diagramPicture().empty());
    EXPECT_TRUE(clippedTexts(&page).isEmpty()) << clippedTexts(&page).join(", ").toStdString();
    save(window.get(), QStringLiteral("correlation-diagram"));
}

TEST_F(CorrelationScreenshotsTest, EditorAndPageSetup) {
    openSample();
    window->pages()->setCurrentWidget(window->matrixPage());
    CorrelationMatrixPage& page = *window->matrixPage();
    page.rowSide().physicalButton()->click();
    prompter.dialogHandlers.push_back([this](QDialog& dialog) {
        dialog.show();
        EXPECT_TRUE(clippedTexts(&dialog).isEmpty()) << clippedTexts(&dialog).join(", ").toStdString();
        save(&dialog, QStringLiteral("physical-quantity-editor"));
        return int(QDialog::Rejected);
    });
    page.rowSide().settingButton()->click();

    PageSetupDialog& setup = *window->pageSetupDialog();
    setup.show();
    EXPECT_TRUE(clippedTexts(&setup).isEmpty()) << clippedTexts(&setup).join(", ").toStdString();
    save(&setup, QStringLiteral("page-setup"));
    setup.hide();
}

}  // namespace
}  // namespace kestrune::testing
