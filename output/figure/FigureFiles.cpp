#include "output/figure/FigureFiles.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>

#include "core/AtomicFile.h"
#include "output/figure/EmfWriter.h"
#include "output/figure/QPainterCanvas.h"

namespace kestrune {

namespace {

std::string imageBytes(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format))
        return {};
    return bytes.toStdString();
}

QRectF naturalRect(const Picture& picture) {
    return QRectF(0, 0, picture.width(), picture.height());
}

}  // namespace

std::optional<FigureFormat> figureFormatFromExtension(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".emf")
        return FigureFormat::EnhancedMetafile;
    if (extension == ".bmp")
        return FigureFormat::Bitmap;
    if (extension == ".png")
        return FigureFormat::Png;
    if (extension == ".svg")
        return FigureFormat::Svg;
    if (extension == ".pdf")
        return FigureFormat::Pdf;
    return std::nullopt;
}

QImage figureImage(const Picture& picture) {
    QImage image(picture.width(), picture.height(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderPicture(picture, painter, naturalRect(picture));
    painter.end();
    return image;
}

std::string figureBitmapBytes(const Picture& picture) {
    // 24 bits per pixel: the figure has no transparency to keep.
    return imageBytes(figureImage(picture).convertToFormat(QImage::Format_RGB888), "BMP");
}

std::string figurePngBytes(const Picture& picture) {
    return imageBytes(figureImage(picture), "PNG");
}

std::string figureSvgBytes(const Picture& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(picture.width(), picture.height()));
    generator.setViewBox(naturalRect(picture));
    generator.setResolution(96);
    generator.setTitle(QStringLiteral("Kestrune"));
    QPainter painter(&generator);
    painter.fillRect(naturalRect(picture), Qt::white);
    renderPicture(picture, painter, naturalRect(picture));
    painter.end();
    return bytes.toStdString();
}

std::string figurePdfBytes(const Picture& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Kestrune"));
    writer.setResolution(96);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    // A page of the picture's size at 96 units per inch, the size its font heights assume.
    writer.setPageSize(
        QPageSize(QSizeF(picture.width() * 72.0 / 96.0, picture.height() * 72.0 / 96.0), QPageSize::Point));
    QPainter painter(&writer);
    const QRectF page(0, 0, writer.width(), writer.height());
    painter.fillRect(page, Qt::white);
    renderPicture(picture, painter, page);
    painter.end();
    return bytes.toStdString();
}

std::string figureBytes(const Picture& picture, FigureFormat format) {
    switch (format) {
        case FigureFormat::EnhancedMetafile:
            return enhancedMetafileBytes(picture);
        case FigureFormat::Bitmap:
            return figureBitmapBytes(picture);
        case FigureFormat::Png:
            return figurePngBytes(picture);
        case FigureFormat::Svg:
            return figureSvgBytes(picture);
        case FigureFormat::Pdf:
            return figurePdfBytes(picture);
    }
    return {};
}

void writeFigure(const std::filesystem::path& path, const Picture& picture, FigureFormat format) {
    writeFileAtomically(path, figureBytes(picture, format));
}

}  // namespace kestrune
