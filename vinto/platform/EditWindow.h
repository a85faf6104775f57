#pragma once
// The single-line text box the toolkit places over a control while the user types: text, a
// blinking caret, selection by mouse and keyboard, the clipboard, number-only input (ES_NUMBER),
// centred or right-aligned text (ES_CENTER, ES_RIGHT), masked text (ES_PASSWORD), read-only
// (ES_READONLY), a text limit, margins and a font.
//
// It tells the window it reports to (the parent of a WS_CHILD editor, else the owner) through
// WM_COMMAND with MakeWParam(id, EN_*) and its own handle in lParam, and asks that window for its
// colours before painting: WM_CTLCOLOREDIT (WM_CTLCOLORSTATIC when read-only or disabled) with a
// pointer to EditColors in wParam and its handle in lParam; a non-zero answer means the colours
// were filled in. A parent that hands such messages back as OCM_* reaches the editor's own
// procedure: a subclass overrides WindowProc and passes what it leaves alone to this one.
// The window goes with the object.
//
// Messages it takes: WM_SETTEXT (lParam: const wchar_t*), WM_GETTEXT (wParam: buffer size in
// characters, lParam: wchar_t*), WM_GETTEXTLENGTH, WM_SETFONT (wParam: const TextFormat*),
// EM_SETSEL, EM_GETSEL, EM_REPLACESEL, EM_LIMITTEXT, EM_GETLIMITTEXT, EM_SETMARGINS, EM_GETMARGINS,
// EM_SETREADONLY, EM_SETPASSWORDCHAR, WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR.
//
// Thread contract: UI thread only.

#include "vinto/platform/TextFormat.h"
#include "vinto/platform/PaintedWindow.h"

#include <string>

namespace Vinto {

// What the window an editor reports to answers to WM_CTLCOLOREDIT; colours are straight ARGB.
struct EditColors {
    uint32_t text = 0xFF000000;
    uint32_t background = 0xFFFFFFFF;   // alpha 0: the editor paints no background
};

class EditWindow : public PaintedWindow {
public:
    static constexpr uintptr_t kCaretTimer = 6553;
    static constexpr int kDefaultLimit = 0x7FFFFFFE;
    static constexpr uint32_t kSelectionColor = 0xFF3399FF;

    explicit EditWindow(WindowSystem& system);

    // Makes the window; `params.style` carries the ES_* bits, `id` goes into every notification.
    // A WS_POPUP editor (over a layered window, in screen coordinates) is owned by `params.parent`
    // and never activated. 0 when the window system refuses.
    WindowHandle Create(const WindowCreateParams& params, uint16_t id);

    const std::wstring& Text() const { return text_; }
    // The selection as (start, end) character positions, start <= end; the caret is at one end.
    int SelectionStart() const;
    int SelectionEnd() const;
    int Caret() const { return caret_; }
    bool CaretVisible() const { return focused_ && caretOn_; }

protected:
    void Paint(Canvas& canvas, const Rect& client) override;
    bool OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t& result) override;
    void OnDestroyed() override;

private:
    uint32_t Style() const;
    bool IsReadOnly() const { return (Style() & ES_READONLY) != 0; }
    WindowHandle ReportTarget() const;
    void Notify(int code);

    void SetText(std::wstring text);
    // Replaces the selection with `typed` (filtered and cut to the limit); false when refused.
    bool ReplaceSelection(std::wstring_view typed, bool byUser);
    void Select(int anchor, int caret);
    void MoveCaret(int position, bool extend);
    void DeleteSelectionOr(int from, int to);
    void Copy();
    void Cut();
    void Paste();

    void OnKeyDown(uint32_t key);
    void OnChar(char32_t c);
    void OnFocus(bool focused);
    void RestartBlink();

    std::wstring Shown() const;   // the text as drawn (masked in password mode)
    Rect TextArea() const;
    int TextX() const;            // where the first character is drawn, scroll included
    int Advance(int position) const;   // width of the first `position` characters
    int PositionAt(int x) const;
    void ScrollToCaret();
    EditColors AskColors() const;
    void Invalidate();

    uint16_t id_ = 0;
    TextFormat font_;
    std::wstring text_;
    int anchor_ = 0;
    int caret_ = 0;
    int limit_ = kDefaultLimit;
    int leftMargin_ = 0;
    int rightMargin_ = 0;
    wchar_t passwordChar_ = L'*';
    int scroll_ = 0;
    bool focused_ = false;
    bool caretOn_ = false;
    bool dragging_ = false;
};

} // namespace Vinto
