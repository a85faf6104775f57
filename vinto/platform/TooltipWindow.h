#pragma once
// The hint window shown next to a control: a topmost popup owned by the window the control is in,
// never activated, holding one text wrapped at a width limit (256 pixels unless changed) on a light
// background (0xF5F5F5) with a thin border. It shows below the tool's rectangle, or above it where
// the work area ends, and stays inside the work area.
// Thread contract: UI thread only.

#include "vinto/platform/PaintedWindow.h"
#include "vinto/platform/TextFormat.h"

#include <string>

namespace Vinto {

class TooltipWindow : public PaintedWindow {
public:
    static constexpr int kDefaultMaxWidth = 256;
    static constexpr uint32_t kDefaultBackColor = 0xFFF5F5F5;
    static constexpr uint32_t kTextColor = 0xFF000000;
    static constexpr uint32_t kBorderColor = 0xFF767676;
    static constexpr int kGap = 2;   // between the tool's rectangle and the tip

    explicit TooltipWindow(WindowSystem& system);

    // Makes the hidden window; false when the window system refuses (tooltips then stay off).
    bool Create(WindowHandle owner);

    void SetMaxWidth(int pixels);
    void SetBackColor(uint32_t argb);
    // Room between the border and the text.
    void SetMargins(int left, int top);
    void SetFont(const TextFormat& font);

    // Shows `text` next to `tool` (screen coordinates); an empty text hides the tip.
    void Show(const std::wstring& text, const Rect& tool);
    void Hide();
    bool IsShown() const;
    const std::wstring& Text() const { return text_; }

protected:
    void Paint(Canvas& canvas, const Rect& client) override;
    bool OnMessage(uint32_t, uintptr_t, intptr_t, intptr_t&) override { return false; }

private:
    TextFormat Format() const;

    std::wstring text_;
    TextFormat font_;
    int maxWidth_ = kDefaultMaxWidth;
    uint32_t backColor_ = kDefaultBackColor;
    int marginLeft_ = 4;
    int marginTop_ = 2;
};

} // namespace Vinto
