#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <regex>

#include "NumberLineWindowFixture.h"
#include "output/figure/FigureFiles.h"
#include "output/figure/FigureMimeData.h"
#include "tests/support/TempDisk.h"

using namespace kestrune;
using namespace kestrune::testing;

namespace {

// The PDF writer stamps the time of writing; two writings of one picture differ only there.
std::string withoutCreationDate(const std::string& pdf) {
    return std::regex_replace(pdf, std::regex("/CreationDate \\([^)]*\\)"), "/CreationDate ()");
}

int pageCount(const std::string& pdf) {
    int pages = 0;
    for (std::size_t at = pdf.find("/Type /Page\n"); at != std::string::npos;
         at = pdf.find("/Type /Page\n", at + 1))
        ++pages;
    return pages;
}

QString qPath(const std::filesystem::path& path) {
    return QString::fromStdString(pathToUtf8(path));
}

struct SaveCase {
    const char* filter;
    const char* typed;     // the name as the user typed it
    const char* fileName;  // the file written
    FigureFormat format;
};

}  // namespace

TEST_F(NumberLineWindowTest, SavesInTheFileTypeChosenUnderItsExtension) {
    TempDisk dir;
    dir.writeBytes("numberline.emf", "an earlier metafile");
    const SaveCase cases[] = {
        {"Enhanced MetaFile (*.emf)", "graph.emf", "graph.emf", FigureFormat::EnhancedMetafile},
        {"Windows Bitmap (*.bmp)", "graph.bmp", "graph.bmp", FigureFormat::Bitmap},
        {"PNG (*.png)", "graph.png", "graph.png", FigureFormat::Png},
        {"SVG (*.svg)", "graph.svg", "graph.svg", FigureFormat::Svg},
        {"PDF (*.pdf)", "graph.pdf", "graph.pdf", FigureFormat::Pdf},
        // The type chosen decides the bytes and the name's extension.
        {"Windows Bitmap (*.bmp)", "bitmap.emf", "bitmap.bmp", FigureFormat::Bitmap},
        {"Enhanced MetaFile (*.emf)", "metafile.bmp", "metafile.emf", FigureFormat::EnhancedMetafile},
        {"PNG (*.png)", "numberline", "numberline.png", FigureFormat::Png},
    };
    for (const SaveCase& save : cases) {
        prompter.saveFilters.push_back(QString::fromUtf8(save.filter));
        prompter.fileNames.push_back(qPath(dir.path(save.typed)));
    }
    const ScaleValueTable table = sampleTable();
    openWindow(table, [&](NumberLineWindow& window) {
        for (std::size_t i = 0; i < std::size(cases); ++i)
            window.saveButton()->click();
    });
    EXPECT_TRUE(prompter.messages.empty()) << prompter.lastText().toStdString();

    ASSERT_EQ(prompter.fileDialogs.size(), std::size(cases));
    const FileDialogRequest& request = prompter.fileDialogs.front();
    EXPECT_EQ(request.filters.value(0), QStringLiteral("Enhanced MetaFile (*.emf)"));
    EXPECT_EQ(request.filters.value(1), QStringLiteral("Windows Bitmap (*.bmp)"));
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("emf"));
    EXPECT_TRUE(request.fileName.isEmpty());
    EXPECT_TRUE(request.confirmOverwrite);

    const Picture expected = expectedPicture(table);
    for (const SaveCase& save : cases) {
        SCOPED_TRACE(save.fileName);
        const std::string written = readBytes(dir.path(save.fileName));
        const std::string wanted = figureBytes(expected, save.format);
        if (save.format == FigureFormat::Pdf)
            EXPECT_EQ(withoutCreationDate(written), withoutCreationDate(wanted));
        else
            EXPECT_EQ(written, wanted);
    }
    EXPECT_EQ(readBytes(dir.path("bitmap.bmp")).substr(0, 2), "BM");
    EXPECT_EQ(readBytes(dir.path("numberline.png")).substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(readBytes(dir.path("numberline.emf")), "an earlier metafile");
    EXPECT_FALSE(std::filesystem::exists(dir.path("bitmap.emf")));
    EXPECT_FALSE(std::filesystem::exists(dir.path("metafile.bmp")));
}

TEST_F(NumberLineWindowTest, CancelledSaveWritesNothing) {
    TempDisk dir;
    // No file name scripted: the dialog is cancelled.
    openWindow(sampleTable(), [](NumberLineWindow& window) { window.saveButton()->click(); });
    EXPECT_EQ(prompter.fileDialogs.size(), 1u);
    EXPECT_TRUE(std::filesystem::is_empty(dir.root()));
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(NumberLineWindowTest, AFileThatCannotBeWrittenIsReportedAndTheWindowStays) {
    TempDisk dir;
    prompter.fileNames.push_back(qPath(dir.path("missing/graph.emf")));
    bool stillShown = false;
    openWindow(sampleTable(), [&](NumberLineWindow& window) {
        window.saveButton()->click();
        stillShown = window.isVisible();
    });
    EXPECT_TRUE(stillShown);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_TRUE(prompter.messages[0].text.contains(QStringLiteral("がありません。ﾌｧｲﾙ ")))
        << prompter.messages[0].text.toStdString();
    EXPECT_TRUE(prompter.messages[0].text.endsWith(QStringLiteral(" を作成できません")));
    EXPECT_FALSE(std::filesystem::exists(dir.path("missing")));
}

TEST_F(NumberLineWindowTest, PrintsTheGraphOnOnePage) {
    TempDisk dir;
    prompter.printerChoices = {true};
    prompter.printFiles = {qPath(dir.path("graph.pdf"))};
    openWindow(sampleTable(), [](NumberLineWindow& window) { window.printButton()->click(); });
    EXPECT_TRUE(prompter.messages.empty()) << prompter.lastText().toStdString();
    const std::string pdf = readBytes(dir.path("graph.pdf"));
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_EQ(pageCount(pdf), 1);
}

TEST_F(NumberLineWindowTest, CancelledPrintPrintsNothing) {
    TempDisk dir;
    prompter.printerChoices = {false};
    prompter.printFiles = {qPath(dir.path("graph.pdf"))};
    openWindow(sampleTable(), [](NumberLineWindow& window) { window.printButton()->click(); });
    EXPECT_FALSE(std::filesystem::exists(dir.path("graph.pdf")));
    EXPECT_TRUE(prompter.messages.empty());
}

// The printed square starts 10 mm inside the printable area, whatever the figure margins of
// the main window are, and is as wide as the printable width less both margins.
TEST_F(NumberLineWindowTest, PrintsWithTenMillimetreMargins) {
    TempDisk dir;
    context.figureMargins = FigureMargins{30, 30, 30, 30};
    prompter.printerChoices = {true};
    prompter.printFiles = {qPath(dir.path("square.pdf"))};
    openWindow(sampleTable(), [](NumberLineWindow& window) {
        // A picture that is black all over shows where the square lies on the page.
        window.picture().clear();
        window.picture().setBrush(Brush{kBlack});
        window.picture().rectangle({0, 0}, {1000, 1000});
        window.printButton()->click();
    });
    ASSERT_TRUE(prompter.messages.empty()) << prompter.lastText().toStdString();

    constexpr int kDotsPerInch = 254;  // ten dots per millimetre
    QProcess render;
    render.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-gray"), QStringLiteral("-r"), QString::number(kDotsPerInch),
                  qPath(dir.path("square.pdf")), qPath(dir.path("page"))});
    ASSERT_TRUE(render.waitForFinished(30000)) << "pdftoppm (poppler-utils) is needed";
    const QImage page(qPath(dir.path("page-1.pgm")));
    ASSERT_FALSE(page.isNull());

    // The printable area of the same printer as the print dialog hands it over.
    QPrinter reference(QPrinter::HighResolution);
    reference.setOutputFormat(QPrinter::PdfFormat);
    const QRectF printable = reference.pageLayout().paintRect(QPageLayout::Millimeter);
    const double left = printable.left() + 10;
    const double top = printable.top() + 10;
    const double side = std::min(printable.width(), printable.height()) - 20;

    const auto dark = [&page](double xMillimetres, double yMillimetres) {
        return qGray(page.pixel(qRound(xMillimetres * 10), qRound(yMillimetres * 10))) < 128;
    };
    EXPECT_FALSE(dark(left - 0.5, top + side / 2));
    EXPECT_TRUE(dark(left + 0.5, top + side / 2));
    EXPECT_TRUE(dark(left + side - 0.5, top + side / 2));
    EXPECT_FALSE(dark(left + side + 0.5, top + side / 2));
    EXPECT_FALSE(dark(left + side / 2, top - 0.5));
    EXPECT_TRUE(dark(left + side / 2, top + 0.5));
    EXPECT_TRUE(dark(left + side / 2, top + side - 0.5));
    EXPECT_FALSE(dark(left + side / 2, top + side + 0.5));
}

TEST_F(NumberLineWindowTest, CopyPutsTheMetafileOnTheClipboard) {
    QGuiApplication::clipboard()->clear();
    const ScaleValueTable table = sampleTable();
    openWindow(table, [](NumberLineWindow& window) { window.copyButton()->click(); });
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QByteArray emf =
        QByteArray::fromStdString(figureBytes(expectedPicture(table), FigureFormat::EnhancedMetafile));
    EXPECT_EQ(data->data(QString::fromLatin1(kLibreOfficeEmfMime)), emf);
    EXPECT_EQ(data->data(QString::fromLatin1(kEmfMime)), emf);
    EXPECT_TRUE(data->hasImage() || data->hasFormat(QString::fromLatin1(kPngMime)));
    // The clipboard keeps the figure after the window and its picture are gone.
    EXPECT_TRUE(lastWindow.isNull());
}
