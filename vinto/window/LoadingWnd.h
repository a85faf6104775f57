#pragma once
// A "please wait" popup: the loading logo centred above an animated loading strip, on a layered
// window centred over its owner. The animation advances one frame every few ticks of its timer.
// Thread contract: UI thread only.

#include "vinto/platform/Image.h"
#include "vinto/window/MWindow.h"

#include <memory>

namespace Vinto {

class Canvas;

class LoadingWnd : public MWindow {
public:
    static constexpr uint32_t kTimer = 100;
    static constexpr uint32_t kTickMs = 30;
    static constexpr int kTicksPerFrame = 3;
    static constexpr int kAnimationWidth = 232;
    static constexpr int kAnimationHeight = 58;

    // Loads the skin images, makes the window over `owner` and starts the animation; 1 on success.
    int Show(WindowHandle owner);
    void Close() { DestroyWindow(); }
    int GetFrame() const { return frame_; }

    intptr_t OnWindowMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;

private:
    void Paint(Canvas& canvas, const Rect& client);

    std::unique_ptr<Image> logo_;
    std::unique_ptr<Image> animation_;
    int frame_ = 0;
    int ticks_ = 0;
};

} // namespace Vinto
