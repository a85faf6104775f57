#pragma once
// The single tooltip of a window: a small topmost popup with the text on a light background, shown
// below the pointer and never activated.
// Thread contract: UI thread only.

#include "vinto/window/MWindow.h"

#include <string>

namespace Vinto {

class TooltipWindow : public MWindow {
public:
    static constexpr int kMaxWidth = 256;
    static constexpr uint32_t kBackColor = 0xFFF5F5F5;

    // Shows `text` for the control at `rect` (owner client coordinates), below the pointer.
    void Show(WindowHandle owner, const std::wstring& text, const Rect& rect);
    void Hide();
    const std::wstring& Text() const { return text_; }

    intptr_t OnWindowMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;

private:
    std::wstring text_;
};

} // namespace Vinto
