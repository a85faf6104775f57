#pragma once
// A soft shadow behind a window: a layered popup that ignores the mouse and keeps itself under its
// owner, grown by the size and moved by the offset, fading out over the sharpness band.
// Thread contract: UI thread only.

#include "vinto/window/MWindow.h"

namespace Vinto {

class Canvas;

class MShadow : public MWindow {
public:
    // Makes the (hidden) shadow window for `owner`; 1 on success.
    int Create(WindowHandle owner);
    // Each setter clamps to its range: size and offsets -35…35, sharpness 0…35, darkness 0…255.
    void SetSize(int size);
    void SetSharpness(int sharpness);
    void SetDarkness(int darkness);
    void SetPosition(int x, int y);
    void SetShadowColor(uint32_t colorRef) { color_ = colorRef; }
    void SetShadowShow(int show);
    int GetSize() const { return size_; }
    int GetSharpness() const { return sharpness_; }
    int GetDarkness() const { return darkness_; }
    Point GetPosition() const { return offset_; }
    // Places the shadow for the owner's current window rectangle, below the owner.
    void Follow();

    intptr_t OnWindowMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;

private:
    void Paint(Canvas& canvas, const Rect& client);

    WindowHandle owner_ = 0;
    int size_ = 0;
    int sharpness_ = 5;
    int darkness_ = 150;
    Point offset_;
    uint32_t color_ = 0;
    bool shown_ = true;
};

} // namespace Vinto
