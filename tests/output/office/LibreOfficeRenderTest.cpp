// The files as the office suite shows them: LibreOffice converts each kind to PDF and the text
// it lays out is read back. Skipped where LibreOffice is not installed. With KESTRUNE_SCREENSHOT_DIR
// naming a directory, the first pages also go there as office-*.png.
#include <gtest/gtest.h>

#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>

#include "output/figure/FigureClipboards.h"
#include "output/office/OfficeFiles.h"
#include "tests/output/FigureGuiApp.h"
#include "tests/output/office/OfficeTestData.h"

using namespace kestrune;
using namespace kestrune::office;
using namespace kestrune::testing;

namespace {

class LibreOfficeRender : public ::testing::Test {
  protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
            GTEST_SKIP() << "LibreOffice (soffice) is not installed";
        ASSERT_TRUE(directory_.isValid());
    }

    // Writes the file, converts it to PDF with a profile of its own, and returns the PDF's text.
    std::string renderedText(const OfficeFile& file, const std::string& name) {
        const std::string base = directory_.path().toStdString() + "/" + name;
        std::ofstream(base + "." + file.suffix, std::ios::binary) << file.bytes;
        const std::string command =
            "cd '" + directory_.path().toStdString() + "' && soffice -env:UserInstallation=file://" +
            directory_.path().toStdString() + "/profile --headless --convert-to pdf '" + name + "." +
            file.suffix + "' >/dev/null 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0);
        EXPECT_TRUE(std::filesystem::exists(base + ".pdf")) << name;
        if (const char* directory = std::getenv("KESTRUNE_SCREENSHOT_DIR")) {
            const std::string shots = std::string(directory) + "/office-" + name;
            std::system(
                ("pdftoppm -r 70 -png -f 1 -l 1 -singlefile '" + base + ".pdf' '" + shots + "'").c_str());
        }
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            return {};
        std::system(("pdftotext -layout '" + base + ".pdf' '" + base + ".txt'").c_str());
        return readWholeFile(base + ".txt");
    }

    QTemporaryDir directory_;
};

TEST_F(LibreOfficeRender, CorrelationWorkbookShowsItsHeaderAndFormattedNumbers) {
    const std::string text =
        renderedText(correlationWorkbook(officeCorrelationGrid(), "色彩の印象"), "correlation-xlsx");
    if (text.empty())
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_NE(text.find("色彩の印象"), std::string::npos) << text;  // "&A" in the page header
    EXPECT_NE(text.find("-0.8500"), std::string::npos) << text;
    EXPECT_NE(text.find("#DIV/0!"), std::string::npos) << text;
}

TEST_F(LibreOfficeRender, EveryOtherKindOpens) {
    ensureGuiApplication();
    IndividualFixture fixture;
    StoredIndividualTabs tabs(fixture.grid, fixture.store, fixture.words, 0);
    Picture picture;
    picture.rectangle({50, 50}, {950, 950});
    picture.line({50, 500}, {950, 500});
    picture.text({400, 450}, "図の例");
    MemoryPictureClipboard clipboard;
    const std::string scale =
        renderedText(scaleValueWorkbook(officeScaleValueGrid(4), "色彩の印象"), "scale-values-xlsx");
    const std::string individual =
        renderedText(individualWorkbook(tabs, IndividualScope::AllImages), "individual-xlsx");
    const std::string matrix = renderedText(correlationDocument(officeCorrelationGrid()), "correlation-docx");
    const std::string values = renderedText(scaleValueDocument(officeScaleValueGrid(4)), "scale-values-docx");
    const std::string figure =
        renderedText(pictureDocument(clipboard, picture, FigureSource::NumberLine), "picture-docx");
    if (scale.empty())
        GTEST_SKIP() << "pdftotext is not installed";
    EXPECT_NE(scale.find("標準偏差基準化得点"), std::string::npos);
    EXPECT_NE(individual.find("明るい"), std::string::npos);
    EXPECT_NE(matrix.find("-0.8500"), std::string::npos);
    EXPECT_NE(values.find("換算得点"), std::string::npos);
    EXPECT_NE(figure.find("図の例"), std::string::npos);  // the metafile's text, kept as text
}

}  // namespace
