#include "SkinBook.h"

#include "ControlArt.h"
#include "GifWriter.h"
#include "IcoWriter.h"
#include "IconArt.h"
#include "LoadingArt.h"
#include "MouseArt.h"
#include "PanelArt.h"
#include "Theme.h"

#include <functional>
#include <vector>

namespace {

using Look = ControlArt::GlyphLook;

struct Page {
    const char* file;
    std::function<Surface()> draw;
};

Surface TabIcon(Glyphs::Draw glyph) { return ControlArt::GlyphStrip(26, 26, 4, 22, glyph, Look::Bare); }

std::vector<Page> Pages()
{
    const Rgba grey = Theme::kGlyph;
    const Rgba lit = Theme::kAccent;
    return {
        {"main_bkg.png", [] { return PanelArt::Window(1280, 780); }},
        {"img_area.png", [] { return PanelArt::Card(64, 64, 8, Theme::kPanel, Theme::kPanelEdge); }},
        {"img_area2.png", [] { return PanelArt::Card(64, 64, 6, Theme::kWell, Theme::kWellEdge); }},
        {"img_config_area.png", [] { return PanelArt::Card(64, 64, 10, Theme::kPanel, Theme::kPanelEdge); }},
        {"area_device.png", [] { return PanelArt::Card(64, 64, 8, Theme::kPanel, Theme::kPanelEdge); }},
        {"img_tab_bkg.png", [] { return PanelArt::NavigationColumn(32, 32); }},
        {"img_caption.png", [] { return PanelArt::FooterBar(1278, 35); }},
        {"caption_bkg.png", [] { return PanelArt::FooterBar(64, 50); }},
        {"img_tip_bk.png", [] { return PanelArt::Balloon(40, 30); }},
        {"img_tip_arrow_left.png", [] { return PanelArt::BalloonArrow(8, 14, 0); }},
        {"img_tip_arrow_right.png", [] { return PanelArt::BalloonArrow(8, 14, 1); }},
        {"img_tip_arrow_top.png", [] { return PanelArt::BalloonArrow(14, 8, 2); }},
        {"img_key_bkg.png", [] { return PanelArt::CalloutBox(95, 30); }},
        {"img_list_bkg.png", [] { return PanelArt::ListRow(354, 36); }},
        {"img_lightslider_bkg.png", [] { return PanelArt::SliderTrack(216, 20); }},
        {"img_saturation_bkg.png", [] { return PanelArt::SaturationTrack(216, 20); }},
        {"img_lightslider_bar.png", [] { return PanelArt::RoundThumb(14); }},
        {"img_slider_bar.png", [] { return PanelArt::RoundThumb(10); }},
        {"img_dpi_bar.png", [] { return PanelArt::PointerThumb(16, 13); }},
        {"img_scroll_v.png", [] { return PanelArt::ScrollStrip(10, 40, true); }},
        {"img_scroll_h.png", [] { return PanelArt::ScrollStrip(40, 10, false); }},

        {"img_button.png", [] { return ControlArt::Button(64, 30); }},
        {"img_button2.png", [] { return ControlArt::Toggle(65, 30); }},
        {"img_combobox.png", [] { return ControlArt::Combo(80, 30); }},
        {"img_combobox_device.png", [] { return ControlArt::Combo(80, 30); }},
        {"img_edit.png", [] { return ControlArt::Edit(40, 30); }},
        {"btn_checkbox.png", [] { return ControlArt::CheckBox(20); }},
        {"btn_radiobox.png", [] { return ControlArt::RadioBox(20); }},
        {"sysbtn_close.png", [] { return ControlArt::GlyphStrip(30, 30, 4, 18, Glyphs::Close, Look::Danger); }},
        {"sysbtn_min.png", [] { return ControlArt::GlyphStrip(30, 30, 4, 18, Glyphs::Minimise, Look::Caption); }},
        {"sysbtn_maximize.png", [] { return ControlArt::GlyphStrip(30, 30, 4, 18, Glyphs::Maximise, Look::Caption); }},
        {"sysbtn_restore.png", [] { return ControlArt::GlyphStrip(30, 30, 4, 18, Glyphs::Restore, Look::Caption); }},
        {"sysbtn_setting.png", [] { return ControlArt::GlyphStrip(30, 30, 4, 18, Glyphs::Gear, Look::Caption); }},
        {"btn_reset.png", [] { return ControlArt::GlyphStrip(18, 18, 4, 16, Glyphs::Reset, Look::Bare); }},
        {"img_help.png", [] { return ControlArt::GlyphStrip(16, 16, 4, 16, Glyphs::Help, Look::Bare); }},
        {"img_btn_addvalue.png", [] { return ControlArt::GlyphStrip(15, 15, 4, 13, Glyphs::Plus, Look::Bare); }},
        {"img_btn_subtract.png", [] { return ControlArt::GlyphStrip(15, 15, 4, 13, Glyphs::Minus, Look::Bare); }},
        {"img_btn_value_up.png", [] { return ControlArt::GlyphStrip(10, 10, 4, 10, Glyphs::TriangleUp, Look::Bare); }},
        {"img_btn_value_down.png",
         [] { return ControlArt::GlyphStrip(10, 10, 4, 10, Glyphs::TriangleDown, Look::Bare); }},
        {"img_recorditem_up.png", [] { return ControlArt::GlyphStrip(26, 30, 4, 16, Glyphs::ChevronUp, Look::Face); }},
        {"img_recorditem_down.png",
         [] { return ControlArt::GlyphStrip(26, 30, 4, 16, Glyphs::ChevronDown, Look::Face); }},
        {"img_return.png", [] { return ControlArt::GlyphStrip(80, 48, 4, 26, Glyphs::Back, Look::Caption); }},
        {"btn_more.png", [] { return ControlArt::GlyphStrip(20, 20, 4, 18, Glyphs::More, Look::Bare); }},

        {"icon/tab_home.png", [] { return TabIcon(Glyphs::Home); }},
        {"icon/tab_key.png", [] { return TabIcon(Glyphs::Mouse); }},
        {"icon/tab_dpi.png", [] { return TabIcon(Glyphs::Gauge); }},
        {"icon/tab_light.png", [] { return TabIcon(Glyphs::Bulb); }},
        {"icon/tab_macro.png", [] { return TabIcon(Glyphs::Macro); }},
        {"icon/tab_set.png", [] { return TabIcon(Glyphs::Gear); }},
        {"icon/dev_mode.png",
         [grey] { return IconArt::Row(20, 16, {{Glyphs::Cable, grey}, {Glyphs::Receiver, grey}, {Glyphs::Bluetooth, grey}}); }},
        // Two cells per event kind (plain, emphasised): moves, keys, mouse buttons, delays.
        {"icon/icon_list.png",
         [grey, lit] {
             return IconArt::Row(20, 16, {{Glyphs::Move, grey}, {Glyphs::Move, lit}, {Glyphs::Key, grey}, {Glyphs::Key, lit},
                                          {Glyphs::Mouse, grey}, {Glyphs::Mouse, lit}, {Glyphs::Clock, grey},
                                          {Glyphs::Clock, lit}});
         }},
        {"icon/icon_rec.png", [] { return IconArt::Row(16, 16, {{Glyphs::Record, Theme::kDanger}}); }},
        {"icon/icon_stop_rec.png", [] { return IconArt::Row(16, 16, {{Glyphs::Stop, Theme::kDanger}}); }},
        {"icon/icon_charge.png", [lit] { return IconArt::Row(12, 12, {{Glyphs::Bolt, lit}}); }},
        {"icon/icon_battery_bkg.png", [] { return IconArt::BatteryOutline(34, 16); }},
        {"icon/icon_batteryvalue.png", [] { return IconArt::BatteryLevel(26, 10); }},

        {"logo/logo.png", [] { return PanelArt::LogoMark(40, 40); }},
        {"logo/logo_loading.png", [] { return PanelArt::LogoMark(48, 48); }},
        {"device/img_mouse.png", [] { return MouseArt::TopView(); }},
        {"device/img_mouse_layout.png", [] { return MouseArt::TopView(); }},
        {"device/pelmaro_m1.png", [] { return MouseArt::Showcase(600, 400); }},
    };
}

// Blends from the animation background to the accent: every colour the loading frames use.
std::vector<std::uint32_t> LoadingPalette()
{
    std::vector<std::uint32_t> palette;
    for (int i = 0; i < 256; ++i) {
        const Rgba c = LoadingArt::kBackground.Mix(Theme::kAccent, i / 255.0);
        auto byte = [](double v) { return static_cast<std::uint32_t>(v * 255 + 0.5); };
        palette.push_back((byte(c.r) << 16) | (byte(c.g) << 8) | byte(c.b));
    }
    return palette;
}

}  // namespace

std::string SkinBook::WriteAll(const std::string& folder)
{
    for (const Page& page : Pages()) {
        if (!page.draw().WritePng(folder + "/" + page.file)) {
            return page.file;
        }
    }
    // About 50 ms a frame, as the wait dialog advances its animation.
    const std::vector<std::uint32_t> palette = LoadingPalette();
    if (!GifWriter::Write(folder + "/loading.gif", LoadingArt::Spinner(100, 24), 5, palette)) {
        return "loading.gif";
    }
    if (!GifWriter::Write(folder + "/loading/loading.gif", LoadingArt::Wave(232, 58, 24), 5, palette)) {
        return "loading/loading.gif";
    }
    std::vector<Surface> icons;
    for (int size : {16, 24, 32, 48, 256}) {
        icons.push_back(PanelArt::LogoMark(size, size));
    }
    if (!IcoWriter::Write(folder + "/Pelmaro.ico", icons)) {
        return "Pelmaro.ico";
    }
    return {};
}
