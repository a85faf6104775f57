#pragma once
// The balloon tip: a layered popup with a skinned background that shows a short text next to a
// point on the screen. Every type but 4 hides itself 5 seconds after it was shown.
// Types: 1 right-down of the point, 2 left of it, 3 below it, 4 centred above it (stays), 5 to the
// right of it (image button labels).
// Thread contract: UI thread only.

#include "vinto/window/MWindow.h"

#include <string>

namespace Vinto {

class Canvas;
class PaintManager;
struct ImgResInfo;

class MAirBladder : public MWindow {
public:
    static constexpr uint32_t kHideTimer = 10;
    static constexpr uint32_t kHideAfterMs = 5000;
    static constexpr int kFontSize = 14;

    // Makes the (hidden) window, taking the skin images from the manager's cache.
    void CreateBalloon(WindowHandle owner, PaintManager& manager);
    // Shows `text` at `screenPoint`; the same text, point, type and mode change nothing.
    void SetAirBladderMsg(const wchar_t* text, Point screenPoint, int type, int mode);
    // The window rectangle for the current text, anchor and type (empty for an unknown type).
    Rect AutoFit();
    void CloseWindow() { ShowWindow(0); }
    // Whether the current type gives the balloon a place to be shown.
    bool IsPlaced() const { return placed_; }
    const std::wstring& GetText() const { return text_; }
    int GetType() const { return type_; }

    intptr_t OnWindowMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;

private:
    void Paint(Canvas& canvas, const Rect& client);

    std::wstring text_;
    Point anchor_;
    int type_ = 0;
    int mode_ = 0;
    int lines_ = 1;
    bool placed_ = false;
    const ImgResInfo* back_ = nullptr;
    const ImgResInfo* arrowLeft_ = nullptr;
    const ImgResInfo* arrowRight_ = nullptr;
    const ImgResInfo* arrowTop_ = nullptr;
};

} // namespace Vinto
