// Every caption of the series page and of the wizard pages gets the room its text needs, in
// the fonts the program uses. With KESTRUNE_SCREENSHOT_DIR set, the checked views are also
// saved there as PNG files.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

#include "tests/ui/shell/LayoutFixture.h"
#include "ui/series/PanelCountBox.h"
#include "ui/series/SeriesPage.h"
#include "ui/series/SeriesWizard.h"
#include "ui/series/WizardButtons.h"
#include "ui/series/WizardImagePage.h"
#include "ui/series/WizardNamePage.h"
#include "ui/series/WizardOrderPage.h"
#include "ui/series/WizardSummaryPage.h"

namespace kestrune::testing {
namespace {

TEST_F(LayoutTest, QtsOwnButtonsAndFacesAreJapanese) {
    EXPECT_TRUE(QCoreApplication::translate("QPlatformTheme", "&Yes").startsWith(QStringLiteral("はい")));
    EXPECT_TRUE(QCoreApplication::translate("QPlatformTheme", "&No").startsWith(QStringLiteral("いいえ")));
    EXPECT_EQ(QFont::substitute(QStringLiteral("ＭＳ ゴシック")).toLower(), QStringLiteral("ipagothic"));
    EXPECT_EQ(QFont::substitute(QStringLiteral("Arial")).toLower(), QStringLiteral("liberation sans"));
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("ＭＳ Ｐゴシック"))).family(), QStringLiteral("IPAPGothic"));
}

TEST_F(LayoutTest, TheSeriesPageShowsEveryCaptionWhole) {
    const std::filesystem::path sample = std::filesystem::path(KESTRUNE_EXAMPLES) / "study-disk";
    MainWindowOptions options;
    options.studyDisk = sample;
    window = std::make_unique<MainWindow>(context, options);
    window->resize(900, 640);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    ASSERT_GE(window->seriesPage()->seriesNames().size(), 1);
    window->seriesPage()->selectSeries(window->seriesPage()->seriesNames().first());
    window->seriesPage()->ListSeriesFiles();
    QCoreApplication::processEvents();
    EXPECT_TRUE(clippedTexts(window.get()).isEmpty()) << clippedTexts(window.get()).join(" | ").toStdString();
    EXPECT_TRUE(prompter.messages.empty()) << prompter.lastText().toStdString();
    save(window.get(), "series-page");
}

TEST_F(LayoutTest, EveryWizardPageShowsEveryCaptionWhole) {
    disk.makeSeries("既存", 3, {"w"});
    context.disk.setRoot(disk.root());
    SeriesWizard wizard(context, QString::fromStdString(disk.root().string()));
    wizard.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&wizard));
    wizard.namePage()->nameBox()->setText(QStringLiteral("色彩の印象"));
    wizard.namePage()->panelCountBox()->setValue(4);
    auto check = [&](const QString& name) {
        QCoreApplication::processEvents();
        EXPECT_TRUE(clippedTexts(&wizard).isEmpty())
            << name.toStdString() << ": " << clippedTexts(&wizard).join(" | ").toStdString();
        save(&wizard, name);
    };
    check(QStringLiteral("wizard-1-name"));
    wizard.namePage()->buttons()->forward()->click();
    for (const char* word : {"明るい", "暖かい", "落ち着いた"}) {
        wizard.imagePage()->wordBox()->setText(QString::fromUtf8(word));
        wizard.imagePage()->addButton()->click();
    }
    wizard.imagePage()->imageList()->setCurrentRow(1);
    check(QStringLiteral("wizard-2-images"));
    wizard.imagePage()->buttons()->forward()->click();
    const char* rows[][2] = {{"1", "2"}, {"3", "4"}, {"1", "3"}, {"2", "4"}, {"1", "4"}, {"2", "3"}};
    for (int row = 0; row < 6; ++row) {
        wizard.orderPage()->setCell(row, 0, QString::fromLatin1(rows[row][0]));
        wizard.orderPage()->setCell(row, 1, QString::fromLatin1(rows[row][1]));
    }
    check(QStringLiteral("wizard-3-order"));
    wizard.orderPage()->buttons()->forward()->click();
    ASSERT_EQ(wizard.currentPage(), SeriesWizard::SummaryPage);
    check(QStringLiteral("wizard-4-summary"));
}

}  // namespace
}  // namespace kestrune::testing
