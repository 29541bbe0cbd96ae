// The correlation diagram page driven through its controls in the main window: the picture it
// draws is the batch program's picture for the same choices, byte for byte as a metafile; the
// texts it shows instead; the "対数" box it clears; the page setup dialog behind its button.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "tests/ui/correlation/CorrelationDisk.h"
#include "tests/ui/shell/MainWindowFixture.h"
#include "ui/common/SexGroupChooser.h"
#include "ui/correlation/ColourSwatch.h"
#include "ui/correlation/CorrelationDiagramPage.h"
#include "ui/correlation/CorrelationSideControls.h"
#include "ui/correlation/DiagramArea.h"
#include "ui/figures/PageSetupDialog.h"

namespace kestrune::testing {
namespace {

class CorrelationDiagramPageTest : public MainWindowTest {
  protected:
    void SetUp() override {
        makeColourSeries(disk);
        disk.writeLines("physical/色/色.phy",
                        physicalLines({{"明度", "cd/m2", {"2", "12.5", "31", "120", "450"}},
                                       {"温度", "℃", {"-3.5", "8", "12", "20", "31"}}}));
        disk.writeLines("female/色/一人.dat", answerLines(1, 10, 4, 3));
    }

    CorrelationDiagramPage& page() { return *window->diagramPage(); }

    // The diagram as the page's "保存" writes it with "Enhanced MetaFile" chosen.
    std::string savedMetafile(const std::string& name) {
        const QString path = QString::fromStdString((disk.root() / name).string());
        prompter.fileNames.push_back(path);
        prompter.saveFilters.push_back(QStringLiteral("Enhanced MetaFile (*.emf)"));
        page().saveButton()->click();
        return readBytes(path.toStdString());
    }

    std::string cliMetafile(const std::string& arguments, const std::string& name) {
        return cliOutput(disk, "diagram 色 " + arguments, name);
    }
};

TEST_F(CorrelationDiagramPageTest, TwoImagesDrawTheBatchProgramsPicture) {
    openWindow();
    EXPECT_EQ(page().vertical().items->currentText(), QStringLiteral("明るい"));
    EXPECT_EQ(page().horizontal().side->fileChooser()->currentText(), QStringLiteral("春"));
    page().horizontal().items->setCurrentIndex(1);
    EXPECT_EQ(page().diagramArea()->text(), QString());
    EXPECT_EQ(page().diagramArea()->picture(), &window->diagramPicture());
    const std::string expected = cliMetafile("--x images:male:春:2 --y images:male:春:1", "cli.emf");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(savedMetafile("page.emf"), expected);
}

TEST_F(CorrelationDiagramPageTest, AQuantityOnALogarithmicAxisInBlueSquares) {
    openWindow();
    page().horizontal().side->physicalButton()->click();
    EXPECT_TRUE(page().horizontal().side->settingButton()->isEnabled());
    ASSERT_EQ(page().horizontal().items->count(), 2);
    EXPECT_EQ(page().horizontal().items->itemText(0), QStringLiteral("明度(cd/m2)"));
    page().horizontal().logarithmic->click();
    prompter.colors.push_back(QColor(Qt::blue));
    page().colourButton()->click();
    EXPECT_EQ(page().colourSwatch()->colour(), QColor(Qt::blue));
    page().shapeChooser()->setCurrentIndex(1);
    EXPECT_TRUE(page().horizontal().logarithmic->isChecked());
    const std::string expected =
        cliMetafile("--x physical:1 --y images:male:春:1 --xlog --shape 1 --color '#0000ff'", "log.emf");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(savedMetafile("log-page.emf"), expected);

    // A negative value: the box is cleared and the axis drawn linear.
    page().horizontal().items->setCurrentIndex(1);
    EXPECT_FALSE(page().horizontal().logarithmic->isChecked());
    const std::string linear =
        cliMetafile("--x physical:2 --y images:male:春:1 --shape 1 --color '#0000ff'", "lin.emf");
    EXPECT_EQ(savedMetafile("linear-page.emf"), linear);
}

TEST_F(CorrelationDiagramPageTest, AnAxisWithoutAVariableOrWithOneSubjectShowsItsTextAndKeepsThePicture) {
    openWindow();
    const std::string drawn = savedMetafile("before.emf");
    // Female data holds a single subject: no standard deviation.
    page().vertical().side->groupChooser()->setCurrentIndex(1);
    EXPECT_EQ(page().diagramArea()->text(), QStringLiteral("#DIV/0!"));
    EXPECT_EQ(page().diagramArea()->accessibleName(), QStringLiteral("#DIV/0!"));
    EXPECT_EQ(page().diagramArea()->picture(), nullptr);
    // Mixed: no data file at all.
    page().vertical().side->groupChooser()->setCurrentIndex(2);
    EXPECT_EQ(page().diagramArea()->text(), QStringLiteral("#NAME?"));
    EXPECT_EQ(page().diagramArea()->accessibleName(), QStringLiteral("#NAME?"));
    // What is saved is still the last picture drawn.
    EXPECT_EQ(savedMetafile("after.emf"), drawn);
    EXPECT_TRUE(prompter.messages.empty());

    page().vertical().side->groupChooser()->setCurrentIndex(0);
    EXPECT_EQ(page().diagramArea()->text(), QString());
    EXPECT_NE(page().diagramArea()->picture(), nullptr);
}

TEST_F(CorrelationDiagramPageTest, PageSetupShowsTheMarginsAndKeepsThemOnlyAfterOk) {
    openWindow();
    PageSetupDialog& dialog = *window->pageSetupDialog();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ページ設定"));
    EXPECT_EQ(dialog.size(), QSize(323, 200));
    EXPECT_TRUE(dialog.okButton()->isDefault());

    prompter.dialogHandlers.push_back([](QDialog& shown) {
        auto& setup = dynamic_cast<PageSetupDialog&>(shown);
        EXPECT_EQ(setup.topField()->value(), 20);
        for (auto [field, text] :
             {std::pair{setup.topField(), "5"}, std::pair{setup.leftField(), "10"},
              std::pair{setup.bottomField(), "15"}, std::pair{setup.rightField(), "25"}}) {
            field->selectAll();
            QTest::keyClicks(field, QString::fromLatin1(text));
        }
        setup.okButton()->click();
        return setup.result();
    });
    page().pageSetupButton()->click();
    EXPECT_EQ(context.figureMargins, (FigureMargins{5, 10, 15, 25}));

    FigureMargins shown;
    prompter.dialogHandlers.push_back([&shown](QDialog& dialogShown) {
        auto& setup = dynamic_cast<PageSetupDialog&>(dialogShown);
        shown = setup.margins();
        setup.topField()->selectAll();
        QTest::keyClicks(setup.topField(), QStringLiteral("100"));
        setup.leftField()->clear();  // no number: reads as 0
        setup.rightField()->selectAll();
        QTest::keyClicks(setup.rightField(), QStringLiteral("250"));  // beyond 100: refused
        QTest::keyClick(&setup, Qt::Key_Escape);
        return setup.result();
    });
    page().pageSetupButton()->click();
    EXPECT_EQ(shown, (FigureMargins{5, 10, 15, 25}));
    EXPECT_EQ(context.figureMargins, (FigureMargins{5, 10, 15, 25}));

    prompter.dialogHandlers.push_back([](QDialog& dialogShown) {
        auto& setup = dynamic_cast<PageSetupDialog&>(dialogShown);
        setup.leftField()->clear();
        setup.rightField()->selectAll();
        QTest::keyClicks(setup.rightField(), QStringLiteral("250"));
        setup.okButton()->click();
        return setup.result();
    });
    page().pageSetupButton()->click();
    EXPECT_EQ(context.figureMargins, (FigureMargins{5, 0, 15, 25}));
}

TEST_F(CorrelationDiagramPageTest, PrintWritesOnePageWithTheFigure) {
    openWindow();
    prompter.printFiles = {QString::fromStdString((disk.root() / "diagram.pdf").string())};
    prompter.printerChoices.push_back(true);
    page().printButton()->click();
    const std::string pdf = readBytes(disk.root() / "diagram.pdf");
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
    EXPECT_TRUE(prompter.messages.empty());
}

}  // namespace
}  // namespace kestrune::testing
