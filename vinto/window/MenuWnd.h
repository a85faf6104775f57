#pragma once
// A context menu: a popup of MenuItem rows laid out top to bottom. A click on an item posts the
// menu message to the owner window (wParam 0, lParam the item id) and closes the menu; a press
// elsewhere closes it without a message. The menu deletes itself once its window is gone, so a
// caller makes it with new, fills it, creates it and forgets it.
// Thread contract: UI thread only.

#include "vinto/window/MPopupWnd.h"

#include <string>

namespace Vinto {

class MenuItem;

class MenuWnd : public MPopupWnd {
public:
    explicit MenuWnd(MObject* owner);

    const wchar_t* GetWindowClassName() const override { return L"MenuWnd"; }
    int32_t OnMessage(uint32_t id, uint32_t code, uint32_t wParam, int32_t lParam) override;
    int PostNcDestroy() override;

    // Adds an item (with a four-frame skin icon when `iconFile` is not empty); returns -1.
    int AddMenu(const wchar_t* title, uint32_t id, const wchar_t* iconFile, int, int);
    // Adds a separator (with a one-frame skin image when given); returns -1.
    int AddSeparator(uint32_t id, const wchar_t* imageFile);
    // Shows the menu at the screen point, `width` wide; 1 on success.
    int Create(WindowHandle owner, Point pt, uint32_t message, int width);
    int Create(WindowHandle owner, Point pt, uint32_t message) { return Create(owner, pt, message, width_); }
    // Posts the menu message with wParam and lParam; closes the menu for code 2.
    void SendMessageToParent(uint32_t id, uint32_t code, uint32_t wParam, int32_t lParam);
    // Lays the visible items out from the top margin and sizes the window to fit them.
    void SetMenuPoint();

    void SetItemHeight(int h) { itemHeight_ = h; }
    void SetMargins(int top, int bottom)
    {
        topMargin_ = top ? top : 2;
        bottomMargin_ = bottom ? bottom : 2;
    }
    int GetMenuHeight() const { return height_; }

private:
    MenuItem* NewItem(const wchar_t* title, uint32_t id);

    WindowHandle ownerWindow_ = 0;
    uint32_t message_ = 0;
    std::wstring fontName_ = L"Segoe UI";
    int fontSize_ = 14;
    uint32_t fontStyle_ = 0;
    int indent_ = 5;
    int itemHeight_ = 25;
    int width_ = 300;
    int topMargin_ = 6;
    int bottomMargin_ = 6;
    int height_ = 0;
};

} // namespace Vinto
