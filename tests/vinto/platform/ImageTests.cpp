// Decoding pictures into premultiplied surfaces: PNG pixels, every GIF frame with its delay, ICO,
// and refusal of what is not a picture.
#include "vinto/platform/GifFrameCounter.h"
#include "vinto/platform/Image.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace Vinto;

namespace {

std::string Data(const char* name) { return std::string(PELMARO_SOURCE_DIR) + "/tests/vinto/platform/data/" + name; }

std::vector<uint8_t> Bytes(const char* name)
{
    std::ifstream file(Data(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(Image, PngPixelsArePremultiplied)
{
    auto image = Image::LoadFile(Data("pixels.png"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Width(), 2);
    EXPECT_EQ(image->Height(), 1);
    EXPECT_EQ(image->FrameCount(), 1);
    EXPECT_EQ(image->Delay(0), 0);
    EXPECT_EQ(image->Frame(0).Pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(image->Frame(0).Pixel(1, 0), 0x80000080u);
}

TEST(Image, GifGivesEveryFrameWithItsDelay)
{
    auto image = Image::LoadFile(Data("frames.gif"));
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->FrameCount(), 3);
    const uint32_t colors[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
    const int delays[] = {100, 200, 300};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(image->Frame(i).Pixel(2, 2), colors[i]) << i;
        EXPECT_EQ(image->Delay(i), delays[i]) << i;
    }
    // Out-of-range frames clamp to the last one there is.
    EXPECT_EQ(image->Frame(7).Pixel(0, 0), colors[2]);
    EXPECT_EQ(image->Frame(-1).Pixel(0, 0), colors[0]);
}

TEST(Image, IconDecodesOneOfItsSizes)
{
    auto image = Image::LoadFile(Data("icon.ico"));
    ASSERT_NE(image, nullptr);
    const uint32_t expected = image->Width() == 32 ? 0xFF00FF00u : 0xFFFF0000u;
    EXPECT_TRUE(image->Width() == 32 || image->Width() == 16);
    EXPECT_EQ(image->Frame(0).Pixel(5, 5), expected);
}

TEST(Image, WhatIsNotAPictureIsRefused)
{
    EXPECT_EQ(Image::LoadFile(Data("missing.png")), nullptr);
    EXPECT_EQ(Image::LoadMemory(nullptr, 0), nullptr);
    const uint8_t text[] = "not a picture";
    EXPECT_EQ(Image::LoadMemory(text, sizeof text), nullptr);
    std::vector<uint8_t> png = Bytes("pixels.png");
    png.resize(png.size() / 2);
    EXPECT_EQ(Image::LoadMemory(png.data(), png.size()), nullptr);
}

TEST(GifFrameCounter, CountsCompleteFramesOnly)
{
    const std::vector<uint8_t> gif = Bytes("frames.gif");
    struct Case {
        size_t length;
        int frames;
    };
    const Case cases[] = {
        {gif.size(), 3},
        {gif.size() - 1, 3},   // trailer missing
        {6, 0},                // header only
        {gif.size() / 2, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CountGifFrames(gif.data(), c.length), c.frames) << c.length;
    const uint8_t png[] = {0x89, 'P', 'N', 'G', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(CountGifFrames(png, sizeof png), 0);
}

} // namespace
