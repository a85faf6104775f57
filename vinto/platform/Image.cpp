#include "vinto/platform/Image.h"

#include "vinto/platform/GifFrameCounter.h"

#include <algorithm>
#include <fstream>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <iterator>

namespace Vinto {

namespace {
struct GObjectUnref {
    void operator()(gpointer p) const { g_object_unref(p); }
};
template <typename T>
using GPtr = std::unique_ptr<T, GObjectUnref>;

// Larger files than this are not pictures the toolkit shows; refusing them bounds memory use.
constexpr std::streamsize kMaxFileSize = 64 << 20;

Surface ToSurface(const GdkPixbuf* pixbuf)
{
    const int width = gdk_pixbuf_get_width(pixbuf);
    const int height = gdk_pixbuf_get_height(pixbuf);
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    const guint8* pixels = gdk_pixbuf_read_pixels(pixbuf);
    Surface surface(width, height);
    if (!surface.IsValid() || channels < 3 || gdk_pixbuf_get_bits_per_sample(pixbuf) != 8)
        return {};
    for (int y = 0; y < height; ++y) {
        const guint8* in = pixels + static_cast<size_t>(y) * stride;
        uint32_t* out = surface.Row(y);
        for (int x = 0; x < width; ++x, in += channels) {
            const uint32_t a = alpha ? in[3] : 255;
            out[x] = Premultiply((a << 24) | (uint32_t(in[0]) << 16) | (uint32_t(in[1]) << 8) | in[2]);
        }
    }
    surface.MarkDirty();
    return surface;
}
} // namespace

std::unique_ptr<Image> Image::LoadFile(const std::string& utf8Path)
{
    std::ifstream file(utf8Path, std::ios::binary | std::ios::ate);
    if (!file)
        return nullptr;
    const std::streamsize size = file.tellg();
    if (size <= 0 || size > kMaxFileSize)
        return nullptr;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size))
        return nullptr;
    return Decode(bytes);
}

std::unique_ptr<Image> Image::LoadMemory(const uint8_t* data, size_t size)
{
    if (!data || size == 0)
        return nullptr;
    return Decode(std::vector<uint8_t>(data, data + size));
}

std::unique_ptr<Image> Image::Decode(const std::vector<uint8_t>& bytes)
{
    GPtr<GInputStream> stream(g_memory_input_stream_new_from_data(bytes.data(), static_cast<gssize>(bytes.size()), nullptr));
    GPtr<GdkPixbufAnimation> animation(gdk_pixbuf_animation_new_from_stream(stream.get(), nullptr, nullptr));
    if (!animation)
        return nullptr;
    std::vector<FrameData> frames;
    if (gdk_pixbuf_animation_is_static_image(animation.get())) {
        GdkPixbuf* still = gdk_pixbuf_animation_get_static_image(animation.get());
        if (still)
            frames.push_back({ToSurface(still), 0});
    } else {
        const int count = std::max(1, CountGifFrames(bytes.data(), bytes.size()));
        G_GNUC_BEGIN_IGNORE_DEPRECATIONS
        GTimeVal time{0, 0};
        GPtr<GdkPixbufAnimationIter> iter(gdk_pixbuf_animation_get_iter(animation.get(), &time));
        for (int i = 0; i < count; ++i) {
            const int delay = gdk_pixbuf_animation_iter_get_delay_time(iter.get());
            frames.push_back({ToSurface(gdk_pixbuf_animation_iter_get_pixbuf(iter.get())), std::max(0, delay)});
            if (delay <= 0)
                break;
            g_time_val_add(&time, static_cast<glong>(delay) * 1000);
            gdk_pixbuf_animation_iter_advance(iter.get(), &time);
        }
        G_GNUC_END_IGNORE_DEPRECATIONS
    }
    if (frames.empty() || std::any_of(frames.begin(), frames.end(), [](const FrameData& f) { return !f.surface.IsValid(); }))
        return nullptr;
    return std::unique_ptr<Image>(new Image(std::move(frames)));
}

const Surface& Image::Frame(int index) const
{
    return frames_[static_cast<size_t>(std::clamp(index, 0, FrameCount() - 1))].surface;
}

int Image::Delay(int index) const { return frames_[static_cast<size_t>(std::clamp(index, 0, FrameCount() - 1))].delay; }

} // namespace Vinto
