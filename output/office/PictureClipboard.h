#pragma once

#include <string>

#include "core/Picture.h"

namespace kestrune::office {

// Where a picture export puts the figure before it is pasted ("コピー" of the figures), and
// where the word processor's Paste takes it from.
class PictureClipboard {
  public:
    virtual ~PictureClipboard() = default;
    virtual void copyPicture(const Picture& picture) = 0;
    virtual bool holdsPicture() const = 0;
    // The enhanced metafile the clipboard holds; empty when it holds none.
    virtual std::string enhancedMetafile() const = 0;
};

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
