#pragma once
// One cached image strip: the decoded picture, its frame width (width ÷ frame count, truncated),
// height, frame count and the skin file it came from.
// Thread contract: read-only once cached; lives as long as its cache.

#include "vinto/platform/Image.h"

#include <memory>
#include <string>

namespace Vinto {

struct ImgResInfo {
    std::unique_ptr<Image> image;
    int frameWidth = 0;
    int height = 0;
    int frameCount = 1;
    std::wstring fileName;
};

} // namespace Vinto
