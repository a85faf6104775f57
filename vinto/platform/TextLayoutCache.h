#pragma once
// Recently used text layouts, so that redrawing the same labels skips shaping them again. Keyed by
// everything that shapes a layout: text, font, style, wrapping, ellipsis, alignment and width.
// Thread contract: the drawing (UI) thread only.

#include <pango/pango.h>

#include <list>
#include <memory>
#include <string>
#include <unordered_map>

namespace Vinto {

class TextLayoutCache {
public:
    struct Unref {
        void operator()(gpointer p) const { g_object_unref(p); }
    };
    using LayoutPtr = std::unique_ptr<PangoLayout, Unref>;

    explicit TextLayoutCache(size_t capacity);

    // The cached layout for `key`, or null; a hit becomes the most recently used.
    PangoLayout* Find(const std::string& key);
    // Keeps the layout, dropping the least recently used one when full; returns it.
    PangoLayout* Add(const std::string& key, LayoutPtr layout);
    void Clear();

private:
    using Entry = std::pair<std::string, LayoutPtr>;
    size_t capacity_;
    std::list<Entry> entries_;   // most recently used first
    std::unordered_map<std::string, std::list<Entry>::iterator> index_;
};

} // namespace Vinto
