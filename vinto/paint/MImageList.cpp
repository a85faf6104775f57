#include "vinto/paint/MImageList.h"

#include "vinto/platform/Utf8.h"

#include <algorithm>

namespace Vinto {

int MImageList::AddImage(const wchar_t* path, int id, int frames) { return InsertImage(-1, path, id, frames); }

int MImageList::InsertImage(int index, const wchar_t* path, int id, int frames)
{
    if (path == nullptr)
        return -1;
    {
        std::lock_guard guard(lock_);
        if (index < -1 || index >= static_cast<int>(items_.size()))
            return -1;
    }
    auto image = Image::LoadFile(WideToUtf8(path));
    if (image == nullptr)
        return -1;
    auto item = std::make_unique<Item>();
    item->frames = std::max(1, frames);
    item->frameWidth = image->Width() / item->frames;
    item->height = image->Height();
    item->id = id;
    item->path = path;
    item->image = std::move(image);
    std::lock_guard guard(lock_);
    if (index == -1 || index >= static_cast<int>(items_.size())) {
        items_.push_back(std::move(item));
        return static_cast<int>(items_.size()) - 1;
    }
    items_.insert(items_.begin() + index, std::move(item));
    return -1;
}

void MImageList::DrawItemIcon(Canvas& canvas, const Rect& rect, int index) const
{
    const Item* item = GetItemImageData(index);
    if (item != nullptr)
        canvas.DrawSurface(item->image->Frame(0), Rect::FromSize(0, 0, item->frameWidth, item->height), rect);
}

void MImageList::DrawItemIcon(Canvas& canvas, const Rect& rect, int index, int frame) const
{
    const Item* item = GetItemImageData(index);
    if (item == nullptr || frame < 0 || frame >= item->frames)
        return;
    const int x = rect.left + (rect.Width() - item->frameWidth) / 2;
    const int y = rect.top + (rect.Height() - item->height) / 2;
    canvas.DrawSurface(item->image->Frame(0), Rect::FromSize(frame * item->frameWidth, 0, item->frameWidth, item->height),
                       Rect::FromSize(x, y, item->frameWidth, item->height));
}

const MImageList::Item* MImageList::GetItemImageData(int index) const
{
    std::lock_guard guard(lock_);
    return index >= 0 && index < static_cast<int>(items_.size()) ? items_[index].get() : nullptr;
}

const MImageList::Item* MImageList::GetImageDataByID(int id) const
{
    std::lock_guard guard(lock_);
    for (const auto& item : items_)
        if (item->id == id)
            return item.get();
    return nullptr;
}

std::wstring MImageList::GetImagePath(int index) const
{
    const Item* item = GetItemImageData(index);
    return item != nullptr ? item->path : L"";
}

std::wstring MImageList::GetImagePathByID(int id) const
{
    const Item* item = GetImageDataByID(id);
    return item != nullptr ? item->path : L"";
}

int MImageList::GetImageCount() const
{
    std::lock_guard guard(lock_);
    return static_cast<int>(items_.size());
}

void MImageList::DelAllImages()
{
    std::lock_guard guard(lock_);
    items_.clear();
}

} // namespace Vinto
