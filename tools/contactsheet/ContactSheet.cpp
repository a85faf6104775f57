#include "ContactSheet.h"

#include <glib.h>
#include <pugixml.hpp>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr int kClientWidth = 1280;
constexpr int kClientHeight = 780;
constexpr int kMargin = 20;
constexpr int kSheetWidth = kClientWidth + 2 * kMargin;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kGrey = 0x969696;
constexpr std::uint32_t kAccent = 0x49FFE6;

using Align = SkinPainter::Align;
using Box = SkinPainter::Box;
using Borders = SkinPainter::Borders;

// One image of the catalogue: how many frames it has and how a control shows it.
struct Sample {
    const char* file;
    int frames;
    int width, height; // control size; 0 shows each frame at its natural size
    Borders borders;   // nine-grid borders; all 0 stretches the frame whole
    const char* label; // sample text drawn over the frame, by id in the language file, or none
    int textId;
};

const std::vector<Sample>& Samples()
{
    static const std::vector<Sample> samples = {
        {"img_button.png", 4, 100, 30, {8, 8, 8, 8}, nullptr, 41},
        {"img_button2.png", 4, 65, 30, {8, 8, 8, 8}, "Ctrl", 0},
        {"img_combobox.png", 4, 150, 30, {6, 6, 32, 6}, nullptr, 150},
        {"img_combobox_device.png", 4, 150, 30, {6, 6, 32, 6}, nullptr, 0},
        {"img_edit.png", 4, 70, 30, {10, 10, 10, 10}, "20", 0},
        {"btn_checkbox.png", 8, 0, 0, {}, nullptr, 0},
        {"btn_radiobox.png", 8, 0, 0, {}, nullptr, 0},
        {"img_key_bkg.png", 2, 95, 30, {6, 6, 6, 6}, nullptr, 151},
        {"img_list_bkg.png", 2, 354, 36, {0, 0, 0, 0}, nullptr, 0},
        {"img_area.png", 1, 350, 120, {30, 30, 30, 30}, nullptr, 0},
        {"img_area2.png", 1, 290, 120, {30, 30, 30, 30}, nullptr, 0},
        {"img_config_area.png", 1, 350, 120, {30, 30, 30, 30}, nullptr, 0},
        {"area_device.png", 1, 200, 120, {30, 30, 30, 30}, nullptr, 0},
        {"img_tab_bkg.png", 1, 200, 120, {12, 12, 12, 12}, nullptr, 0},
        {"img_tip_bk.png", 1, 160, 36, {6, 6, 6, 6}, nullptr, 16},
        {"caption_bkg.png", 1, 200, 50, {0, 0, 0, 0}, nullptr, 0},
        {"sysbtn_setting.png", 4, 0, 0, {}, nullptr, 0},
        {"sysbtn_min.png", 4, 0, 0, {}, nullptr, 0},
        {"sysbtn_maximize.png", 4, 0, 0, {}, nullptr, 0},
        {"sysbtn_restore.png", 4, 0, 0, {}, nullptr, 0},
        {"sysbtn_close.png", 4, 0, 0, {}, nullptr, 0},
        {"img_return.png", 4, 0, 0, {}, nullptr, 0},
        {"btn_reset.png", 4, 0, 0, {}, nullptr, 0},
        {"img_help.png", 4, 0, 0, {}, nullptr, 0},
        {"btn_more.png", 4, 0, 0, {}, nullptr, 0},
        {"img_btn_addvalue.png", 4, 0, 0, {}, nullptr, 0},
        {"img_btn_subtract.png", 4, 0, 0, {}, nullptr, 0},
        {"img_btn_value_up.png", 4, 0, 0, {}, nullptr, 0},
        {"img_btn_value_down.png", 4, 0, 0, {}, nullptr, 0},
        {"img_recorditem_up.png", 4, 0, 0, {}, nullptr, 0},
        {"img_recorditem_down.png", 4, 0, 0, {}, nullptr, 0},
        {"icon/tab_home.png", 4, 0, 0, {}, nullptr, 0},
        {"icon/tab_key.png", 4, 0, 0, {}, nullptr, 0},
        {"icon/tab_dpi.png", 4, 0, 0, {}, nullptr, 0},
        {"icon/tab_light.png", 4, 0, 0, {}, nullptr, 0},
        {"icon/tab_macro.png", 4, 0, 0, {}, nullptr, 0},
        {"icon/tab_set.png", 4, 0, 0, {}, nullptr, 0},
        {"icon/icon_list.png", 8, 0, 0, {}, nullptr, 0},
        {"icon/dev_mode.png", 3, 0, 0, {}, nullptr, 0},
        {"icon/icon_rec.png", 1, 0, 0, {}, nullptr, 0},
        {"icon/icon_stop_rec.png", 1, 0, 0, {}, nullptr, 0},
        {"icon/icon_battery_bkg.png", 1, 0, 0, {}, nullptr, 0},
        {"icon/icon_batteryvalue.png", 1, 0, 0, {}, nullptr, 0},
        {"icon/icon_charge.png", 1, 0, 0, {}, nullptr, 0},
        {"img_lightslider_bkg.png", 1, 0, 0, {}, nullptr, 0},
        {"img_saturation_bkg.png", 1, 0, 0, {}, nullptr, 0},
        {"img_lightslider_bar.png", 1, 0, 0, {}, nullptr, 0},
        {"img_slider_bar.png", 1, 0, 0, {}, nullptr, 0},
        {"img_dpi_bar.png", 1, 0, 0, {}, nullptr, 0},
        {"img_scroll_v.png", 3, 0, 0, {}, nullptr, 0},
        {"img_scroll_h.png", 3, 0, 0, {}, nullptr, 0},
        {"img_tip_arrow_left.png", 1, 0, 0, {}, nullptr, 0},
        {"img_tip_arrow_right.png", 1, 0, 0, {}, nullptr, 0},
        {"img_tip_arrow_top.png", 1, 0, 0, {}, nullptr, 0},
        {"logo/logo.png", 1, 0, 0, {}, nullptr, 0},
        {"logo/logo_loading.png", 1, 0, 0, {}, nullptr, 0},
        {"device/pelmaro_m1.png", 1, 0, 0, {}, nullptr, 0},
    };
    return samples;
}

struct CairoSurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct CairoDeleter {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
};

}  // namespace

ContactSheet::ContactSheet(std::string assetFolder, std::string lcid)
    : folder_(std::move(assetFolder)), lcid_(std::move(lcid))
{
}

std::string ContactSheet::Text(int id) const
{
    std::unique_ptr<GKeyFile, decltype(&g_key_file_free)> file(g_key_file_new(), g_key_file_free);
    if (!g_key_file_load_from_file(file.get(), (folder_ + "/language/" + lcid_ + ".lan").c_str(), G_KEY_FILE_NONE, nullptr)) {
        return {};
    }
    std::unique_ptr<gchar, decltype(&g_free)> text(
        g_key_file_get_string(file.get(), "LAN", std::to_string(id).c_str(), nullptr), g_free);
    return text ? text.get() : "";
}

std::string ContactSheet::Render(const std::string& pngPath)
{
    const double catalogueTop = 2 * (kMargin + kClientHeight) + 40;
    // A first pass measures the catalogue; the second draws it on a surface of the right height.
    double height = 0;
    for (int pass = 0; pass < 2; ++pass) {
        const int surfaceHeight = pass == 0 ? 1 : static_cast<int>(height);
        std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter> surface(
            cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kSheetWidth, surfaceHeight));
        std::unique_ptr<cairo_t, CairoDeleter> cr(cairo_create(surface.get()));
        SkinPainter paint(cr.get(), folder_ + "/skins/theme1");
        cairo_set_source_rgb(cr.get(), 0.04, 0.04, 0.05);
        cairo_paint(cr.get());
        cairo_save(cr.get());
        cairo_translate(cr.get(), kMargin, kMargin);
        DrawKeyPage(paint, cr.get());
        cairo_translate(cr.get(), 0, kClientHeight + kMargin);
        DrawPerformancePage(paint, cr.get());
        cairo_restore(cr.get());
        height = DrawCatalogue(paint, catalogueTop) + kMargin;
        if (!paint.MissingImage().empty()) {
            return "missing image " + paint.MissingImage();
        }
        if (pass == 1 && cairo_surface_write_to_png(surface.get(), pngPath.c_str()) != CAIRO_STATUS_SUCCESS) {
            return "cannot write " + pngPath;
        }
    }
    return {};
}

void ContactSheet::DrawFrame(SkinPainter& paint, cairo_t* cr, int selectedTab)
{
    const int R = kClientWidth;
    const int B = kClientHeight;
    paint.NineGrid("main_bkg.png", 1, 0, {0, 0, double(R), double(B)}, {10, 10, 50, 10});
    paint.Frame("img_caption.png", 1, 0, 1, B - 40);
    paint.Text(Text(21) + ": v0.1.0", {10, double(B - 35), 200, 30}, 14, kGrey, Align::Left);
    paint.Text(Text(2), {R / 2.0 - 200, double(B - 35), 400, 30}, 14, kGrey, Align::Centre);
    paint.Frame("sysbtn_close.png", 4, 1, R - 43, 10);
    paint.Frame("sysbtn_min.png", 4, 0, R - 83, 10);
    paint.Frame("sysbtn_setting.png", 4, 0, R - 123, 10);
    paint.Text(Text(1), {52, 10, 300, 30}, 18, kWhite, Align::Left, true);

    // Tab strip: one tab selected, the one below it hovered.
    paint.NineGrid("img_tab_bkg.png", 1, 0, {1, 100, 200, double(B - 150)}, {12, 12, 12, 12});
    const char* icons[] = {"icon/tab_home.png", "icon/tab_key.png", "icon/tab_dpi.png",
                           "icon/tab_light.png", "icon/tab_macro.png", "icon/tab_set.png"};
    const int titles[] = {65, 66, 67, 69, 68, 70};
    for (int i = 0; i < 6; ++i) {
        const double y = 110 + 61 * i;
        const int look = i == selectedTab ? 2 : i == selectedTab + 1 ? 1 : 0;
        if (look == 2) {
            cairo_rectangle(cr, 1, y, 190, 60);
            cairo_set_source_rgba(cr, 0x49 / 255.0, 1, 0xE6 / 255.0, 0.08);
            cairo_fill(cr);
            cairo_rectangle(cr, 1, y, 3, 60);
            cairo_set_source_rgb(cr, 0x49 / 255.0, 1, 0xE6 / 255.0);
            cairo_fill(cr);
        }
        paint.Frame(icons[i], 4, look, 30, y + 17);
        paint.Text(Text(titles[i]), {70, y, 120, 60}, 16, look == 2 ? kAccent : kWhite, Align::Left);
    }
}

void ContactSheet::DrawKeyPage(SkinPainter& paint, cairo_t* cr)
{
    const int R = kClientWidth;
    const int B = kClientHeight;
    DrawFrame(paint, cr, 1);
    paint.NineGrid("img_area.png", 1, 0, {210, 120, 350, double(B - 170)}, {30, 30, 30, 30});
    paint.Text(Text(129), {240, 150, 200, 30}, 16, kWhite, Align::Left, true);
    paint.Frame("btn_reset.png", 4, 0, 500, 156);
    paint.NineGrid("img_combobox.png", 4, 0, {240, 200, 280, 30}, {6, 6, 32, 6});
    paint.Text(Text(130), {240, 200, 248, 30}, 14, kWhite, Align::Centre);
    paint.NineGrid("img_combobox.png", 4, 1, {240, 250, 280, 30}, {6, 6, 32, 6});
    paint.Text(Text(150), {240, 250, 248, 30}, 14, kWhite, Align::Centre);
    paint.NineGrid("img_edit.png", 4, 2, {240, 300, 280, 30}, {10, 10, 10, 10});
    paint.Text(Text(122), {240, 300, 280, 30}, 14, kGrey, Align::Centre);
    const char* modifiers[] = {"Ctrl", "Win", "Alt", "Shift"};
    for (int i = 0; i < 4; ++i) {
        paint.NineGrid("img_button2.png", 4, i == 0 ? 2 : 0, {240.0 + 70 * i, 340, 65, 30}, {8, 8, 8, 8});
        paint.Text(modifiers[i], {240.0 + 70 * i, 340, 65, 30}, 14, kWhite, Align::Centre);
    }
    paint.NineGrid("img_button.png", 4, 1, {420, 382, 100, 30}, {8, 8, 8, 8});
    paint.Text(Text(41), {420, 382, 100, 30}, 14, kWhite, Align::Centre);
    cairo_rectangle(cr, 240, B - 120, 300, 50);
    cairo_set_source_rgba(cr, 0x1E / 255.0, 0x1E / 255.0, 0x1E / 255.0, 0xC8 / 255.0);
    cairo_fill(cr);
    paint.Text(Text(123), {250, double(B - 110), 190, 30}, 16, kWhite, Align::Left);
    paint.NineGrid("img_edit.png", 4, 0, {440, double(B - 110), 70, 30}, {10, 10, 10, 10});
    paint.Text("20", {440, double(B - 110), 70, 30}, 14, kWhite, Align::Centre);

    paint.Frame("device/img_mouse_layout.png", 1, 0, R - 500, (B - paint.Height("device/img_mouse_layout.png")) / 2 + 20);
    DrawCallouts(paint, cr);
    paint.NineGrid("img_button.png", 4, 0, {double(R - 470), 680, 200, 30}, {8, 8, 8, 8});
    paint.Text(Text(121), {double(R - 470), 680, 200, 30}, 14, kWhite, Align::Centre);

}

void ContactSheet::DrawChoice(SkinPainter& paint, const char* strip, bool checked, const std::string& text,
                              const Box& box, double pixelSize)
{
    paint.Frame(strip, 8, checked ? 4 : 0, box.x, box.y + (box.h - 20) / 2);
    paint.Text(text, {box.x + 26, box.y, box.w - 26, box.h}, pixelSize, checked ? kAccent : kGrey, Align::Left);
}

void ContactSheet::DrawPerformancePage(SkinPainter& paint, cairo_t* cr)
{
    const int R = kClientWidth;
    const int B = kClientHeight;
    DrawFrame(paint, cr, 5);
    const Borders area = {30, 30, 30, 30};
    auto label = [&](int id, double x, double y, double w, double h, double size = 16) {
        paint.Text(Text(id), {x, y, w, h}, size, kWhite, Align::Left);
    };
    paint.Text(Text(500), {210, 150, 255, 30}, 18, kWhite, Align::Left, true);
    paint.NineGrid("img_area.png", 1, 0, {210, 180, 550, 115}, area);
    label(501, 230, 200, 230, 30);
    paint.Frame("img_help.png", 4, 0, 710, 207);
    const char* distances[] = {"1.0mm", "2.0mm", "3.0mm"};
    for (int i = 0; i < 3; ++i) {
        DrawChoice(paint, "btn_radiobox.png", i == 0, distances[i], {260.0 + 130 * i, 240, 130, 30}, 14);
    }
    paint.NineGrid("img_area.png", 1, 0, {210, 305, 550, 155}, area);
    label(503, 230, 325, 230, 30);
    paint.Frame("img_help.png", 4, 1, 710, 332);
    const double checkX[] = {260, 420, 260, 420};
    const double checkY[] = {365, 365, 415, 415};
    for (int i = 0; i < 4; ++i) {
        DrawChoice(paint, "btn_checkbox.png", i >= 2, Text(515 + i), {checkX[i], checkY[i], 130, 30}, 14);
    }
    paint.NineGrid("img_area.png", 1, 0, {210, 470, 550, 115}, area);
    label(700, 230, 490, 230, 30);
    paint.Frame("img_help.png", 4, 0, 710, 497);
    for (int i = 0; i < 3; ++i) {
        DrawChoice(paint, "btn_radiobox.png", i == 0, Text(701 + i), {260.0 + 130 * i, 530, 130, 30}, 14);
    }
    paint.NineGrid("img_area.png", 1, 0, {210, 595, 550, 60}, area);
    label(543, 230, 610, 230, 30);
    paint.NineGrid("img_combobox.png", 4, 0, {560, 610, 120, 30}, {6, 6, 32, 6});
    paint.Text("1" + Text(545), {560, 610, 88, 30}, 14, kWhite, Align::Centre);
    paint.NineGrid("img_area.png", 1, 0, {210, 665, 550, 65}, area);
    label(558, 230, 680, 230, 30);
    paint.NineGrid("img_button.png", 4, 0, {560, 680, 120, 30}, {8, 8, 8, 8});
    paint.Text(Text(559), {560, 680, 120, 30}, 14, kWhite, Align::Centre);

    paint.NineGrid("img_area.png", 1, 0, {780, 180, double(R - 800), 60}, area);
    label(300, 800, 195, 230, 30);
    paint.NineGrid("img_combobox.png", 4, 1, {1080, 195, 170, 30}, {6, 6, 32, 6});
    paint.Text(Text(312), {1080, 195, 138, 30}, 14, kWhite, Align::Centre);
    paint.NineGrid("img_area.png", 1, 0, {780, 250, double(R - 800), double(B - 300)}, area);
    paint.Text(Text(530), {800, 270, 280, 30}, 16, kWhite, Align::Left, true);
    label(531, 820, 330, 200, 28);
    paint.Frame("img_help.png", 4, 0, 1187, 340);
    for (double y : {391.0, 651.0}) {
        // A slider: the track along its top, the filled part up to the thumb, the thumb at the bottom.
        cairo_set_line_width(cr, 2);
        cairo_move_to(cr, 861, y + 1);
        cairo_line_to(cr, 1171, y + 1);
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
        cairo_stroke(cr);
        cairo_move_to(cr, 861, y + 1);
        cairo_line_to(cr, 1010, y + 1);
        cairo_set_source_rgb(cr, 0x49 / 255.0, 1, 0xE6 / 255.0);
        cairo_stroke(cr);
        paint.Frame("img_slider_bar.png", 1, 0, 1010, y + 5);
        paint.Text(Text(532), {820, y - 11, 40, 28}, 16, kWhite, Align::Left);
        paint.Text(Text(533), {1186, y - 11, 36, 28}, 16, kWhite, Align::Left);
    }
    paint.Text("10", {856, 358, 220, 20}, 14, kGrey, Align::Centre);
    DrawChoice(paint, "btn_checkbox.png", true, Text(534), {820, 420, 300, 26}, 16);
    label(535, 820, 470, 200, 28);
    DrawChoice(paint, "btn_checkbox.png", true, Text(536), {820, 510, 190, 28}, 16);
    DrawChoice(paint, "btn_checkbox.png", false, Text(537), {820, 550, 190, 28}, 16);
    paint.NineGrid("img_edit.png", 4, 0, {1140, 510, 70, 30}, {10, 10, 10, 10});
    paint.Text("3", {1140, 510, 56, 30}, 14, kWhite, Align::Centre);
    paint.Frame("img_btn_value_up.png", 4, 0, 1197, 515);
    paint.Frame("img_btn_value_down.png", 4, 0, 1197, 525);
    label(538, 820, 590, 200, 28);
    paint.Text("500 ms", {856, 618, 220, 20}, 14, kGrey, Align::Centre);
}

void ContactSheet::DrawCallouts(SkinPainter& paint, cairo_t* cr)
{
    pugi::xml_document layout;
    if (!layout.load_file((folder_ + "/device/pelmaro_m1.xml").c_str())) {
        return;
    }
    const double left = kClientWidth - 660;
    const double top = 150;
    int index = 0;
    for (pugi::xml_node key : layout.child("mouse").child("mouse_key").children("key")) {
        int p[6] = {};
        std::sscanf(key.attribute("rect").value(), "%d#%d#%d#%d#%d#%d", &p[0], &p[1], &p[2], &p[3], &p[4], &p[5]);
        const bool selected = index == 0;
        cairo_move_to(cr, left + p[0], top + p[1]);
        cairo_line_to(cr, left + p[2], top + p[3]);
        cairo_line_to(cr, left + p[4], top + p[5]);
        if (selected) {
            cairo_set_source_rgb(cr, 0x49 / 255.0, 1, 0xE6 / 255.0);
        } else {
            cairo_set_source_rgb(cr, 0x51 / 255.0, 0x51 / 255.0, 0x51 / 255.0);
        }
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        const bool boxAtEnd = key.attribute("direction").as_int() == 1;
        const double dotX = left + (boxAtEnd ? p[0] : p[4]);
        const double dotY = top + (boxAtEnd ? p[1] : p[5]);
        cairo_arc(cr, dotX, dotY, 2, 0, 6.2832);
        cairo_set_source_rgb(cr, selected ? 1 : 0x51 / 255.0, selected ? 1 : 0x51 / 255.0, selected ? 1 : 0x51 / 255.0);
        cairo_fill(cr);
        const double boxX = boxAtEnd ? left + p[4] + 1 : left + p[0] - 96;
        const double boxY = boxAtEnd ? top + p[5] - 15 : top + p[1] - 15;
        paint.NineGrid("img_key_bkg.png", 2, selected ? 1 : 0, {boxX, boxY, 95, 30}, {6, 6, 6, 6});
        paint.Text(Text(key.attribute("func_desc").as_int()), {boxX, boxY, 95, 30}, 13,
                   selected ? 0x191919 : kWhite, Align::Centre);
        ++index;
    }
}

double ContactSheet::DrawCatalogue(SkinPainter& paint, double top)
{
    double x = kMargin;
    double y = top;
    double rowHeight = 0;
    for (const Sample& s : Samples()) {
        if (!paint.Has(s.file)) {
            continue;
        }
        const bool natural = s.width == 0;
        const double frameW = natural ? paint.FrameWidth(s.file, s.frames) : s.width;
        const double frameH = natural ? paint.Height(s.file) : s.height;
        const bool glyphWithText = std::string(s.file) == "btn_checkbox.png" || std::string(s.file) == "btn_radiobox.png";
        const double cellW = glyphWithText ? 110 : frameW;
        const double gap = 8;
        const double w = std::max(s.frames * (cellW + gap) - gap, 150.0);
        const double h = frameH + 24;
        if (x + w > kSheetWidth - kMargin) {
            x = kMargin;
            y += rowHeight + 16;
            rowHeight = 0;
        }
        for (int f = 0; f < s.frames; ++f) {
            const double fx = x + f * (cellW + gap);
            if (natural) {
                paint.Frame(s.file, s.frames, f, fx, y);
            } else if (s.borders.left + s.borders.top + s.borders.right + s.borders.bottom == 0) {
                paint.Stretch(s.file, s.frames, f, {fx, y, frameW, frameH});
            } else {
                paint.NineGrid(s.file, s.frames, f, {fx, y, frameW, frameH}, s.borders);
            }
            const std::string label = s.label ? s.label : s.textId ? Text(s.textId) : "";
            if (!label.empty()) {
                const std::uint32_t colour = std::string(s.file) == "img_key_bkg.png" && f == 1 ? 0x191919 : kWhite;
                paint.Text(label, {fx + 6, y, frameW - 12 - (std::string(s.file).find("combo") != std::string::npos ? 26 : 0), frameH},
                           13, colour, Align::Centre);
            }
            if (glyphWithText) {
                paint.Text(Text(f >= 4 ? 702 : 701), {fx + frameW + 6, y, 90, frameH}, 14,
                           f % 4 == 3 ? 0x808080 : f >= 4 ? kAccent : kGrey, Align::Left);
            }
        }
        paint.Text(s.file, {x, y + frameH + 4, w, 18}, 11, 0x707070, Align::Left);
        x += w + 24;
        rowHeight = std::max(rowHeight, h);
    }
    return y + rowHeight;
}
