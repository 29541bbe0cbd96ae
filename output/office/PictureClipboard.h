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

}  // namespace kestrune::office
