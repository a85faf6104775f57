#pragma once
// An ordered list of image strips loaded from full paths (not the skin folder), each with an id
// and a frame count, drawn as icons.
// Thread contract: any thread; one lock guards the list. Item pointers stay valid until the item
// is removed.

#include "vinto/platform/Canvas.h"
#include "vinto/platform/Image.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Vinto {

class MImageList {
public:
    struct Item {
        std::unique_ptr<Image> image;
        int frameWidth = 0;
        int height = 0;
        int id = 0;
        int frames = 1;
        std::wstring path;
    };

    // Appends; the new index, or -1 when the path is null or does not load.
    int AddImage(const wchar_t* path, int id, int frames);
    // -1 for a null path, an unloadable file or an index outside -1 … count-1. Index -1 appends and
    // returns the new index; any other index inserts there and returns -1.
    int InsertImage(int index, const wchar_t* path, int id, int frames);
    // Frame 0 of the item stretched over `rect`; nothing for an index out of range.
    void DrawItemIcon(Canvas& canvas, const Rect& rect, int index) const;
    // Frame `frame` at its natural size centred in `rect`; nothing for a frame past the last.
    void DrawItemIcon(Canvas& canvas, const Rect& rect, int index, int frame) const;

    void SetDrawImgSize(int w, int h) { iconSize_ = {w, h}; }
    Size GetIconSize() const { return iconSize_; }
    const Item* GetItemImageData(int index) const;
    const Item* GetImageDataByID(int id) const;
    std::wstring GetImagePath(int index) const;
    std::wstring GetImagePathByID(int id) const;
    int GetImageCount() const;
    void DelAllImages();

private:
    mutable std::mutex lock_;
    std::vector<std::unique_ptr<Item>> items_;
    Size iconSize_;
};

} // namespace Vinto
