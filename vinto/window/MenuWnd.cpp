#include "vinto/window/MenuWnd.h"

#include "vinto/paint/Manager.h"
#include "vinto/platform/Messages.h"
#include "vinto/platform/WindowSystem.h"
#include "vinto/window/MenuItem.h"

namespace Vinto {

MenuWnd::MenuWnd(MObject* owner) { SetParent(owner); }

MenuItem* MenuWnd::NewItem(const wchar_t* title, uint32_t id)
{
    auto* item = new MenuItem(GetOwnerObject(), id, Rect{}, title, 1);
    GetPaintManager().AddControl(1, item);
    item->SetFont(fontName_.c_str(), fontSize_, fontStyle_);
    return item;
}

int MenuWnd::AddMenu(const wchar_t* title, uint32_t id, const wchar_t* iconFile, int, int)
{
    MenuItem* item = NewItem(title, id);
    if (iconFile != nullptr && *iconFile != 0)
        item->SetImage(iconFile, 4);
    SetMenuPoint();
    return -1;
}

int MenuWnd::AddSeparator(uint32_t id, const wchar_t* imageFile)
{
    MenuItem* item = NewItem(L"", id);
    item->SetSeparator(1);
    if (imageFile != nullptr && *imageFile != 0)
        item->SetImage(imageFile, 1);
    SetMenuPoint();
    return -1;
}

void MenuWnd::SetMenuPoint()
{
    int y = topMargin_;
    for (MControl* control : GetControls()) {
        auto* item = dynamic_cast<MenuItem*>(control);
        if (item == nullptr)
            continue;
        Rect r;
        if (!item->IsVisible()) {
            r = Rect{};
        } else if (item->IsSeparator()) {
            r = {indent_ + 1, y + 1, width_ - 1, y + 2};
            y += 4;
        } else {
            r = {2, y, width_ - 2, y + itemHeight_};
            y += itemHeight_;
        }
        item->SetTextIndent(indent_);
        item->SetRect(r);
    }
    height_ = y + bottomMargin_;
    if (GetSafeHwnd() != 0) {
        SetWindowPos(0, 0, width_, height_, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        InvalidateRect(nullptr, 0);
    }
}

int MenuWnd::Create(WindowHandle owner, Point pt, uint32_t message, int width)
{
    width_ = width;
    ownerWindow_ = owner;
    message_ = message;
    GetPaintManager().SetBackColor(0x333333, Manager::GetSelectColorRef());
    if (MDialog::Create(owner, L"Menu Window", WS_POPUP, WS_EX_TOOLWINDOW, Rect::FromSize(pt.x, pt.y, width, width)) ==
        0)
        return 0;
    SetMenuPoint();
    ShowWindow(SW_SHOW);
    if (System() != nullptr)
        System()->SetActiveWindow(GetSafeHwnd());
    return 1;
}

void MenuWnd::SendMessageToParent(uint32_t, uint32_t code, uint32_t wParam, int32_t lParam)
{
    if (System() != nullptr && ownerWindow_ != 0)
        System()->PostMessage(ownerWindow_, message_, wParam, lParam);
    if (code == 2)
        CloseWindow();
}

int32_t MenuWnd::OnMessage(uint32_t id, uint32_t code, uint32_t, int32_t)
{
    if (code == 2)
        SendMessageToParent(id, code, 0, static_cast<int32_t>(id));
    return 1;
}

int MenuWnd::PostNcDestroy()
{
    delete this;
    return 0;
}

} // namespace Vinto
