#include "GifWriter.h"
#include "IcoWriter.h"
#include "Surface.h"

#include "support/Pixbuf.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

class ImageWriterTest : public ::testing::Test {
protected:
    TempFolder temp_;
    const std::string folder_ = temp_.Path().string();
};

// A surface whose pixels are set one by one to straight ARGB values.
Surface Paint(int width, int height, const std::function<std::uint32_t(int x, int y)>& argb)
{
    Surface s(width, height);
    cairo_surface_flush(s.Raw());
    unsigned char* data = cairo_image_surface_get_data(s.Raw());
    const int stride = cairo_image_surface_get_stride(s.Raw());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = argb(x, y);
            const std::uint32_t a = c >> 24;
            auto mul = [a](std::uint32_t v) { return (v * a + 127) / 255; };
            *reinterpret_cast<std::uint32_t*>(data + y * stride + x * 4) =
                (a << 24) | (mul((c >> 16) & 0xFF) << 16) | (mul((c >> 8) & 0xFF) << 8) | mul(c & 0xFF);
        }
    }
    cairo_surface_mark_dirty(s.Raw());
    return s;
}

std::vector<std::uint32_t> Palette()
{
    std::vector<std::uint32_t> palette;
    for (std::uint32_t i = 0; i < 256; ++i) {
        palette.push_back(((i * 37) & 0xFF) << 16 | ((i * 101) & 0xFF) << 8 | i);
    }
    return palette;
}

TEST_F(ImageWriterTest, GifFramesDecodeToTheirPaletteColours)
{
    // Noise fills the code table and forces it to restart; a flat frame makes long runs; stripes make
    // runs that repeat across rows.
    struct Pattern {
        const char* name;
        std::function<int(int x, int y)> index;
    };
    std::uint32_t seed = 12345;
    std::vector<int> noise;
    for (int i = 0; i < 120 * 90; ++i) {
        seed = seed * 1103515245 + 12345;
        noise.push_back(static_cast<int>((seed >> 16) & 0xFF));
    }
    const Pattern patterns[] = {
        {"noise", [&noise](int x, int y) { return noise[y * 120 + x]; }},
        {"flat", [](int, int) { return 7; }},
        {"stripes", [](int x, int y) { return (x / 3 + y) % 256; }},
    };
    const std::vector<std::uint32_t> palette = Palette();
    for (const Pattern& pattern : patterns) {
        SCOPED_TRACE(pattern.name);
        std::vector<Surface> frames;
        frames.push_back(Paint(120, 90, [&](int x, int y) { return 0xFF000000 | palette[pattern.index(x, y)]; }));
        const std::string path = folder_ + "/" + pattern.name + ".gif";
        ASSERT_TRUE(GifWriter::Write(path, frames, 5, palette));

        const Pixbuf decoded(gdk_pixbuf_new_from_file(path.c_str(), nullptr));
        ASSERT_NE(decoded, nullptr);
        ASSERT_EQ(gdk_pixbuf_get_width(decoded.get()), 120);
        ASSERT_EQ(gdk_pixbuf_get_height(decoded.get()), 90);
        int wrong = 0;
        for (int y = 0; y < 90; ++y) {
            for (int x = 0; x < 120; ++x) {
                wrong += PixelAt(decoded.get(), x, y) != (0xFF000000 | palette[pattern.index(x, y)]);
            }
        }
        EXPECT_EQ(wrong, 0) << "pixels that decode to another colour";
    }
}

TEST_F(ImageWriterTest, GifRefusesFramesOfDifferentSizesAndOversizedPalettes)
{
    std::vector<Surface> frames;
    frames.push_back(Paint(4, 4, [](int, int) { return 0xFF000000u; }));
    frames.push_back(Paint(5, 4, [](int, int) { return 0xFF000000u; }));
    EXPECT_FALSE(GifWriter::Write(folder_ + "/sizes.gif", frames, 5, Palette()));

    frames.pop_back();
    std::vector<std::uint32_t> tooMany(257, 0);
    EXPECT_FALSE(GifWriter::Write(folder_ + "/palette.gif", frames, 5, tooMany));
    EXPECT_FALSE(GifWriter::Write(folder_ + "/empty.gif", {}, 5, Palette()));
}

TEST_F(ImageWriterTest, IconKeepsColourAndStraightAlpha)
{
    std::vector<Surface> images;
    images.push_back(Paint(32, 32, [](int x, int y) {
        if (x < 16) {
            return 0xFF204080u | static_cast<std::uint32_t>(y);
        }
        return y < 16 ? 0x00000000u : 0x80FF0000u;
    }));
    const std::string path = folder_ + "/icon.ico";
    ASSERT_TRUE(IcoWriter::Write(path, images));

    const Pixbuf decoded(gdk_pixbuf_new_from_file(path.c_str(), nullptr));
    ASSERT_NE(decoded, nullptr);
    ASSERT_EQ(gdk_pixbuf_get_width(decoded.get()), 32);
    EXPECT_EQ(PixelAt(decoded.get(), 3, 0), 0xFF204080u);
    EXPECT_EQ(PixelAt(decoded.get(), 3, 31), 0xFF20409Fu) << "rows must not come out upside down";
    EXPECT_EQ(PixelAt(decoded.get(), 20, 5) >> 24, 0u);
    EXPECT_EQ(PixelAt(decoded.get(), 20, 20), 0x80FF0000u);
}

TEST_F(ImageWriterTest, IconRefusesImagesThatAreNotSquareOrTooLarge)
{
    for (const auto& [w, h] : {std::pair{16, 32}, std::pair{257, 257}}) {
        std::vector<Surface> images;
        images.push_back(Paint(w, h, [](int, int) { return 0xFF000000u; }));
        EXPECT_FALSE(IcoWriter::Write(folder_ + "/bad.ico", images)) << w << "x" << h;
    }
}

}  // namespace
