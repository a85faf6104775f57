#pragma once
// A window's skin images by file name: the first request for a name loads it (keeping the frame
// count given then), later requests share the same entry.
// Thread contract: any thread; one lock guards the map. Entries stay valid until Clear.

#include "vinto/paint/ImgResInfo.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace Vinto {

class ImageCache {
public:
    // The cached entry, or a new one loaded from the skin folder; null when it cannot be loaded.
    const ImgResInfo* Add(const wchar_t* fileName, int frameCount);
    void Clear();
    size_t Count() const;

private:
    mutable std::mutex lock_;
    std::map<std::wstring, std::unique_ptr<ImgResInfo>> entries_;
};

} // namespace Vinto
