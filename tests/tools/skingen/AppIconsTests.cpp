#include "AppIcons.h"

#include "support/Pixbuf.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

class AppIconsTest : public ::testing::Test {
protected:
    TempFolder temp_;
    const std::string folder_ = temp_.Path().string();
};

bool Near(std::uint32_t a, std::uint32_t b)
{
    for (int shift = 0; shift < 32; shift += 8) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 3) {
            return false;
        }
    }
    return true;
}

// Every image of the set, the SVG drawn by the desktop's own SVG reader at the PNG sizes, must show
// the same mark: a transparent corner outside the rounded tile, the accent stroke, the dark tile.
TEST_F(AppIconsTest, EverySizeShowsTheSameMark)
{
    ASSERT_EQ(AppIcons::WriteAll(folder_, "org.example.test"), "");
    const std::string svg = folder_ + "/scalable/apps/org.example.test.svg";
    for (const int size : AppIcons::kPngSizes) {
        const std::string png = folder_ + "/" + std::to_string(size) + "x" + std::to_string(size) +
                                "/apps/org.example.test.png";
        const Pixbuf fromPng(gdk_pixbuf_new_from_file(png.c_str(), nullptr));
        const Pixbuf fromSvg(gdk_pixbuf_new_from_file_at_size(svg.c_str(), size, size, nullptr));
        for (const auto& [name, image] : {std::pair{"png", fromPng.get()}, std::pair{"svg", fromSvg.get()}}) {
            SCOPED_TRACE(std::string(name) + " " + std::to_string(size));
            ASSERT_NE(image, nullptr);
            ASSERT_EQ(gdk_pixbuf_get_width(image), size);
            ASSERT_EQ(gdk_pixbuf_get_height(image), size);
            // Positions in the mark's 24-unit grid.
            auto at = [&](double x, double y) { return PixelAt(image, int(x * size / 24), int(y * size / 24)); };
            EXPECT_EQ(at(0.3, 0.3) >> 24, 0u) << "corner outside the tile";
            EXPECT_TRUE(Near(at(6.5, 12), 0xFF49FFE6u)) << std::hex << at(6.5, 12) << " on the stroke";
            const std::uint32_t tile = at(12, 20);
            EXPECT_EQ(tile >> 24, 0xFFu) << "tile under the mark";
            EXPECT_LT((tile >> 8) & 0xFF, 0x40u) << std::hex << tile << " dark tile";
        }
    }
}

// A plain file where a folder belongs: nothing can be written below it, root or not.
void PlaceFile(const std::string& path)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::FILE* f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
}

TEST_F(AppIconsTest, ReportsTheFileItCouldNotWrite)
{
    PlaceFile(folder_ + "/blocked");
    EXPECT_EQ(AppIcons::WriteAll(folder_ + "/blocked", "x"), "scalable/apps/x.svg");
    PlaceFile(folder_ + "/theme/48x48/apps");
    EXPECT_EQ(AppIcons::WriteAll(folder_ + "/theme", "x"), "48x48/apps/x.png");
}

}  // namespace
