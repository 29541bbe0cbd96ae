#include "output/figure/FigureClipboards.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "output/figure/EmfWriter.h"
#include "output/figure/FigureMimeData.h"

namespace kestrune::office {

void MemoryPictureClipboard::copyPicture(const Picture& picture) {
    emf_ = enhancedMetafileBytes(picture);
}

void SystemPictureClipboard::copyPicture(const Picture& picture) {
    QGuiApplication::clipboard()->setMimeData(figureMimeData(picture).release());
}

bool SystemPictureClipboard::holdsPicture() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasFormat(kEmfMime) && !data->data(kEmfMime).isEmpty();
}

std::string SystemPictureClipboard::enhancedMetafile() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(kEmfMime))
        return {};
    const QByteArray bytes = data->data(kEmfMime);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace kestrune::office
