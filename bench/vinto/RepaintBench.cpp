// A full repaint of a 1280×780 window drawn like the main window: a nine-grid background and 300
// controls, each a rounded panel with an outline, an icon from a four-frame strip and a label.
#include "vinto/platform/Canvas.h"
#include "vinto/platform/HeadlessBackend.h"
#include "vinto/platform/WindowSystem.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace Vinto;

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 780;
constexpr int kColumns = 20;
constexpr int kRows = 15;

Surface Strip(int frameWidth, int height, int frames)
{
    Surface strip(frameWidth * frames, height);
    Canvas c(strip);
    for (int f = 0; f < frames; ++f) {
        c.FillRoundRect({f * frameWidth + 1.0, 1.0, frameWidth - 2.0, height - 2.0}, 6, 6, 0xFF204060 + f * 0x202020);
        c.FillEllipse({f * frameWidth + 6.0, 6.0, frameWidth - 12.0, height - 12.0}, 0xC0FFFFFF);
    }
    return strip;
}

class MainWindowLike : public WindowProcedure {
public:
    explicit MainWindowLike(WindowSystem& system) : system_(system)
    {
        for (int i = 0; i < kColumns * kRows; ++i)
            labels_.push_back(L"Item " + std::to_wstring(i) + L" label");
        format_.pixelSize = 13;
        format_.hAlign = TextFormat::kCenter;
        format_.vAlign = TextFormat::kMiddle;
        format_.ellipsis = true;
    }

    intptr_t WindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override
    {
        if (message != WM_PAINT)
            return system_.DefWindowProc(window, message, wParam, lParam);
        PaintSession paint = system_.BeginPaint(window);
        Canvas canvas(paint.GetSurface());
        canvas.DrawNineGrid(background_, background_.Bounds(), {0, 0, kWidth, kHeight}, 8, 8, 8, 8);
        const int cellW = kWidth / kColumns;
        const int cellH = kHeight / kRows;
        for (int row = 0; row < kRows; ++row) {
            for (int col = 0; col < kColumns; ++col) {
                const int i = row * kColumns + col;
                const Rect cell = Rect::FromSize(col * cellW + 2, row * cellH + 2, cellW - 4, cellH - 4);
                canvas.FillRoundRect({double(cell.left), double(cell.top), double(cell.Width()), double(cell.Height())}, 5, 5,
                                     0xFF2A2A2A);
                canvas.DrawRoundRect({cell.left + 0.5, cell.top + 0.5, cell.Width() - 1.0, cell.Height() - 1.0}, 5, 5,
                                     {0xFF49FFE6, 1});
                const int frame = i % 4;
                canvas.DrawSurface(icons_, Rect::FromSize(frame * 24, 0, 24, 24),
                                   Rect::FromSize(cell.left + (cell.Width() - 24) / 2, cell.top + 2, 24, 24));
                canvas.DrawText(labels_[static_cast<size_t>(i)], {cell.left, cell.top + 26, cell.right, cell.bottom}, format_);
            }
        }
        return 0;
    }

private:
    WindowSystem& system_;
    Surface background_ = Strip(64, 64, 1);
    Surface icons_ = Strip(24, 24, 4);
    std::vector<std::wstring> labels_;
    TextFormat format_;
};

void FullRepaint(benchmark::State& state)
{
    auto system = HeadlessBackend::CreateSystem();
    MainWindowLike procedure(*system);
    WindowCreateParams params;
    params.rect = {0, 0, kWidth, kHeight};
    params.style = WS_POPUP | WS_VISIBLE;
    const WindowHandle window = system->CreateWindow(params, &procedure);
    system->RunUntilIdle();
    for (auto _ : state) {
        system->InvalidateRect(window, nullptr, false);
        system->RunUntilIdle();
    }
    system->DestroyWindow(window);
}
BENCHMARK(FullRepaint)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// The parts of the repaint on their own, to see where its time goes.
void Labels(benchmark::State& state)
{
    Surface surface(kWidth, kHeight);
    Canvas canvas(surface);
    TextFormat format;
    format.pixelSize = 13;
    format.hAlign = TextFormat::kCenter;
    format.vAlign = TextFormat::kMiddle;
    format.ellipsis = true;
    for (auto _ : state)
        for (int i = 0; i < kColumns * kRows; ++i)
            canvas.DrawText(L"Item label " + std::to_wstring(i), Rect::FromSize((i % kColumns) * 64, (i / kColumns) * 52, 60, 20), format);
}
BENCHMARK(Labels)->Unit(benchmark::kMillisecond);

void Panels(benchmark::State& state)
{
    Surface surface(kWidth, kHeight);
    Canvas canvas(surface);
    for (auto _ : state)
        for (int i = 0; i < kColumns * kRows; ++i) {
            const RectF r{(i % kColumns) * 64.0, (i / kColumns) * 52.0, 60, 48};
            canvas.FillRoundRect(r, 5, 5, 0xFF2A2A2A);
            canvas.DrawRoundRect({r.x + 0.5, r.y + 0.5, r.width - 1, r.height - 1}, 5, 5, {0xFF49FFE6, 1});
        }
}
BENCHMARK(Panels)->Unit(benchmark::kMillisecond);

} // namespace
