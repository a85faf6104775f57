#include "vinto/window/MPopupWnd.h"

#include "vinto/platform/Messages.h"
#include "vinto/platform/WindowSystem.h"

namespace Vinto {

int MPopupWnd::OnCreate(CreateStruct* create)
{
    MDialog::OnCreate(create);
    if (System() != nullptr && GetSafeHwnd() != 0)
        System()->SetWindowLong(GetSafeHwnd(), GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    return 1;
}

intptr_t MPopupWnd::OnWindowMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    if (msg == WM_NCACTIVATE && wParam == 0)
        PostMessageW(WM_CLOSE, 0, 0);
    if (msg == WM_WINDOWPOSCHANGED) {
        const Rect client = GetClientRect();
        UISize(client);
        InvalidateRect(nullptr, 0);
    }
    return MDialog::OnWindowMessage(msg, wParam, lParam);
}

int32_t MPopupWnd::SendMessageToParent(uint32_t code, uint32_t wParam, int32_t lParam)
{
    return owner_ != nullptr ? owner_->OnBaseMessage(0, code, wParam, lParam) : 0;
}

void MPopupWnd::CloseWindow() { PostMessageW(WM_CLOSE, 0, 0); }

} // namespace Vinto
