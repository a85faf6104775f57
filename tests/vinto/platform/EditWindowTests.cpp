// The single-line edit window driven by keystrokes, mouse and messages, read back by its text,
// its selection, its notifications and its pixels.
#include "PixelProbe.h"
#include "RecordingWindow.h"

#include "vinto/platform/Canvas.h"
#include "vinto/platform/EditWindow.h"
#include "vinto/platform/HeadlessBackend.h"
#include "vinto/platform/InputRouter.h"

#include <gtest/gtest.h>

using namespace Vinto;
using VintoTest::RecordingWindow;

namespace {

constexpr uint16_t kId = 77;
constexpr Rect kParentRect{100, 100, 500, 300};
constexpr Rect kEditRect{20, 20, 220, 50};   // in the parent's client area

// A keystroke: the key, the character it types, and whether Shift or Ctrl is held.
struct Stroke {
    uint32_t key;
    char32_t text = 0;
    bool shift = false;
    bool control = false;
};

Stroke Char(char32_t c) { return {0, c}; }
Stroke Ctrl(char letter) { return {0, static_cast<char32_t>(letter - 'a' + 1), false, true}; }

class EditWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent.CreateAt(kParentRect);
        parent.On(WM_CTLCOLOREDIT, [this](uintptr_t wParam, intptr_t) -> intptr_t {
            if (!answerColors)
                return 0;
            *reinterpret_cast<EditColors*>(wParam) = colors;
            return 1;
        });
    }

    WindowHandle MakeEdit(uint32_t styles = 0, int limit = 0)
    {
        WindowCreateParams p;
        p.style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | styles;
        p.rect = kEditRect;
        p.parent = parent.handle;
        const WindowHandle h = edit.Create(p, kId);
        if (limit)
            system->SendMessage(h, EM_LIMITTEXT, static_cast<uintptr_t>(limit), 0);
        system->SetFocus(h);
        system->RunUntilIdle();
        parent.log.clear();
        return h;
    }

    void Press(const Stroke& s)
    {
        if (s.shift)
            input.Key(VK_SHIFT, true);
        if (s.control)
            input.Key(VK_CONTROL, true);
        input.Key(s.key, true, s.text);
        system->RunUntilIdle();   // the modifiers are read while the key is handled
        input.Key(s.key, false);
        if (s.control)
            input.Key(VK_CONTROL, false);
        if (s.shift)
            input.Key(VK_SHIFT, false);
        system->RunUntilIdle();
    }
    void Type(const std::wstring& text)
    {
        for (wchar_t c : text)
            Press(Char(static_cast<char32_t>(c)));
    }

    // The notification codes the parent got from the editor, in order.
    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const VintoTest::Received& r : parent.log)
            if (r.message == WM_COMMAND && LowWord(r.wParam) == kId && r.lParam == static_cast<intptr_t>(edit.Handle()))
                codes.push_back(HighWord(r.wParam));
        return codes;
    }

    // The screen point of an edit client x, vertically in the middle.
    Point At(int clientX) const
    {
        return {kParentRect.left + kEditRect.left + clientX, kParentRect.top + kEditRect.top + kEditRect.Height() / 2};
    }

    std::unique_ptr<WindowSystem> system = HeadlessBackend::CreateSystem();
    InputRouter& input = system->Input();
    RecordingWindow parent{*system, {WM_COMMAND}};
    EditWindow edit{*system};
    bool answerColors = true;
    EditColors colors{0xFFFFFFFF, 0xFF202020};
};

TEST_F(EditWindowTest, KeystrokesEditTheText)
{
    struct Case {
        const char* name;
        std::vector<Stroke> strokes;
        std::wstring text;
        int selStart;
        int selEnd;
    };
    const Case cases[] = {
        {"typing appends", {Char('a'), Char('b'), Char('c')}, L"abc", 3, 3},
        {"backspace removes before the caret", {Char('a'), Char('b'), Char(8)}, L"a", 1, 1},
        {"home then type inserts in front", {Char('b'), {VK_HOME}, Char('a')}, L"ab", 1, 1},
        {"delete removes after the caret", {Char('a'), Char('b'), {VK_LEFT}, {VK_LEFT}, {VK_DELETE}}, L"b", 0, 0},
        {"shift+left selects", {Char('a'), Char('b'), Char('c'), {VK_LEFT, 0, true}, {VK_LEFT, 0, true}}, L"abc", 1, 3},
        {"typing replaces the selection", {Char('a'), Char('b'), Char('c'), {VK_LEFT, 0, true}, Char('X')}, L"abX", 3, 3},
        {"ctrl+a selects all", {Char('a'), Char('b'), Ctrl('a')}, L"ab", 0, 2},
        {"backspace removes the selection", {Char('a'), Char('b'), Ctrl('a'), Char(8)}, L"", 0, 0},
        {"left collapses a selection to its start", {Char('a'), Char('b'), Ctrl('a'), {VK_LEFT}}, L"ab", 0, 0},
        {"shift+end selects to the end", {Char('a'), Char('b'), {VK_HOME}, {VK_END, 0, true}}, L"ab", 0, 2},
        {"ctrl+left jumps a word", {Char('a'), Char(' '), Char('b'), Char('c'), {VK_LEFT, 0, false, true}}, L"a bc", 2, 2},
        {"control characters type nothing", {Char('a'), Char('\t'), Char('\r'), Char(27)}, L"a", 1, 1},
        {"backspace at the start does nothing", {{VK_HOME}, Char(8)}, L"", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditWindow fresh(*system);
        WindowCreateParams p;
        p.style = WS_CHILD | WS_VISIBLE;
        p.rect = kEditRect;
        p.parent = parent.handle;
        system->SetFocus(fresh.Create(p, kId));
        for (const Stroke& s : c.strokes)
            Press(s);
        EXPECT_EQ(fresh.Text(), c.text);
        EXPECT_EQ(fresh.SelectionStart(), c.selStart);
        EXPECT_EQ(fresh.SelectionEnd(), c.selEnd);
    }
}

TEST_F(EditWindowTest, LimitAndNumberOnlyFilterWhatIsTyped)
{
    struct Case {
        const char* name;
        uint32_t style;
        int limit;
        std::wstring typed;
        std::wstring text;
    };
    const Case cases[] = {
        {"limit stops typing", 0, 2, L"123", L"12"},
        {"number-only drops letters", ES_NUMBER, 0, L"1a2-", L"12"},
        {"number-only with a limit", ES_NUMBER, 2, L"2x57", L"25"},
        {"read-only takes nothing", ES_READONLY, 0, L"abc", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditWindow fresh(*system);
        WindowCreateParams p;
        p.style = WS_CHILD | WS_VISIBLE | c.style;
        p.rect = kEditRect;
        p.parent = parent.handle;
        const WindowHandle h = fresh.Create(p, kId);
        if (c.limit)
            system->SendMessage(h, EM_LIMITTEXT, static_cast<uintptr_t>(c.limit), 0);
        system->SetFocus(h);
        Type(c.typed);
        EXPECT_EQ(fresh.Text(), c.text);
    }
}

TEST_F(EditWindowTest, ChangesAndFocusAreReportedToTheParent)
{
    const WindowHandle h = MakeEdit(0, 2);
    Type(L"ab");
    Type(L"c");   // over the limit
    system->SetFocus(parent.handle);
    system->RunUntilIdle();
    EXPECT_EQ(Codes(), (std::vector<int>{EN_CHANGE, EN_CHANGE, EN_MAXTEXT, EN_KILLFOCUS}));

    parent.log.clear();
    system->SetFocus(h);
    system->SendMessage(h, WM_SETTEXT, 0, reinterpret_cast<intptr_t>(L"xy"));
    EXPECT_EQ(Codes(), (std::vector<int>{EN_SETFOCUS, EN_CHANGE}));
}

TEST_F(EditWindowTest, APopupEditorTypesForItsOwnerWithoutTakingTheActivation)
{
    system->SetActiveWindow(parent.handle);
    WindowCreateParams p;
    p.style = WS_POPUP | WS_VISIBLE | ES_AUTOHSCROLL;
    p.rect = kEditRect.Offset(kParentRect.left, kParentRect.top);
    p.parent = parent.handle;
    const WindowHandle h = edit.Create(p, kId);
    ASSERT_NE(h, 0u);
    system->SetFocus(h);
    system->RunUntilIdle();
    parent.log.clear();

    input.Click(At(5));
    Type(L"7");
    EXPECT_EQ(edit.Text(), L"7");
    EXPECT_EQ(system->GetActiveWindow(), parent.handle);
    EXPECT_EQ(Codes(), (std::vector<int>{EN_CHANGE}));
}

TEST_F(EditWindowTest, MessagesSetAndReadTextAndSelection)
{
    const WindowHandle h = MakeEdit();
    system->SendMessage(h, WM_SETTEXT, 0, reinterpret_cast<intptr_t>(L"hello"));
    EXPECT_EQ(system->SendMessage(h, WM_GETTEXTLENGTH, 0, 0), 5);
    wchar_t buffer[4];
    EXPECT_EQ(system->SendMessage(h, WM_GETTEXT, 4, reinterpret_cast<intptr_t>(buffer)), 3);
    EXPECT_EQ(std::wstring(buffer), L"hel");

    struct Case {
        intptr_t start;
        intptr_t end;
        int selStart;
        int selEnd;
    };
    const Case cases[] = {{0, -1, 0, 5}, {4, 1, 1, 4}, {2, 99, 2, 5}, {-1, 0, 5, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        system->SendMessage(h, EM_SETSEL, static_cast<uintptr_t>(c.start), c.end);
        uint32_t start = 0, end = 0;
        const intptr_t packed = system->SendMessage(h, EM_GETSEL, reinterpret_cast<uintptr_t>(&start),
                                                    reinterpret_cast<intptr_t>(&end));
        EXPECT_EQ(start, static_cast<uint32_t>(c.selStart));
        EXPECT_EQ(end, static_cast<uint32_t>(c.selEnd));
        EXPECT_EQ(packed, MakeLParam(c.selStart, c.selEnd));
    }

    system->SendMessage(h, EM_SETSEL, 1, 4);
    system->SendMessage(h, EM_REPLACESEL, 0, reinterpret_cast<intptr_t>(L"EL"));
    EXPECT_EQ(edit.Text(), L"hELo");
    EXPECT_EQ(system->SendMessage(h, EM_GETLIMITTEXT, 0, 0), EditWindow::kDefaultLimit);
    system->SendMessage(h, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MakeLParam(3, 4));
    EXPECT_EQ(system->SendMessage(h, EM_GETMARGINS, 0, 0), MakeLParam(3, 4));
}

TEST_F(EditWindowTest, ClipboardCutCopyPaste)
{
    const WindowHandle h = MakeEdit(0, 6);
    Type(L"abcd");
    Press({VK_LEFT, 0, true});
    Press({VK_LEFT, 0, true});
    Press(Ctrl('x'));
    EXPECT_EQ(edit.Text(), L"ab");
    EXPECT_EQ(system->GetClipboardText(), L"cd");

    Press({VK_HOME});
    Press(Ctrl('v'));
    EXPECT_EQ(edit.Text(), L"cdab");

    // A pasted text keeps its first line only and is cut to the limit.
    system->SetClipboardText(L"123456\nsecond line");
    Press(Ctrl('a'));
    Press(Ctrl('c'));
    EXPECT_EQ(system->GetClipboardText(), L"cdab");
    system->SetClipboardText(L"wxyz123\nsecond");
    Press({VK_END});
    Press(Ctrl('v'));
    EXPECT_EQ(edit.Text(), L"cdabwx");

    // Number-only refuses a paste that holds anything but digits.
    EditWindow numbers(*system);
    WindowCreateParams p;
    p.style = WS_CHILD | WS_VISIBLE | ES_NUMBER;
    p.rect = kEditRect;
    p.parent = parent.handle;
    const WindowHandle n = numbers.Create(p, kId);
    system->SetFocus(n);
    system->SetClipboardText(L"12x");
    system->SendMessage(n, WM_PASTE, 0, 0);
    EXPECT_EQ(numbers.Text(), L"");
    system->SetClipboardText(L"42");
    system->SendMessage(n, WM_PASTE, 0, 0);
    EXPECT_EQ(numbers.Text(), L"42");

    // A masked text is never copied out.
    system->SetFocus(h);
    system->SendMessage(h, EM_SETPASSWORDCHAR, '*', 0);
    system->SetClipboardText(L"before");
    Press(Ctrl('a'));
    Press(Ctrl('c'));
    EXPECT_EQ(system->GetClipboardText(), L"before");
}

TEST_F(EditWindowTest, MousePlacesTheCaretAndDragsASelection)
{
    const WindowHandle h = MakeEdit();
    system->SendMessage(h, WM_SETTEXT, 0, reinterpret_cast<intptr_t>(L"mmmmmmmm"));
    system->SetFocus(parent.handle);
    const int charWidth = Canvas::MeasureText(L"m", TextFormat{}).width;

    input.Click(At(2 * charWidth + 1));
    system->RunUntilIdle();
    EXPECT_EQ(system->GetFocus(), h);
    EXPECT_EQ(edit.Caret(), 2);

    input.MouseMove(At(1));
    input.MouseButtonEvent(MouseButton::Left, true, At(1));
    input.MouseMove(At(5 * charWidth));
    input.MouseButtonEvent(MouseButton::Left, false, At(5 * charWidth));
    system->RunUntilIdle();
    EXPECT_EQ(edit.SelectionStart(), 0);
    EXPECT_EQ(edit.SelectionEnd(), 5);
    EXPECT_EQ(system->GetCapture(), 0u);
}

TEST_F(EditWindowTest, PaintsInTheColoursItIsGiven)
{
    const WindowHandle h = MakeEdit();
    Type(L"W");
    system->SetFocus(parent.handle);   // no caret, no selection
    system->RunUntilIdle();
    const Surface shown = system->CaptureWindow(h);
    EXPECT_EQ(shown.Pixel(0, 0), 0xFF202020u);
    const Rect ink = VintoTest::InkBox(shown, 0xFF202020u);
    EXPECT_FALSE(ink.IsEmpty());
    EXPECT_LT(ink.right, 30);   // left aligned
    bool white = false;
    for (int y = ink.top; y < ink.bottom; ++y)
        for (int x = ink.left; x < ink.right; ++x)
            white = white || VintoTest::Near(shown.Pixel(x, y), 0xFFFFFFFF, 8);
    EXPECT_TRUE(white);

    // Without an answer the editor falls back to black on white.
    answerColors = false;
    system->InvalidateRect(h, nullptr, false);
    system->RunUntilIdle();
    EXPECT_EQ(system->CaptureWindow(h).Pixel(0, 0), 0xFFFFFFFFu);
}

TEST_F(EditWindowTest, CentredTextSitsInTheMiddle)
{
    const WindowHandle h = MakeEdit(ES_CENTER);
    system->SendMessage(h, WM_SETTEXT, 0, reinterpret_cast<intptr_t>(L"88"));
    system->SetFocus(parent.handle);
    system->RunUntilIdle();
    const Rect ink = VintoTest::InkBox(system->CaptureWindow(h), 0xFF202020u);
    const int middle = kEditRect.Width() / 2;
    EXPECT_NEAR((ink.left + ink.right) / 2, middle, 2);
}

TEST_F(EditWindowTest, CaretBlinksWhileFocused)
{
    const WindowHandle h = MakeEdit();
    system->SetCaretBlinkTime(500);
    system->SetFocus(parent.handle);
    system->SetFocus(h);
    system->RunUntilIdle();
    const Rect onInk = VintoTest::InkBox(system->CaptureWindow(h), 0xFF202020u);
    EXPECT_TRUE(edit.CaretVisible());
    EXPECT_EQ(onInk.Width(), 1);   // the caret alone

    system->GetClock().Advance(500);
    system->RunUntilIdle();
    EXPECT_FALSE(edit.CaretVisible());
    EXPECT_TRUE(VintoTest::InkBox(system->CaptureWindow(h), 0xFF202020u).IsEmpty());

    // Typing shows it again at once.
    Type(L"1");
    EXPECT_TRUE(edit.CaretVisible());

    system->SetFocus(parent.handle);
    system->RunUntilIdle();
    EXPECT_FALSE(edit.CaretVisible());
}

TEST_F(EditWindowTest, LongTextScrollsToKeepTheCaretInside)
{
    const WindowHandle h = MakeEdit();
    Type(std::wstring(60, L'x'));
    const Rect atEnd = VintoTest::InkBox(system->CaptureWindow(h), 0xFF202020u);
    EXPECT_GE(atEnd.right, kEditRect.Width() - 2);
    Press({VK_HOME});
    const Rect atStart = VintoTest::InkBox(system->CaptureWindow(h), 0xFF202020u);
    EXPECT_EQ(edit.Caret(), 0);
    EXPECT_LE(atStart.left, 1);
}

} // namespace
