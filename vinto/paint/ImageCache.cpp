#include "vinto/paint/ImageCache.h"

#include "vinto/paint/Manager.h"

namespace Vinto {

const ImgResInfo* ImageCache::Add(const wchar_t* fileName, int frameCount)
{
    if (fileName == nullptr || *fileName == 0)
        return nullptr;
    std::lock_guard guard(lock_);
    auto it = entries_.find(fileName);
    if (it != entries_.end())
        return it->second.get();
    auto image = Image::LoadFile(Manager::SkinPath(fileName));
    if (image == nullptr)
        return nullptr;
    auto info = std::make_unique<ImgResInfo>();
    info->frameCount = frameCount > 0 ? frameCount : 1;
    info->frameWidth = image->Width() / info->frameCount;
    info->height = image->Height();
    info->fileName = fileName;
    info->image = std::move(image);
    return entries_.emplace(fileName, std::move(info)).first->second.get();
}

void ImageCache::Clear()
{
    std::lock_guard guard(lock_);
    entries_.clear();
}

size_t ImageCache::Count() const
{
    std::lock_guard guard(lock_);
    return entries_.size();
}

} // namespace Vinto
