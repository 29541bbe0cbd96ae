#include "output/figure/FigureMimeData.h"

#include "output/figure/FigureFiles.h"

namespace kestrune {

std::unique_ptr<QMimeData> figureMimeData(const Picture& picture) {
    auto data = std::make_unique<QMimeData>();
    const QByteArray emf = QByteArray::fromStdString(figureBytes(picture, FigureFormat::EnhancedMetafile));
    data->setData(QString::fromLatin1(kLibreOfficeEmfMime), emf);
    data->setData(QString::fromLatin1(kEmfMime), emf);
    data->setData(QString::fromLatin1(kSvgMime), QByteArray::fromStdString(figureSvgBytes(picture)));
    data->setData(QString::fromLatin1(kPngMime), QByteArray::fromStdString(figurePngBytes(picture)));
    return data;
}

}  // namespace kestrune
