#include "vinto/platform/EditWindow.h"

#include "vinto/platform/Canvas.h"

#include <algorithm>
#include <cwctype>

namespace Vinto {

namespace {

bool IsWordChar(wchar_t c) { return std::iswalnum(static_cast<wint_t>(c)) || c == L'_'; }

} // namespace

EditWindow::EditWindow(WindowSystem& system) : PaintedWindow(system)
{
    font_.color = 0xFF000000;
}

WindowHandle EditWindow::Create(const WindowCreateParams& params, uint16_t id)
{
    id_ = id;
    WindowCreateParams p = params;
    // A popup editor floats over its owner's layered window: the window manager must neither
    // frame it nor move the activation to it.
    if (p.style & WS_POPUP)
        p.exStyle |= WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    return system_.CreateWindow(p, this);
}

int EditWindow::SelectionStart() const { return std::min(anchor_, caret_); }
int EditWindow::SelectionEnd() const { return std::max(anchor_, caret_); }

uint32_t EditWindow::Style() const { return system_.GetWindowLong(Handle(), GWL_STYLE); }

WindowHandle EditWindow::ReportTarget() const
{
    return (Style() & WS_CHILD) ? system_.GetParent(Handle()) : system_.GetOwner(Handle());
}

void EditWindow::Notify(int code)
{
    if (const WindowHandle target = ReportTarget())
        system_.SendMessage(target, WM_COMMAND, MakeWParam(id_, code), static_cast<intptr_t>(Handle()));
}

// ---- Text and selection

void EditWindow::SetText(std::wstring text)
{
    text_ = std::move(text);
    anchor_ = caret_ = 0;
    scroll_ = 0;
    Invalidate();
    Notify(EN_CHANGE);
}

bool EditWindow::ReplaceSelection(std::wstring_view typed, bool byUser)
{
    if (byUser && IsReadOnly())
        return false;
    // One line only: a pasted text ends at its first line break, other control characters go.
    std::wstring insert;
    for (wchar_t c : typed) {
        if (c == L'\r' || c == L'\n')
            break;
        if (c >= 0x20 && c != 0x7F)
            insert.push_back(c);
    }
    if (insert.empty() && !typed.empty())
        return false;
    if (byUser && (Style() & ES_NUMBER) &&
        !std::all_of(insert.begin(), insert.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
        return false;

    const int start = SelectionStart();
    const int end = SelectionEnd();
    const int kept = static_cast<int>(text_.size()) - (end - start);
    const int room = std::max(0, limit_ - kept);
    const bool cut = static_cast<int>(insert.size()) > room;
    if (cut)
        insert.resize(static_cast<size_t>(room));
    if (insert.empty() && start == end) {
        if (cut)
            Notify(EN_MAXTEXT);
        return false;
    }
    text_.replace(static_cast<size_t>(start), static_cast<size_t>(end - start), insert);
    anchor_ = caret_ = start + static_cast<int>(insert.size());
    ScrollToCaret();
    RestartBlink();
    Invalidate();
    if (cut)
        Notify(EN_MAXTEXT);
    Notify(EN_CHANGE);
    return true;
}

void EditWindow::Select(int anchor, int caret)
{
    const int length = static_cast<int>(text_.size());
    anchor_ = std::clamp(anchor, 0, length);
    caret_ = std::clamp(caret, 0, length);
    ScrollToCaret();
    RestartBlink();
    Invalidate();
}

void EditWindow::MoveCaret(int position, bool extend) { Select(extend ? anchor_ : position, position); }

void EditWindow::DeleteSelectionOr(int from, int to)
{
    if (SelectionStart() == SelectionEnd()) {
        from = std::clamp(from, 0, static_cast<int>(text_.size()));
        to = std::clamp(to, 0, static_cast<int>(text_.size()));
        if (from == to)
            return;
        anchor_ = from;
        caret_ = to;
    }
    ReplaceSelection(L"", true);
}

void EditWindow::Copy()
{
    // A masked text never leaves the editor.
    if ((Style() & ES_PASSWORD) || SelectionStart() == SelectionEnd())
        return;
    system_.SetClipboardText(text_.substr(static_cast<size_t>(SelectionStart()),
                                          static_cast<size_t>(SelectionEnd() - SelectionStart())));
}

void EditWindow::Cut()
{
    if (IsReadOnly() || (Style() & ES_PASSWORD) || SelectionStart() == SelectionEnd())
        return;
    Copy();
    ReplaceSelection(L"", true);
}

void EditWindow::Paste()
{
    const std::wstring clip = system_.GetClipboardText();
    if (!clip.empty())
        ReplaceSelection(clip, true);
}

// ---- Keyboard and focus

void EditWindow::OnKeyDown(uint32_t key)
{
    const bool shift = system_.GetKeyState(VK_SHIFT) < 0;
    const bool control = system_.GetKeyState(VK_CONTROL) < 0;
    const int length = static_cast<int>(text_.size());
    auto wordLeft = [&](int p) {
        while (p > 0 && !IsWordChar(text_[static_cast<size_t>(p - 1)]))
            --p;
        while (p > 0 && IsWordChar(text_[static_cast<size_t>(p - 1)]))
            --p;
        return p;
    };
    auto wordRight = [&](int p) {
        while (p < length && IsWordChar(text_[static_cast<size_t>(p)]))
            ++p;
        while (p < length && !IsWordChar(text_[static_cast<size_t>(p)]))
            ++p;
        return p;
    };
    const bool selection = SelectionStart() != SelectionEnd();
    switch (key) {
    case VK_LEFT:
        if (!shift && !control && selection)
            MoveCaret(SelectionStart(), false);
        else
            MoveCaret(control ? wordLeft(caret_) : caret_ - 1, shift);
        break;
    case VK_RIGHT:
        if (!shift && !control && selection)
            MoveCaret(SelectionEnd(), false);
        else
            MoveCaret(control ? wordRight(caret_) : caret_ + 1, shift);
        break;
    case VK_HOME:
        MoveCaret(0, shift);
        break;
    case VK_END:
        MoveCaret(length, shift);
        break;
    case VK_DELETE:
        if (shift)
            Cut();
        else
            DeleteSelectionOr(caret_, caret_ + 1);
        break;
    case VK_INSERT:
        if (control)
            Copy();
        else if (shift)
            Paste();
        break;
    default:
        break;
    }
}

void EditWindow::OnChar(char32_t c)
{
    switch (c) {
    case 0x01:   // Ctrl+A
        Select(0, static_cast<int>(text_.size()));
        return;
    case 0x03:   // Ctrl+C
        Copy();
        return;
    case 0x16:   // Ctrl+V
        Paste();
        return;
    case 0x18:   // Ctrl+X
        Cut();
        return;
    case 0x08:   // Backspace
        DeleteSelectionOr(caret_ - 1, caret_);
        return;
    default:
        break;
    }
    if (c < 0x20 || c == 0x7F || c > 0x10FFFF)
        return;
    const wchar_t typed[1] = {static_cast<wchar_t>(c)};
    ReplaceSelection(std::wstring_view(typed, 1), true);
}

void EditWindow::OnFocus(bool focused)
{
    focused_ = focused;
    if (focused) {
        RestartBlink();
    } else {
        system_.KillTimer(Handle(), kCaretTimer);
        caretOn_ = false;
        dragging_ = false;
    }
    Invalidate();
    Notify(focused ? EN_SETFOCUS : EN_KILLFOCUS);
}

void EditWindow::RestartBlink()
{
    if (!focused_)
        return;
    caretOn_ = true;
    if (const uint32_t blink = system_.GetCaretBlinkTime())
        system_.SetTimer(Handle(), kCaretTimer, blink);
}

// ---- Geometry

std::wstring EditWindow::Shown() const
{
    return (Style() & ES_PASSWORD) ? std::wstring(text_.size(), passwordChar_) : text_;
}

Rect EditWindow::TextArea() const
{
    Rect client = system_.GetClientRect(Handle());
    client.left += leftMargin_;
    client.right = std::max(client.left, client.right - rightMargin_);
    return client;
}

int EditWindow::Advance(int position) const
{
    if (position <= 0)
        return 0;
    const std::wstring shown = Shown();
    return Canvas::MeasureText(std::wstring_view(shown).substr(0, static_cast<size_t>(position)), font_).width;
}

int EditWindow::TextX() const
{
    const Rect area = TextArea();
    const int width = Advance(static_cast<int>(text_.size()));
    const uint32_t style = Style();
    if (width < area.Width() && (style & ES_CENTER))
        return area.left + (area.Width() - width) / 2;
    if (width < area.Width() && (style & ES_RIGHT))
        return area.right - width;
    return area.left - scroll_;
}

int EditWindow::PositionAt(int x) const
{
    const int relative = x - TextX();
    int best = 0;
    int bestDistance = std::abs(relative);
    for (int i = 1; i <= static_cast<int>(text_.size()); ++i) {
        const int distance = std::abs(Advance(i) - relative);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

void EditWindow::ScrollToCaret()
{
    // A long text scrolls sideways so the caret stays inside the text area.
    const int visible = std::max(1, TextArea().Width() - 1);
    const int caretX = Advance(caret_);
    const int total = Advance(static_cast<int>(text_.size()));
    if (caretX < scroll_)
        scroll_ = caretX;
    else if (caretX - scroll_ > visible)
        scroll_ = caretX - visible;
    scroll_ = std::clamp(scroll_, 0, std::max(0, total - visible));
}

// ---- Painting

EditColors EditWindow::AskColors() const
{
    const bool passive = IsReadOnly() || !system_.IsWindowEnabled(Handle());
    EditColors defaults;
    if (passive)
        defaults.background = 0xFFF0F0F0;
    if (!system_.IsWindowEnabled(Handle()))
        defaults.text = 0xFF6D6D6D;
    EditColors asked = defaults;
    const WindowHandle target = ReportTarget();
    if (target && system_.SendMessage(target, passive ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                                      reinterpret_cast<uintptr_t>(&asked), static_cast<intptr_t>(Handle())))
        return asked;
    return defaults;
}

void EditWindow::Paint(Canvas& canvas, const Rect& client)
{
    const EditColors colors = AskColors();
    if (colors.background >> 24)
        canvas.FillSolidRect(client, colors.background);
    else
        canvas.Clear(client);

    TextFormat format = font_;
    format.color = colors.text;
    format.hAlign = TextFormat::kLeft;
    format.vAlign = TextFormat::kMiddle;
    format.wrap = format.ellipsis = false;
    format.clip = false;
    const Rect area = TextArea();
    const std::wstring shown = Shown();
    const int x = TextX();
    const int lineHeight = Canvas::MeasureText(L"Ag", format).height;
    const int lineTop = client.top + (client.Height() - lineHeight) / 2;
    const Rect line{x, client.top, x + Advance(static_cast<int>(shown.size())) + 1, client.bottom};

    canvas.PushClip(area);
    canvas.DrawText(shown, line, format);
    if (focused_ && SelectionStart() != SelectionEnd()) {
        const Rect selection{x + Advance(SelectionStart()), lineTop, x + Advance(SelectionEnd()), lineTop + lineHeight};
        canvas.FillSolidRect(selection, kSelectionColor);
        canvas.PushClip(selection);
        format.color = 0xFFFFFFFF;
        canvas.DrawText(shown, line, format);
        canvas.PopClip();
    } else if (CaretVisible()) {
        const int caretX = std::min(x + Advance(caret_), area.right - 1);
        canvas.FillSolidRect({caretX, lineTop, caretX + 1, lineTop + lineHeight}, colors.text);
    }
    canvas.PopClip();
}

void EditWindow::Invalidate()
{
    if (Handle())
        system_.InvalidateRect(Handle(), nullptr, false);
}

void EditWindow::OnDestroyed()
{
    focused_ = false;
    dragging_ = false;
}

// ---- Messages

bool EditWindow::OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t& result)
{
    const WindowHandle window = Handle();
    result = 0;
    switch (message) {
    case WM_SIZE:
        ScrollToCaret();
        Invalidate();
        return true;
    case WM_ENABLE:
        Invalidate();
        return true;
    case WM_SETFOCUS:
        OnFocus(true);
        return true;
    case WM_KILLFOCUS:
        OnFocus(false);
        return true;
    case WM_TIMER:
        if (wParam == kCaretTimer) {
            caretOn_ = !caretOn_;
            Invalidate();
            return true;
        }
        return false;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<uint32_t>(wParam));
        return true;
    case WM_CHAR:
        OnChar(static_cast<char32_t>(wParam));
        return true;
    case WM_LBUTTONDOWN:
        if (system_.GetFocus() != window)
            system_.SetFocus(window);
        MoveCaret(PositionAt(SignedLow(lParam)), (wParam & MK_SHIFT) != 0);
        dragging_ = true;
        system_.SetCapture(window);
        return true;
    case WM_MOUSEMOVE:
        if (dragging_)
            MoveCaret(PositionAt(SignedLow(lParam)), true);
        return true;
    case WM_LBUTTONUP:
        if (dragging_) {
            dragging_ = false;
            system_.ReleaseCapture();
        }
        return true;
    case WM_LBUTTONDBLCLK: {
        int start = PositionAt(SignedLow(lParam));
        int end = start;
        while (start > 0 && IsWordChar(text_[static_cast<size_t>(start - 1)]))
            --start;
        while (end < static_cast<int>(text_.size()) && IsWordChar(text_[static_cast<size_t>(end)]))
            ++end;
        Select(start, end);
        return true;
    }
    case WM_CAPTURECHANGED:
        dragging_ = false;
        return true;
    case WM_SETTEXT:
        SetText(lParam ? std::wstring(reinterpret_cast<const wchar_t*>(lParam)) : std::wstring());
        result = 1;
        return true;
    case WM_GETTEXT: {
        if (wParam == 0 || !lParam)
            return true;
        const size_t count = std::min(static_cast<size_t>(wParam) - 1, text_.size());
        wchar_t* out = reinterpret_cast<wchar_t*>(lParam);
        std::copy_n(text_.data(), count, out);
        out[count] = L'\0';
        result = static_cast<intptr_t>(count);
        return true;
    }
    case WM_GETTEXTLENGTH:
        result = static_cast<intptr_t>(text_.size());
        return true;
    case WM_SETFONT:
        if (wParam) {
            font_ = *reinterpret_cast<const TextFormat*>(wParam);
            ScrollToCaret();
            Invalidate();
        }
        return true;
    case EM_SETSEL: {
        const int length = static_cast<int>(text_.size());
        const int start = static_cast<int>(static_cast<intptr_t>(wParam));
        const int end = static_cast<int>(lParam);
        if (start < 0)
            Select(caret_, caret_);
        else
            Select(start, end < 0 ? length : end);
        return true;
    }
    case EM_GETSEL:
        if (wParam)
            *reinterpret_cast<uint32_t*>(wParam) = static_cast<uint32_t>(SelectionStart());
        if (lParam)
            *reinterpret_cast<uint32_t*>(lParam) = static_cast<uint32_t>(SelectionEnd());
        result = MakeLParam(SelectionStart(), SelectionEnd());
        return true;
    case EM_REPLACESEL:
        if (lParam)
            ReplaceSelection(reinterpret_cast<const wchar_t*>(lParam), false);
        return true;
    case EM_LIMITTEXT:
        limit_ = wParam == 0 || wParam > static_cast<uintptr_t>(kDefaultLimit) ? kDefaultLimit : static_cast<int>(wParam);
        return true;
    case EM_GETLIMITTEXT:
        result = limit_;
        return true;
    case EM_SETMARGINS:
        if (wParam & EC_LEFTMARGIN)
            leftMargin_ = std::max(0, LowWord(static_cast<uintptr_t>(lParam)));
        if (wParam & EC_RIGHTMARGIN)
            rightMargin_ = std::max(0, HighWord(static_cast<uintptr_t>(lParam)));
        ScrollToCaret();
        Invalidate();
        return true;
    case EM_GETMARGINS:
        result = MakeLParam(leftMargin_, rightMargin_);
        return true;
    case EM_SETREADONLY:
        system_.SetWindowLong(window, GWL_STYLE, wParam ? (Style() | ES_READONLY) : (Style() & ~ES_READONLY));
        Invalidate();
        result = 1;
        return true;
    case EM_SETPASSWORDCHAR:
        passwordChar_ = wParam ? static_cast<wchar_t>(wParam) : L'*';
        system_.SetWindowLong(window, GWL_STYLE, wParam ? (Style() | ES_PASSWORD) : (Style() & ~ES_PASSWORD));
        Invalidate();
        return true;
    case WM_CUT:
        Cut();
        return true;
    case WM_COPY:
        Copy();
        return true;
    case WM_PASTE:
        Paste();
        return true;
    case WM_CLEAR:
        if (SelectionStart() != SelectionEnd())
            ReplaceSelection(L"", true);
        return true;
    default:
        return false;
    }
}

} // namespace Vinto
