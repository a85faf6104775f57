#include "vinto/window/MDialog.h"

#include "vinto/platform/Messages.h"
#include "vinto/platform/WindowSystem.h"

namespace Vinto {

MDialog::MDialog() : owner_(*this) {}

MDialog::~MDialog()
{
    // The controls and timers go before the window, while the dialog is still whole.
    manager_.DestroyData();
    DestroyWindow();
}

Point MDialog::GetAirBladderPoint(MControl* control, uint32_t placement)
{
    if (control == nullptr)
        return {0, 0};
    const Rect r = control->GetRect();
    const int x = placement == 0 ? r.left : placement == 1 ? (r.left + r.right) / 2 : r.right;
    return ClientToScreen(Point{x, r.bottom});
}

void MDialog::OnMinimize() { ShowWindow(SW_MINIMIZE); }

void MDialog::OnMaximize()
{
    WindowSystem* system = System();
    ShowWindow(system != nullptr && system->IsZoomed(GetSafeHwnd()) ? SW_RESTORE : SW_MAXIMIZE);
}

int32_t MDialog::OnUserCloseWindow(uintptr_t wParam, intptr_t lParam)
{
    PostMessageW(WM_CLOSE, wParam, lParam);
    return 1;
}

int MDialog::OnCreate(CreateStruct* create)
{
    if (create == nullptr)
        return 1;
    create->style = (create->style & ~0x00C40000u) | 0x06000008u;
    // The window system takes the style from the window, not from the creation record.
    if (System() != nullptr && GetSafeHwnd() != 0)
        System()->SetWindowLong(GetSafeHwnd(), GWL_STYLE, create->style);
    return 1;
}

int MDialog::OnSize(uint32_t, int, int)
{
    client_ = GetClientRect();
    if (client_.Width() > 1 && client_.Height() > 1) {
        manager_.SetCaptionRect(client_);
        UISize(client_);
    }
    InvalidateRect(&client_, 0);
    return 0;
}

int MDialog::OnInitDialog()
{
    manager_.Init(GetSafeHwnd(), this);
    client_ = GetClientRect();
    InitUI(client_);
    return 1;
}

void MDialog::OnDestroyMessage(WindowHandle window)
{
    manager_.OnDestroyMessage(window);
    PostNcDestroy();
}

int MDialog::PreTranslateMessage(const Message& msg) { return manager_.PreTranslateMessage(msg); }

bool MDialog::DispatchHook(uint32_t msg, uintptr_t wParam, intptr_t lParam, intptr_t& result)
{
    const Point point{SignedLow(lParam), SignedHigh(lParam)};
    const auto flags = static_cast<uint32_t>(wParam);
    switch (msg) {
    case WM_CREATE:
        OnCreate(reinterpret_cast<CreateStruct*>(lParam));
        break;
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_SIZE:
        OnSize(static_cast<uint32_t>(wParam), LowWord(static_cast<uintptr_t>(lParam)),
               HighWord(static_cast<uintptr_t>(lParam)));
        break;
    case WM_PAINT:
        OnPaint();
        break;
    case WM_CLOSE:
        OnClose();
        break;
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_WINDOWPOSCHANGING:
        OnWindowPosChanging(reinterpret_cast<WindowPos*>(lParam));
        break;
    case WM_WINDOWPOSCHANGED:
        OnWindowPosChanged(reinterpret_cast<WindowPos*>(lParam));
        break;
    case WM_NCACTIVATE:
        OnNcActivate(static_cast<int>(wParam));
        break;
    case WM_TIMER:
        OnTimer(static_cast<uint32_t>(wParam));
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(flags, point);
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown(flags, point);
        break;
    case WM_LBUTTONUP:
        OnLButtonUp(flags, point);
        break;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(flags, point);
        break;
    case WM_RBUTTONDOWN:
        OnRButtonDown(flags, point);
        break;
    case WM_RBUTTONUP:
        OnRButtonUp(flags, point);
        break;
    case WM_RBUTTONDBLCLK:
        OnRButtonDblClk(flags, point);
        break;
    case WM_MOUSEHOVER:
        OnMouseHover(wParam, lParam);
        break;
    case WM_MOUSELEAVE:
        OnMouseLeave(wParam, lParam);
        break;
    case WM_VINTO_CLOSE:
        result = OnUserCloseWindow(wParam, lParam);
        return true;
    default:
        break;
    }
    return false;
}

intptr_t MDialog::OnWindowMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    intptr_t result = 0;
    if (DispatchHook(msg, wParam, lParam, result))
        return result;
    if (msg == WM_MOVE || msg == WM_SIZE || msg == WM_WINDOWPOSCHANGED)
        manager_.FollowShadow(1);
    else if (msg == WM_SHOWWINDOW)
        manager_.FollowShadow(wParam != 0);
    if (const intptr_t handled = manager_.OnWindowMessage(msg, wParam, lParam))
        return handled;
    return DefaultProc(msg, wParam, lParam);
}

MControl* MDialog::CreateControl(const wchar_t* className, uint32_t id, const Rect& rect, const wchar_t* title,
                                 int first, int second)
{
    return manager_.CreateControl(1, &owner_, className, id, rect, title, first, second);
}

MControl* MDialog::CreateArea(const wchar_t* className, uint32_t id, const Rect& rect, const wchar_t* title,
                              int first, int second)
{
    return manager_.CreateControl(0, &owner_, className, id, rect, title, first, second);
}

void MDialog::AddControl(MControl* control)
{
    if (control == nullptr)
        return;
    control->SetParent(&owner_);
    manager_.AddControl(1, control);
}

int MDialog::SetAirBladderMsg(const wchar_t* text, Point screenPoint, int type)
{
    if (screenPoint.x == 0 || screenPoint.y == 0)
        return 0;
    manager_.SetAirBladderMsg(text, screenPoint, type, 3);
    manager_.ShowAirBladder(1, 0);
    return 1;
}

} // namespace Vinto
