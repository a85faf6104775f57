#include "StagedAssets.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using StagedAssets::LoadImage;
using StagedAssets::SkinPath;

enum class Fit {
    Exact,   // drawn at its own size into a fixed rectangle
    AtLeast, // stretched as a nine-grid: the frame must be larger than its borders
    Any,
};

// Every skin image the program names, with the frame count it passes and the frame size its control
// implies. Where two callers pass different counts, the width must divide by both.
struct SkinImage {
    const char* file;
    std::vector<int> frameCounts;
    int frameWidth;
    int frameHeight;
    Fit fit;
};

const std::vector<SkinImage> kSkinImages = {
    {"main_bkg.png", {1}, 61, 21, Fit::AtLeast},
    {"caption_bkg.png", {1}, 0, 0, Fit::Any},
    {"img_caption.png", {1}, 1278, 35, Fit::Exact},
    {"img_tab_bkg.png", {1}, 25, 25, Fit::AtLeast},
    {"img_area.png", {1, 4}, 16, 61, Fit::AtLeast},
    {"img_area2.png", {1}, 61, 61, Fit::AtLeast},
    {"img_config_area.png", {1}, 61, 61, Fit::AtLeast},
    {"area_device.png", {1}, 0, 0, Fit::Any},
    {"img_button.png", {4}, 17, 17, Fit::AtLeast},
    {"img_button2.png", {4}, 17, 17, Fit::AtLeast},
    {"img_combobox.png", {4}, 39, 13, Fit::AtLeast},
    {"img_combobox_device.png", {4}, 39, 13, Fit::AtLeast},
    {"img_edit.png", {4}, 21, 21, Fit::AtLeast},
    {"img_key_bkg.png", {2}, 95, 30, Fit::Exact},
    {"img_list_bkg.png", {2}, 0, 36, Fit::Exact},
    {"img_tip_bk.png", {1}, 13, 13, Fit::AtLeast},
    {"img_tip_arrow_left.png", {1}, 0, 0, Fit::Any},
    {"img_tip_arrow_right.png", {1}, 0, 0, Fit::Any},
    {"img_tip_arrow_top.png", {1}, 0, 0, Fit::Any},
    {"btn_checkbox.png", {8}, 0, 0, Fit::Any},
    {"btn_radiobox.png", {8}, 0, 0, Fit::Any},
    {"btn_reset.png", {4}, 18, 18, Fit::Exact},
    {"btn_more.png", {4}, 0, 0, Fit::Any},
    {"img_help.png", {4}, 16, 16, Fit::Exact},
    {"img_btn_addvalue.png", {4}, 15, 15, Fit::Exact},
    {"img_btn_subtract.png", {4}, 15, 15, Fit::Exact},
    {"img_btn_value_up.png", {4}, 10, 10, Fit::Exact},
    {"img_btn_value_down.png", {4}, 10, 10, Fit::Exact},
    {"img_recorditem_up.png", {4}, 26, 30, Fit::Exact},
    {"img_recorditem_down.png", {4}, 26, 30, Fit::Exact},
    {"img_return.png", {4}, 80, 48, Fit::Exact},
    {"sysbtn_close.png", {4}, 30, 30, Fit::Exact},
    {"sysbtn_min.png", {4}, 30, 30, Fit::Exact},
    {"sysbtn_maximize.png", {4}, 30, 30, Fit::Exact},
    {"sysbtn_restore.png", {4}, 30, 30, Fit::Exact},
    {"sysbtn_setting.png", {4}, 30, 30, Fit::Exact},
    {"img_dpi_bar.png", {1}, 16, 13, Fit::Exact},
    {"img_slider_bar.png", {1}, 10, 10, Fit::Exact},
    {"img_lightslider_bar.png", {1}, 0, 0, Fit::Any},
    {"img_lightslider_bkg.png", {1}, 0, 0, Fit::Any},
    {"img_saturation_bkg.png", {1}, 0, 0, Fit::Any},
    {"img_scroll_v.png", {3}, 0, 0, Fit::Any},
    {"img_scroll_h.png", {3}, 0, 0, Fit::Any},
    {"icon/tab_home.png", {4}, 26, 26, Fit::Exact},
    {"icon/tab_key.png", {4}, 26, 26, Fit::Exact},
    {"icon/tab_dpi.png", {4}, 26, 26, Fit::Exact},
    {"icon/tab_light.png", {4}, 26, 26, Fit::Exact},
    {"icon/tab_macro.png", {4}, 26, 26, Fit::Exact},
    {"icon/tab_set.png", {4}, 26, 26, Fit::Exact},
    {"icon/dev_mode.png", {3}, 0, 0, Fit::Any},
    {"icon/icon_list.png", {8}, 0, 0, Fit::Any},
    {"icon/icon_rec.png", {1}, 0, 0, Fit::Any},
    {"icon/icon_stop_rec.png", {1}, 0, 0, Fit::Any},
    {"icon/icon_charge.png", {1}, 0, 0, Fit::Any},
    {"icon/icon_battery_bkg.png", {1}, 0, 0, Fit::Any},
    {"icon/icon_batteryvalue.png", {1}, 0, 0, Fit::Any},
    {"logo/logo.png", {1}, 0, 0, Fit::Any},
    {"logo/logo_loading.png", {1}, 0, 0, Fit::Any},
    {"device/img_mouse.png", {1}, 0, 0, Fit::Any},
    {"device/img_mouse_layout.png", {1}, 0, 0, Fit::Any},
};

TEST(SkinFiles, EveryNamedImageLoadsWithWholeFramesOfTheControlsSize)
{
    for (const SkinImage& image : kSkinImages) {
        SCOPED_TRACE(image.file);
        const auto pixbuf = LoadImage(SkinPath(image.file));
        ASSERT_NE(pixbuf, nullptr) << "missing or unreadable";
        const int width = gdk_pixbuf_get_width(pixbuf.get());
        const int height = gdk_pixbuf_get_height(pixbuf.get());
        for (int frames : image.frameCounts) {
            EXPECT_EQ(width % frames, 0) << "width " << width << " does not divide by " << frames << " frames";
        }
        const int frameWidth = width / image.frameCounts.front();
        if (image.fit == Fit::Exact) {
            if (image.frameWidth) {
                EXPECT_EQ(frameWidth, image.frameWidth);
            }
            EXPECT_EQ(height, image.frameHeight);
        } else if (image.fit == Fit::AtLeast) {
            EXPECT_GE(width / image.frameCounts.back(), image.frameWidth);
            EXPECT_GE(height, image.frameHeight);
        }
    }
}

TEST(SkinFiles, PartsWithGeometryOfTheirOwnFitTheirControls)
{
    // The battery level holds four segments with 2-pixel gaps and 6 pixels to spare.
    const auto level = LoadImage(SkinPath("icon/icon_batteryvalue.png"));
    ASSERT_NE(level, nullptr);
    EXPECT_EQ((gdk_pixbuf_get_width(level.get()) - 6) % 4, 0);

    // Light slider thumbs are square and sit 2 pixels above the bottom of a 20-pixel control.
    const auto thumb = LoadImage(SkinPath("img_lightslider_bar.png"));
    ASSERT_NE(thumb, nullptr);
    EXPECT_EQ(gdk_pixbuf_get_width(thumb.get()), gdk_pixbuf_get_height(thumb.get()));
    EXPECT_LE(gdk_pixbuf_get_height(thumb.get()), 18);

    // Slider tracks are two halves of equal height: empty above, filled below.
    for (const char* track : {"img_lightslider_bkg.png", "img_saturation_bkg.png"}) {
        SCOPED_TRACE(track);
        const auto image = LoadImage(SkinPath(track));
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(gdk_pixbuf_get_height(image.get()) % 2, 0);
    }

    // The device card keeps a model picture at its own size when it fits 700 x 430.
    const auto model = LoadImage(SkinPath("device/pelmaro_m1.png"));
    ASSERT_NE(model, nullptr);
    EXPECT_LE(gdk_pixbuf_get_width(model.get()), 700);
    EXPECT_LE(gdk_pixbuf_get_height(model.get()), 430);
}

TEST(SkinFiles, StateFramesOfAStripDiffer)
{
    // Normal, hover, pressed and disabled must each look different, or a state change shows nothing.
    struct Strip {
        const char* file;
        int frames;
    };
    for (const Strip& strip : {Strip{"img_button.png", 4}, Strip{"img_combobox.png", 4}, Strip{"img_edit.png", 4},
                               Strip{"sysbtn_close.png", 4}, Strip{"icon/tab_home.png", 4},
                               Strip{"btn_checkbox.png", 8}, Strip{"btn_radiobox.png", 8}}) {
        SCOPED_TRACE(strip.file);
        const auto pixbuf = LoadImage(SkinPath(strip.file));
        ASSERT_NE(pixbuf, nullptr);
        const int frameWidth = gdk_pixbuf_get_width(pixbuf.get()) / strip.frames;
        for (int a = 0; a < strip.frames; ++a) {
            for (int b = a + 1; b < strip.frames; ++b) {
                EXPECT_NE(StagedAssets::Pixels(pixbuf.get(), a * frameWidth, frameWidth),
                          StagedAssets::Pixels(pixbuf.get(), b * frameWidth, frameWidth))
                    << "frames " << a << " and " << b;
            }
        }
    }
}

TEST(SkinFiles, LoadingAnimationsAnimateAtTheirSize)
{
    struct Animation {
        const char* file;
        int width;
        int height;
    };
    for (const Animation& a : {Animation{"loading.gif", 100, 100}, Animation{"loading/loading.gif", 232, 58}}) {
        SCOPED_TRACE(a.file);
        std::unique_ptr<GdkPixbufAnimation, GObjectUnref> animation(
            gdk_pixbuf_animation_new_from_file(SkinPath(a.file).c_str(), nullptr));
        ASSERT_NE(animation, nullptr);
        EXPECT_FALSE(gdk_pixbuf_animation_is_static_image(animation.get()));
        EXPECT_EQ(gdk_pixbuf_animation_get_width(animation.get()), a.width);
        EXPECT_EQ(gdk_pixbuf_animation_get_height(animation.get()), a.height);

        // A few frames on, the picture must have moved.
        G_GNUC_BEGIN_IGNORE_DEPRECATIONS
        GTimeVal start = {0, 0};
        std::unique_ptr<GdkPixbufAnimationIter, GObjectUnref> iter(
            gdk_pixbuf_animation_get_iter(animation.get(), &start));
        const int delayMs = gdk_pixbuf_animation_iter_get_delay_time(iter.get());
        ASSERT_GT(delayMs, 0);
        const std::vector<guchar> first = StagedAssets::Pixels(gdk_pixbuf_animation_iter_get_pixbuf(iter.get()));
        GTimeVal later = {0, 6L * delayMs * 1000};
        gdk_pixbuf_animation_iter_advance(iter.get(), &later);
        G_GNUC_END_IGNORE_DEPRECATIONS
        EXPECT_NE(first, StagedAssets::Pixels(gdk_pixbuf_animation_iter_get_pixbuf(iter.get())));
    }
}

TEST(SkinFiles, WindowIconLoadsWithTransparentCorners)
{
    const auto icon = LoadImage(SkinPath("Pelmaro.ico"));
    ASSERT_NE(icon, nullptr);
    EXPECT_GE(gdk_pixbuf_get_width(icon.get()), 32);
    ASSERT_TRUE(gdk_pixbuf_get_has_alpha(icon.get()));
    EXPECT_EQ(gdk_pixbuf_read_pixels(icon.get())[3], 0) << "top-left corner must be transparent";
}

}  // namespace
