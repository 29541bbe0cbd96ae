#pragma once

#include <string>

#include "output/office/PictureClipboard.h"

// The clipboards that hold a real figure: the metafile is measured and drawn with Qt, so they
// live with the figure writers and not with the plain office files.
namespace kestrune::office {

// A clipboard of the process's own, for the batch program and tests. Needs a QGuiApplication
// (the metafile measures its text).
class MemoryPictureClipboard : public PictureClipboard {
  public:
    void copyPicture(const Picture& picture) override;
    bool holdsPicture() const override { return !emf_.empty(); }
    std::string enhancedMetafile() const override { return emf_; }

  private:
    std::string emf_;
};

// The desktop's clipboard, holding the figure in all its forms as "コピー" leaves it, so the
// picture stays there after the export.
class SystemPictureClipboard : public PictureClipboard {
  public:
    void copyPicture(const Picture& picture) override;
    bool holdsPicture() const override;
    std::string enhancedMetafile() const override;
};

}  // namespace kestrune::office
