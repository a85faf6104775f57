#pragma once
// One entry of a menu: a title (and optional icon) that shows hover and pressed looks and notifies
// its menu with code 2 when released over it; or a thin separator line.
// Thread contract: UI thread only.

#include "vinto/core/MControlFont.h"

#include <string>

namespace Vinto {

class MenuItem : public MControlFont {
public:
    enum State { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

    MenuItem(MObject* parent, uint32_t id, const Rect& rect, const wchar_t* title, int visible);

    const wchar_t* GetClassNameW() const override { return L"MenuItem"; }
    void DrawControl(Canvas& canvas, const Rect& paintRect) override;
    int OnControlMouseMove(uint32_t flags, Point point) override;
    int OnControlLButtonDown(uint32_t flags, Point point) override;
    int OnControlLButtonUp(uint32_t flags, Point point) override;

    int GetCheck() const { return checked_; }
    // Only a checkable, enabled item changes; a checked item shows the pressed look.
    void SetCheck(int check);
    void SetCheckable(int checkable) { checkable_ = checkable; }
    void SetControlCheck(int check) { checked_ = check; }
    int ResetGroupCheck() { return 1; }
    const std::wstring& GetGroupName() const { return groupName_; }
    void SetGroupName(const wchar_t* name) { groupName_ = name ? name : L""; }
    const std::wstring& GetGroupValue() const { return groupValue_; }
    const std::wstring& GetValue() const { return groupValue_; }
    void SetSeparator(int separator) { separator_ = separator; }
    int IsSeparator() const { return separator_; }
    int IsPopup() const { return 0; }
    int IsHover() const { return state_ == Hover; }
    int GetState() const { return state_; }
    void ShowPopupMenu() {}
    void SetFrameWidth(int width) { frameWidth_ = width; }
    void SetTextIndent(int indent) { indent_ = indent; }
    void SetHoverColor(uint32_t argb) { hoverColor_ = argb; }
    // A skin image drawn stretched behind a hovered or pressed item instead of the hover colour.
    int SetHoverImage(const wchar_t* fileName);

private:
    void SetState(int state);
    void RenderStrip(Surface& strip, int width, int height);

    int state_ = Normal;
    int checked_ = 0;
    int checkable_ = 0;
    int separator_ = 0;
    std::wstring groupName_ = L"Menu Group";
    std::wstring groupValue_;
    uint32_t hoverColor_;
    const struct ImgResInfo* hoverImage_ = nullptr;
    int frameWidth_ = 0;
    int indent_ = 5;
};

} // namespace Vinto
