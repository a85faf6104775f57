#pragma once
// A second tip window for keyboard hints: a heading and two lines of text in a dark box at a point
// on the screen.
// Thread contract: UI thread only.

#include "vinto/window/MWindow.h"

#include <string>

namespace Vinto {

class Canvas;

class CKeyboardTips : public MWindow {
public:
    // Shows the three texts with the box's top-left corner at `screenPoint`; an empty heading hides it.
    void SetAirBladderMsg(const wchar_t* heading, const wchar_t* line1, const wchar_t* line2, Point screenPoint);
    void CloseWindow() { ShowWindow(0); }

    intptr_t OnWindowMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;

private:
    void Paint(Canvas& canvas, const Rect& client);

    std::wstring texts_[3];
};

} // namespace Vinto
