// "調査用紙の印刷" on the series page, driven through its button, popup item and dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>
#include <regex>

#include "tests/ui/shell/MainWindowFixture.h"
#include "ui/series/AnswerSheetDialog.h"
#include "ui/series/SeriesPage.h"

namespace kestrune::testing {
namespace {

long pdfPages(const std::filesystem::path& file) {
    const std::string pdf = readBytes(file);
    static const std::regex page("/Type\\s*/Page[^s]");
    return std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator());
}

class AnswerSheetPrintingTest : public MainWindowTest {
  protected:
    void SetUp() override {
        disk.makeSeries("味", 4, {"甘い", "辛い", "苦い"});
        openWindow();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_TRUE(page()->selectSeries(QStringLiteral("味")));
    }
    SeriesPage* page() { return window->seriesPage(); }
    QString output(const char* name) { return QString::fromStdString(disk.path(name).string()); }

    // What the user does in the dialog, recorded while it runs.
    QString dialogTitle;
    QStringList messagesWhileOpen;
};

TEST_F(AnswerSheetPrintingTest, NumberedSetsWithCodesGoToTheChosenPdfFile) {
    prompter.dialogHandlers.push_back([this](QDialog& dialog) {
        auto& sheets = dynamic_cast<AnswerSheetDialog&>(dialog);
        dialogTitle = sheets.windowTitle();
        EXPECT_FALSE(sheets.subjectsBox()->isEnabled());
        QTest::mouseClick(sheets.numberedBox(), Qt::LeftButton);
        EXPECT_TRUE(sheets.subjectsBox()->isEnabled());
        sheets.subjectsBox()->setValue(3);
        QTest::keyClicks(sheets.codesBox(), QStringLiteral("K1,K2,K3,K4"));
        sheets.pdfButton()->click();
        return sheets.result();
    });
    prompter.fileNames.push_back(output("sheets.pdf"));
    QTest::mouseClick(page()->sheetsButton(), Qt::LeftButton);

    EXPECT_EQ(dialogTitle, QStringLiteral("調査用紙の印刷"));
    ASSERT_EQ(prompter.fileDialogs.size(), 1u);
    EXPECT_EQ(prompter.fileDialogs[0].fileName, QStringLiteral("味.pdf"));
    EXPECT_TRUE(prompter.fileDialogs[0].confirmOverwrite);
    EXPECT_TRUE(prompter.messages.empty()) << prompter.lastText().toStdString();
    EXPECT_EQ(pdfPages(disk.path("sheets.pdf")), 3 * 6);
}

TEST_F(AnswerSheetPrintingTest, WithoutNumbersOneSetGoesThroughThePrintDialog) {
    prompter.dialogHandlers.push_back([](QDialog& dialog) {
        dynamic_cast<AnswerSheetDialog&>(dialog).printButton()->click();
        return dialog.result();
    });
    prompter.printerChoices.push_back(true);
    prompter.printFiles = {output("printed.pdf")};
    QTest::mouseClick(page()->sheetsButton(), Qt::LeftButton);
    EXPECT_TRUE(prompter.messages.empty()) << prompter.lastText().toStdString();
    EXPECT_EQ(pdfPages(disk.path("printed.pdf")), 6);
}

TEST_F(AnswerSheetPrintingTest, CodesThatDoNotNameEveryPanelAreReportedAndTheDialogStaysOpen) {
    prompter.dialogHandlers.push_back([this](QDialog& dialog) {
        auto& sheets = dynamic_cast<AnswerSheetDialog&>(dialog);
        QTest::keyClicks(sheets.codesBox(), QStringLiteral("K1,K2"));
        sheets.pdfButton()->click();
        for (const PromptRequest& message : prompter.messages)
            messagesWhileOpen << message.text;
        EXPECT_NE(sheets.result(), QDialog::Accepted);
        sheets.cancelButton()->click();
        return sheets.result();
    });
    page()->sheetsButton()->click();
    EXPECT_EQ(messagesWhileOpen,
              QStringList{QStringLiteral("サンプルコードの数がパネルの枚数と合いません。")});
    EXPECT_TRUE(prompter.fileDialogs.empty());
}

TEST_F(AnswerSheetPrintingTest, NeedsASelectedSeries) {
    EXPECT_TRUE(page()->sheetsButton()->isEnabled());
    EXPECT_EQ(page()->sheetsButton()->text(), QStringLiteral("調査用紙の印刷"));
    page()->seriesList()->clearSelection();
    EXPECT_FALSE(page()->sheetsButton()->isEnabled());
}

// With KESTRUNE_SCREENSHOT_DIR naming a directory, the dialog is saved there.
TEST_F(AnswerSheetPrintingTest, Screenshot) {
    const QString directory = qEnvironmentVariable("KESTRUNE_SCREENSHOT_DIR");
    if (directory.isEmpty())
        GTEST_SKIP() << "KESTRUNE_SCREENSHOT_DIR not set";
    QApplication::setFont(QFont(QStringLiteral("IPAPGothic"), 9));
    prompter.dialogHandlers.push_back([&directory](QDialog& dialog) {
        auto& sheets = dynamic_cast<AnswerSheetDialog&>(dialog);
        sheets.numberedBox()->setChecked(true);
        QTest::keyClicks(sheets.codesBox(), QStringLiteral("K1,K2,K3,K4"));
        sheets.show();
        EXPECT_TRUE(sheets.grab().save(directory + QStringLiteral("/answer-sheet-dialog.png")));
        return static_cast<int>(QDialog::Rejected);
    });
    page()->sheetsButton()->click();
    EXPECT_TRUE(window->grab().save(directory + QStringLiteral("/series-page-answer-sheets.png")));
}

}  // namespace
}  // namespace kestrune::testing
