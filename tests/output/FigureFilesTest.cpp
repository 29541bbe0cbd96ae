#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>

#include "FigureGuiApp.h"
#include "core/Error.h"
#include "core/Picture.h"
#include "output/figure/FigureFiles.h"
#include "output/figure/FigureMimeData.h"
#include "tests/support/TempDisk.h"

using namespace kestrune;
using namespace kestrune::testing;

namespace {

Picture crossPicture() {
    Picture picture;
    picture.setPen(Pen{kBlack, 10});
    picture.line({100, 500}, {900, 500});
    picture.line({500, 100}, {500, 900});
    picture.setFont(Font{"ＭＳ Ｐゴシック", 24});
    picture.text({20, 20}, "明るい");
    return picture;
}

std::uint32_t le32(const std::string& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes.at(offset + i));
    return value;
}

QImage decode(const std::string& bytes, const char* format) {
    return QImage::fromData(QByteArray::fromStdString(bytes), format);
}

}  // namespace

TEST(FigureFiles, FormatFollowsTheExtension) {
    EXPECT_EQ(figureFormatFromExtension("a/b.emf"), FigureFormat::EnhancedMetafile);
    EXPECT_EQ(figureFormatFromExtension("b.BMP"), FigureFormat::Bitmap);
    EXPECT_EQ(figureFormatFromExtension("b.png"), FigureFormat::Png);
    EXPECT_EQ(figureFormatFromExtension("b.Svg"), FigureFormat::Svg);
    EXPECT_EQ(figureFormatFromExtension("b.pdf"), FigureFormat::Pdf);
    EXPECT_EQ(figureFormatFromExtension("b.txt"), std::nullopt);
    EXPECT_EQ(figureFormatFromExtension("emf"), std::nullopt);
}

TEST(FigureFiles, BitmapIsTheWhiteThousandSquareAtNaturalSize) {
    ensureGuiApplication();
    const std::string bmp = figureBitmapBytes(crossPicture());
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(le32(bmp, 2), bmp.size());
    EXPECT_EQ(static_cast<std::int32_t>(le32(bmp, 18)), 1000);
    EXPECT_EQ(std::abs(static_cast<std::int32_t>(le32(bmp, 22))), 1000);
    EXPECT_EQ(le32(bmp, 28) & 0xFFFF, 24u);
    const QImage image = decode(bmp, "BMP");
    ASSERT_EQ(image.size(), QSize(1000, 1000));
    EXPECT_EQ(image.pixel(10, 990), qRgb(255, 255, 255));
    EXPECT_EQ(qGray(image.pixel(300, 500)), 0);
    EXPECT_EQ(qGray(image.pixel(500, 300)), 0);
    EXPECT_EQ(image.pixel(300, 300), qRgb(255, 255, 255));
}

TEST(FigureFiles, PngHoldsTheSamePicture) {
    ensureGuiApplication();
    const QImage image = decode(figurePngBytes(crossPicture()), "PNG");
    ASSERT_EQ(image.size(), QSize(1000, 1000));
    EXPECT_EQ(qGray(image.pixel(700, 500)), 0);
    EXPECT_EQ(image.pixel(700, 700), qRgb(255, 255, 255));
    int inked = 0;  // the title's characters at the top left
    for (int y = 20; y < 55; ++y) {
        for (int x = 20; x < 120; ++x)
            inked += qGray(image.pixel(x, y)) < 128;
    }
    EXPECT_GT(inked, 100);
}

TEST(FigureFiles, SvgIsAThousandUnitViewWithTheText) {
    ensureGuiApplication();
    const std::string svg = figureSvgBytes(crossPicture());
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("viewBox=\"0 0 1000 1000\""), std::string::npos);
    // Qt writes one text element per script run: the kanji, then the kana.
    EXPECT_NE(svg.find(">明</text>"), std::string::npos);
    EXPECT_NE(svg.find(">るい</text>"), std::string::npos);
    EXPECT_NE(svg.find("IPAPGothic"), std::string::npos);
}

TEST(FigureFiles, PdfIsOneSquarePage) {
    ensureGuiApplication();
    const std::string pdf = figurePdfBytes(crossPicture());
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_NE(pdf.find("/MediaBox [0 0 750.000000 750.000000]"), std::string::npos);
    EXPECT_NE(pdf.find("/Type /Page\n"), std::string::npos);
}

TEST(FigureFiles, WritesEachFormatAndReportsAFileItCannotCreate) {
    ensureGuiApplication();
    TempDisk dir;
    writeFigure(dir.path("f.emf"), crossPicture(), FigureFormat::EnhancedMetafile);
    EXPECT_EQ(le32(readBytes(dir.path("f.emf")), 0), 1u);
    // The format is the one asked for, whatever the name says.
    writeFigure(dir.path("f.emf2"), crossPicture(), FigureFormat::Bitmap);
    EXPECT_EQ(readBytes(dir.path("f.emf2")).substr(0, 2), "BM");
    const std::filesystem::path missing = dir.path("no/such/dir/f.png");
    try {
        writeFigure(missing, crossPicture(), FigureFormat::Png);
        FAIL() << "no error";
    } catch (const UserError& error) {
        EXPECT_NE(std::string(error.what()).find("を作成できません"), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(FigureClipboard, OffersTheVectorAndBitmapForms) {
    ensureGuiApplication();
    const std::unique_ptr<QMimeData> data = figureMimeData(crossPicture());
    ASSERT_TRUE(data->hasFormat("application/x-openoffice-emf;windows_formatname=\"Image EMF\""));
    const QByteArray emf = data->data("application/x-openoffice-emf;windows_formatname=\"Image EMF\"");
    EXPECT_EQ(le32(emf.toStdString(), 0), 1u);
    EXPECT_EQ(le32(emf.toStdString(), 40), 0x464D4520u);
    EXPECT_EQ(data->data("image/x-emf"), emf);
    EXPECT_TRUE(data->data("image/svg+xml").startsWith("<?xml"));
    EXPECT_EQ(QImage::fromData(data->data("image/png"), "PNG").size(), QSize(1000, 1000));
}
