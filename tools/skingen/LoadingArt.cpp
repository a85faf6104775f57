#include "LoadingArt.h"

#include "Shapes.h"
#include "Theme.h"

#include <cmath>
#include <functional>

namespace {

// `frames` opaque frames of the animation background, each then drawn by `draw`.
std::vector<Surface> Frames(int width, int height, int frames, const std::function<void(cairo_t*, int frame)>& draw)
{
    std::vector<Surface> out;
    for (int f = 0; f < frames; ++f) {
        Surface& s = out.emplace_back(width, height);
        cairo_rectangle(s.Cr(), 0, 0, width, height);
        Shapes::Fill(s.Cr(), LoadingArt::kBackground);
        draw(s.Cr(), f);
    }
    return out;
}

}  // namespace

std::vector<Surface> LoadingArt::Spinner(int size, int frames)
{
    constexpr int kDots = 12;
    return Frames(size, size, frames, [&](cairo_t* cr, int f) {
        const double c = size / 2.0;
        const double head = static_cast<double>(f) * kDots / frames;
        for (int d = 0; d < kDots; ++d) {
            // Dots trail behind the head, fading over most of the ring.
            double behind = std::fmod(head - d + kDots, kDots);
            const double strength = std::max(0.12, 1.0 - behind / (kDots * 0.8));
            const double angle = d * 2 * M_PI / kDots - M_PI / 2;
            const double r = size * 0.33;
            Shapes::Circle(cr, c + r * std::cos(angle), c + r * std::sin(angle), size * (0.035 + 0.025 * strength));
            Shapes::Fill(cr, Theme::kAccent.WithAlpha(strength));
        }
    });
}

std::vector<Surface> LoadingArt::Wave(int width, int height, int frames)
{
    constexpr int kBars = 9;
    return Frames(width, height, frames, [&](cairo_t* cr, int f) {
        const double barWidth = 8;
        const double gap = 10;
        const double left = (width - (kBars * barWidth + (kBars - 1) * gap)) / 2;
        for (int b = 0; b < kBars; ++b) {
            const double phase = 2 * M_PI * (static_cast<double>(f) / frames - b / static_cast<double>(kBars));
            const double level = 0.5 + 0.5 * std::sin(phase);
            const double h = height * (0.2 + 0.55 * level);
            Shapes::RoundRect(cr, left + b * (barWidth + gap), (height - h) / 2, barWidth, h, barWidth / 2);
            Shapes::Fill(cr, Theme::kAccent.WithAlpha(0.35 + 0.65 * level));
        }
    });
}
