#include "vinto/platform/TextLayoutCache.h"

namespace Vinto {

TextLayoutCache::TextLayoutCache(size_t capacity) : capacity_(capacity) {}

PangoLayout* TextLayoutCache::Find(const std::string& key)
{
    auto it = index_.find(key);
    if (it == index_.end())
        return nullptr;
    entries_.splice(entries_.begin(), entries_, it->second);
    return it->second->second.get();
}

PangoLayout* TextLayoutCache::Add(const std::string& key, LayoutPtr layout)
{
    if (auto it = index_.find(key); it != index_.end()) {
        entries_.erase(it->second);
        index_.erase(it);
    }
    if (capacity_ > 0 && entries_.size() >= capacity_) {
        index_.erase(entries_.back().first);
        entries_.pop_back();
    }
    entries_.emplace_front(key, std::move(layout));
    index_[key] = entries_.begin();
    return entries_.front().second.get();
}

void TextLayoutCache::Clear()
{
    index_.clear();
    entries_.clear();
}

} // namespace Vinto
