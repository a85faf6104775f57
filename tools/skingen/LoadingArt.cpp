#include "LoadingArt.h"

#include "Shapes.h"
#include "Theme.h"

#include <cmath>

std::vector<Surface> LoadingArt::Spinner(int size, int frames)
{
    constexpr int kDots = 12;
    std::vector<Surface> out;
    for (int f = 0; f < frames; ++f) {
        Surface& s = out.emplace_back(size, size);
        cairo_t* cr = s.Cr();
        cairo_rectangle(cr, 0, 0, size, size);
        Shapes::Fill(cr, kBackground);
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
    }
    return out;
}

std::vector<Surface> LoadingArt::Wave(int width, int height, int frames)
{
    constexpr int kBars = 9;
    std::vector<Surface> out;
    for (int f = 0; f < frames; ++f) {
        Surface& s = out.emplace_back(width, height);
        cairo_t* cr = s.Cr();
        cairo_rectangle(cr, 0, 0, width, height);
        Shapes::Fill(cr, kBackground);
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
    }
    return out;
}
