// Wide tables in the office files: every column on the page, one Japanese face, numbers to the
// right, the spreadsheet's own error values, print titles; and the hand-over folder kept clean.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <set>

#include "core/Error.h"
#include "output/office/OfficeFiles.h"
#include "output/office/OfficeLauncher.h"
#include "output/office/ZipArchive.h"
#include "tests/output/office/OfficeTestData.h"

using namespace kestrune;
using namespace kestrune::office;
using namespace kestrune::testing;

namespace {

std::string imageWord(int n) {
    return "イメージ語" + std::to_string(n);
}

// The value at (column c, row r) of the wide matrix: unique, so each can be found on the page.
std::string value(int c, int r) {
    char text[16];
    std::snprintf(text, sizeof text, "%s0.%02d%02d", (c + r) % 3 == 0 ? "-" : "", c, r);
    return text;
}

// A correlation matrix of 25 images against themselves, "#DIV/0!" on one cell.
TextGrid wideCorrelationGrid() {
    TextGrid grid(26, 26);
    for (int n = 1; n <= 25; ++n) {
        grid.setCell(n, 0, imageWord(n));
        grid.setCell(0, n, imageWord(n));
        for (int c = 1; c <= 25; ++c)
            grid.setCell(c, n, value(c, n));
    }
    grid.setCell(3, 2, "#DIV/0!");
    return grid;
}

// A scale value table of 10 panels and a long image word.
TextGrid wideScaleValueGrid() {
    TextGrid grid(13, 4);
    grid.fixedColumns = 2;
    for (int k = 1; k <= 10; ++k)
        grid.setCell(k + 1, 0, std::to_string(k));
    grid.setCell(12, 0, "平均");
    grid.setCell(0, 1, "とても長いイメージの言葉です");
    grid.setCell(1, 1, "100点換算得点");
    grid.setCell(1, 2, "標準偏差");
    grid.setCell(1, 3, "標準偏差基準化得点");
    for (int k = 1; k <= 10; ++k) {
        grid.setCell(k + 1, 1, std::to_string(k) + "1.234");
        grid.setCell(k + 1, 2, std::to_string(k) + "2.345");
        grid.setCell(k + 1, 3, "-1.0" + std::to_string(k));
    }
    grid.setCell(12, 2, "12.000");
    return grid;
}

// The numbers that follow each `prefix` in the text.
std::vector<long> numbersIn(const std::string& xml, const std::string& prefix) {
    std::vector<long> numbers;
    for (std::size_t at = xml.find(prefix); at != std::string::npos; at = xml.find(prefix, at + 1))
        numbers.push_back(std::stol(xml.substr(at + prefix.size(), 12)));
    return numbers;
}

long textWidthOf(const std::string& document) {
    const std::vector<long> page = numbersIn(document, "<w:pgSz w:w=\"");
    const std::vector<long> left = numbersIn(document, "<w:pgMar w:top=\"1984\" w:right=\"");
    return page.at(0) - 2 * left.at(0);
}

void expectFitsTheTextWidth(const OfficeFile& file) {
    const auto parts = unzipArchive(file.bytes);
    const std::string& document = parts.at("word/document.xml");
    long total = 0;
    for (long width : numbersIn(document, "<w:gridCol w:w=\""))
        total += width;
    EXPECT_GT(total, 0);
    EXPECT_LE(total, textWidthOf(document));
    EXPECT_NE(document.find("<w:tblLayout w:type=\"fixed\"/>"), std::string::npos);
    // The heading row repeats on every page.
    EXPECT_NE(document.find("<w:tr><w:trPr><w:tblHeader/>"), std::string::npos);
    // One Japanese face for digits and kana alike.
    EXPECT_NE(parts.at("word/styles.xml")
                  .find("<w:rFonts w:ascii=\"IPAGothic\" w:hAnsi=\"IPAGothic\" w:eastAsia=\"IPAGothic\""),
              std::string::npos);
}

// Whether the paragraph that holds `text` is right-aligned.
bool rightAligned(const std::string& document, const std::string& text) {
    const std::size_t at = document.find("<w:t xml:space=\"preserve\">" + text + "</w:t>");
    const std::size_t paragraph = document.rfind("<w:p>", at);
    return at != std::string::npos && paragraph != std::string::npos &&
           document.compare(paragraph, 46, "<w:p><w:pPr><w:jc w:val=\"right\"/></w:pPr><w:r>") == 0;
}

}  // namespace

TEST(OfficeLayout, WideDocumentTablesKeepEveryColumnWithinTheTextWidth) {
    const OfficeFile matrix = correlationDocument(wideCorrelationGrid());
    expectFitsTheTextWidth(matrix);
    const std::string document = unzipArchive(matrix.bytes).at("word/document.xml");
    EXPECT_TRUE(rightAligned(document, value(25, 25)));
    EXPECT_TRUE(rightAligned(document, "#DIV/0!"));
    EXPECT_FALSE(rightAligned(document, imageWord(1)));
    // Stepped down from 10.5 pt to fit 26 columns.
    EXPECT_NE(document.find("<w:sz w:val=\"12\"/>"), std::string::npos);

    const OfficeFile values = scaleValueDocument(wideScaleValueGrid());
    expectFitsTheTextWidth(values);
    const std::string valuesXml = unzipArchive(values.bytes).at("word/document.xml");
    EXPECT_TRUE(rightAligned(valuesXml, "101.234"));
    // The headings are centred, "10" and "平均" alike.
    for (const char* heading : {"10", "平均"}) {
        const std::size_t at =
            valuesXml.find(std::string("<w:t xml:space=\"preserve\">") + heading + "</w:t>");
        ASSERT_NE(at, std::string::npos);
        EXPECT_EQ(valuesXml.compare(valuesXml.rfind("<w:p>", at), 47,
                                    "<w:p><w:pPr><w:jc w:val=\"center\"/></w:pPr><w:r>"),
                  0)
            << heading;
    }

    // A narrow table keeps its type size and natural widths.
    const std::string small =
        unzipArchive(correlationDocument(officeCorrelationGrid()).bytes).at("word/document.xml");
    EXPECT_EQ(small.find("<w:sz w:val="), std::string::npos);
}

TEST(OfficeLayout, WorkbooksUseTheInstalledFaceErrorValuesAndPrintTitles) {
    const auto parts = unzipArchive(correlationWorkbook(wideCorrelationGrid(), "色彩の印象").bytes);
    const std::string& styles = parts.at("xl/styles.xml");
    EXPECT_NE(styles.find("<name val=\"IPAGothic\"/>"), std::string::npos);
    EXPECT_EQ(styles.find("Calibri"), std::string::npos);
    EXPECT_NE(styles.find("<alignment horizontal=\"center\""), std::string::npos);
    const std::string& sheet = parts.at("xl/worksheets/sheet1.xml");
    EXPECT_NE(sheet.find("<f>1/0</f><v>#DIV/0!</v>"), std::string::npos) << sheet.substr(0, 2000);
    EXPECT_NE(sheet.find("<pageSetUpPr fitToPage=\"1\"/>"), std::string::npos);
    const std::string& workbook = parts.at("xl/workbook.xml");
    EXPECT_NE(workbook.find("_xlnm.Print_Titles"), std::string::npos);
    EXPECT_NE(workbook.find("$A:$A,"), std::string::npos) << workbook;
    EXPECT_NE(workbook.find("$1:$1"), std::string::npos) << workbook;

    const auto small = unzipArchive(correlationWorkbook(officeCorrelationGrid(), "色彩の印象").bytes);
    EXPECT_NE(small.at("xl/worksheets/sheet1.xml").find("<f>SQRT(-1)</f><v>#NUM!</v>"), std::string::npos);
    // The scale values' two label columns are the titles at the left.
    const auto scale = unzipArchive(scaleValueWorkbook(wideScaleValueGrid(), "色彩の印象").bytes);
    EXPECT_NE(scale.at("xl/workbook.xml").find("$A:$B,"), std::string::npos) << scale.at("xl/workbook.xml");
}

TEST(OfficeLayout, OnlyOurOwnOldHandOverFilesAreSwept) {
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    const std::filesystem::path root = temporary.path().toStdString();
    const char* saved = std::getenv("TMPDIR");
    const std::string previous = saved ? saved : "";
    setenv("TMPDIR", root.c_str(), 1);
    const std::filesystem::path folder = handOverDirectory();
    EXPECT_EQ(folder, root / "kestrune-office");
    const auto make = [&](const std::string& name, bool old) {
        std::ofstream(folder / name) << "x";
        if (old) {
            const utimbuf times{0, std::time(nullptr) - 2 * 24 * 3600};
            utime((folder / name).c_str(), &times);
        }
    };
    make("kestrune-a1B2c3.xlsx", true);      // ours, two days old
    make("kestrune-d4E5f6.docx", true);      // ours, two days old
    make(".kestrune-tmp-1-2-3.xlsx", true);  // a scratch file a crash left
    make("kestrune-g7H8i9.xlsx", false);     // ours, still being read by the suite
    make("report.xlsx", true);               // someone else's
    make("kestrune-notes.txt", true);        // not a name we give
    std::filesystem::create_directory(folder / "kestrune-zzzzzz.xlsx");
    EXPECT_EQ(sweepOldHandOverFiles(), 3);
    std::set<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        left.insert(entry.path().filename().string());
    EXPECT_EQ(left, (std::set<std::string>{"kestrune-g7H8i9.xlsx", "report.xlsx", "kestrune-notes.txt",
                                           "kestrune-zzzzzz.xlsx"}));
    if (saved)
        setenv("TMPDIR", previous.c_str(), 1);
    else
        unsetenv("TMPDIR");
}

TEST(OfficeLayout, AWorkbookIsBuiltBesideItsTargetAndLeavesNothingThere) {
    QTemporaryDir temporary;
    const std::filesystem::path folder = temporary.path().toStdString();
    const OfficeFile file = correlationWorkbook(officeCorrelationGrid(), "色彩の印象", folder);
    EXPECT_EQ(file.bytes.substr(0, 2), "PK");
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    // A folder that is not there: a Japanese message that names it, and nothing made.
    try {
        correlationWorkbook(officeCorrelationGrid(), "色彩の印象", folder / "gone");
        ADD_FAILURE() << "no error";
    } catch (const UserError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Excel ブックを作成できません。フォルダ " + (folder / "gone").string() + " がありません。");
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

// The wide tables as LibreOffice prints them: every column reaches the page.
TEST(OfficeLayout, LibreOfficePrintsEveryColumnOfTheWideTables) {
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "LibreOffice (soffice) or pdftotext is not installed";
    QTemporaryDir directory;
    const std::string root = directory.path().toStdString();
    const auto rendered = [&](const OfficeFile& file, const std::string& name) {
        std::ofstream(root + "/" + name + "." + file.suffix, std::ios::binary) << file.bytes;
        const std::string convert = "cd '" + root + "' && soffice -env:UserInstallation=file://" + root +
                                    "/profile --headless --convert-to pdf '" + name + "." + file.suffix +
                                    "' >/dev/null 2>&1 && pdftotext -layout '" + name + ".pdf' '" + name +
                                    ".txt'";
        EXPECT_EQ(std::system(convert.c_str()), 0);
        if (const char* shots = std::getenv("KESTRUNE_SCREENSHOT_DIR"))
            std::system(("pdftoppm -r 70 -png -f 1 -l 1 -singlefile '" + root + "/" + name + ".pdf' '" +
                         shots + "/office-wide-" + name + "'")
                            .c_str());
        return readWholeFile(root + "/" + name + ".txt");
    };
    for (const OfficeFile& file : {correlationDocument(wideCorrelationGrid()),
                                   correlationWorkbook(wideCorrelationGrid(), "色彩の印象")}) {
        const std::string text = rendered(file, "matrix-" + file.suffix);
        for (int r = 1; r <= 25; ++r)
            EXPECT_NE(text.find(value(25, r)), std::string::npos) << file.suffix << " " << value(25, r);
        EXPECT_NE(text.find("#DIV/0!"), std::string::npos) << file.suffix;
    }
    for (const OfficeFile& file :
         {scaleValueDocument(wideScaleValueGrid()), scaleValueWorkbook(wideScaleValueGrid(), "色彩の印象")}) {
        const std::string text = rendered(file, "values-" + file.suffix);
        EXPECT_NE(text.find("平均"), std::string::npos) << file.suffix << text;
        EXPECT_NE(text.find("12.000"), std::string::npos) << file.suffix << text;
        EXPECT_NE(text.find("101.234"), std::string::npos) << file.suffix << text;
    }
}
