#pragma once
// The base of every drawn control: a rectangle in window client pixels, flags, two owned child lists
// (areas drawn beneath, controls on top), mouse/keyboard/wheel/tick routing through the tree, drawing
// order, two off-screen caches and the repaint protocol towards the owner.
// Thread contract: the UI thread creates, routes and draws; the tick thread may call OnTimer,
// UpdateControl, UpdateAControl and the flag readers. Each child list has its own lock.

#include "vinto/core/MObject.h"
#include "vinto/platform/Canvas.h"
#include "vinto/platform/Cursor.h"
#include "vinto/platform/Surface.h"

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace Vinto {

class PaintManager;

class MControl : public MObject {
public:
    using ControlList = std::vector<MControl*>;

    MControl(MObject* parent, uint32_t id, const Rect& rect, int visible, int enabled, int response);
    ~MControl() override;
    MControl(const MControl&) = delete;
    MControl& operator=(const MControl&) = delete;

    const wchar_t* GetClassNameW() const override { return L"MControl"; }

    // --- Hooks, in interface order
    virtual void InitControl(PaintManager*) {}
    virtual int PtInRect(Point point);
    virtual void DrawControl(Canvas& canvas, const Rect& paintRect) = 0;
    virtual int DrawSubControls(Canvas& canvas, const Rect& paintRect);
    virtual int IsDraw(Point) { return 0; }
    virtual void SetUpdate(int valid, uint32_t backColor);
    virtual int SetControlFocus(int focus);
    virtual void InitUI(const Rect&) {}
    virtual int OnMousePointChange(Point&) { return 0; }
    virtual int OnCheckMouseResponse(uint32_t, Point) { return 1; }
    virtual int32_t OnWindowMessage(uint32_t, uintptr_t, intptr_t) { return 0; }
    virtual int32_t OnMessage(uint32_t, uint32_t, uint32_t, int32_t) { return 0; }
    virtual void SetControlRect(const Rect& rect);
    virtual void SetControlVisible(int visible) { visible_ = visible ? 1 : 0; }
    virtual void SetControlWndVisible(int) {}
    virtual void SetControlEnabled(int enabled) { enabled_ = enabled ? 1 : 0; }
    virtual int OnControlTimer() { return 0; }
    virtual const Surface* GetControlDropBitmap() { return nullptr; }
    virtual int OnControlMouseMove(uint32_t, Point) { return 0; }
    virtual int OnControlSetCursor(uint32_t flags, Point point);
    virtual int OnControlLButtonDown(uint32_t, Point) { return 0; }
    virtual int OnControlLButtonUp(uint32_t, Point) { return 0; }
    virtual int OnControlLButtonDblClk(uint32_t, Point) { return 0; }
    virtual int OnControlScroll(int, uint32_t, Point) { return 0; }
    virtual int OnControlRButtonDown(uint32_t, Point) { return 0; }
    virtual int OnControlRButtonUp(uint32_t, Point) { return 0; }
    virtual int OnControlRButtonDblClk(uint32_t, Point) { return 0; }
    virtual int OnControlKeyDown(uint32_t, uint32_t, uint32_t) { return 0; }
    virtual void OnPositionChange() {}
    // Invalidates this control's rect in the window (a layered window: all of it).
    virtual void InvalidateRect(const Rect* unused, int erase);

    // --- Tree and identity
    void SetManager(PaintManager* manager);
    PaintManager* GetManager() const { return manager_; }
    MObject* GetParantObject() const { return parent_; }
    void SetParent(MObject* parent) { parent_ = parent; }
    uint32_t GetControlID() const { return id_; }
    Rect GetRect() const;
    ControlList& GetControls() { return controls_; }
    ControlList& GetAreas() { return areas_; }
    std::recursive_mutex& ControlsLock() { return controlsLock_; }
    std::recursive_mutex& AreasLock() { return areasLock_; }
    // Appends an owned child to the areas (0) or controls (1) list under that list's lock.
    void AddChild(int list, MControl* child);
    MControl* GetControl(uint32_t id);
    // Depth first: each of `controls` and its subtree in order, then the same over `areas`.
    static MControl* FindControl(const ControlList& controls, const ControlList& areas, uint32_t id);
    int RemoveControl(MControl* control);
    void RemoveAllControl();

    // --- Geometry, visibility, flags
    void SetRect(const Rect& rect);
    void SetRect(int x, int y, int width, int height) { SetRect(Rect::FromSize(x, y, width, height)); }
    void SetVisible(int visible) { SetVisible(visible, 1); }
    void SetVisible(int visible, int report);
    int IsVisible() const { return visible_; }
    int IsParentVisible() const;
    void SetEnabled(int enabled);
    int IsEnabled() const { return enabled_; }
    int IsTabStop() const { return tabStop_; }
    void SetTabStop(int v) { tabStop_ = v ? 1 : 0; }
    int IsDragDrop() const { return dragSource_; }
    void SetDragDrop(int v) { dragSource_ = v ? 1 : 0; }
    int GetRresponse() const { return response_; }
    void SetRresponse(int v) { response_ = v ? 1 : 0; }
    int GetDblClk() const { return wantsDblClk_; }
    int IsFocused() const { return focused_; }
    int IsKeyDown() const { return keyDown_; }
    int IsPressed() const { return pressed_; }
    int GetUpdate() const { return cacheValid_; }
    int IsAnimating() const { return animating_; }
    int IsRunTimer() const { return runsTimer_; }
    void SetRunTimer(int v) { runsTimer_ = v ? 1 : 0; }
    MControl* GetHotChild() const { return hotChild_; }

    // --- Tooltip and cursor
    void SetTooltip(const wchar_t* text) { tooltip_ = text ? text : L""; }
    void SetTooltip(const wchar_t* text, const Rect& rect);
    void ClearTooltip();
    const std::wstring& GetTooltip() const { return tooltip_; }
    void SetTooltipCtrlID(int) {}
    int GetTooltipCtrlID() const { return 0; }
    // "arrow", "wait", "cross", "sizewe", "sizens", "hand", "help"; other names change nothing.
    int SetCursorEx(const wchar_t* name);
    std::optional<CursorShape> GetCursorShape() const { return cursor_; }

    // --- Focus
    void OnFocus(int focus) { SetControlFocus(focus); }
    int IsFocusControl() const;
    MControl* GetNextFocusableControl(MControl*) { return nullptr; }
    MControl* GetPrevFocusableControl(MControl*) { return nullptr; }
    MControl* GetFocusControl(MControl*) { return nullptr; }

    // --- Repaint protocol and caches
    void AddMTimer();
    void UpdateControl(int resetCache, int force);
    void UpdateControl(const Rect& rect, int resetCache, int force);
    void UpdateAControl(int still, int force);
    // Marks the cache valid and gives the cache surface the size cx × cy (new when it differs).
    Surface& UpdateMemDC(int cx, int cy);
    // Sets animating and always gives a new cx × cy second surface.
    Surface& UpdateAnimateDC(int cx, int cy);
    Surface& CacheSurface() { return cache_; }
    Surface& AnimateSurface() { return second_; }
    const Surface* GetDropBitmap() { return GetControlDropBitmap(); }

    // Notifies the owner: OnBaseMessage(own id, code, wParam, lParam).
    int32_t SendMessageW(uint32_t code, uint32_t wParam, int32_t lParam);

    // --- Routing entries called by the owner
    int OnMouseMove(uint32_t flags, Point point);
    int OnLButtonDown(uint32_t flags, Point point);
    int OnLButtonUp(uint32_t flags, Point point);
    int OnLButtonDblClk(uint32_t flags, Point point);
    int OnRButtonDown(uint32_t flags, Point point);
    int OnRButtonUp(uint32_t flags, Point point);
    int OnRButtonDblClk(uint32_t flags, Point point);
    int OnScroll(int kind, uint32_t down, Point point);
    int OnKeyDown(uint32_t vk, uint32_t repeat, uint32_t modifiers);
    int OnKeyUp(uint32_t, uint32_t, uint32_t) { return 0; }
    int OnTimer();
    void Draw(Canvas& canvas, const Rect& paintRect);

    // Drops every reference to `control` held by this subtree (hot child), before it goes away.
    void ForgetControl(MControl* control);

protected:
    void SetWantsDblClk(int v) { wantsDblClk_ = v ? 1 : 0; }
    void SetFocusedFlag(int v) { focused_ = v ? 1 : 0; }
    // The point a child sees: shifted, except the container's own scroll bars (ids 1 and 2).
    static Point PointFor(const MControl* child, Point shifted, Point original);
    // Reports `rect` to the owner: OnControlUpdate(rect, resetCache, this).
    void Report(const Rect& rect, int resetCache);

private:
    bool IsLive() const { return visible_ && response_; }
    int ButtonDown(bool left, uint32_t flags, Point point);
    int ButtonUp(bool left, uint32_t flags, Point point);
    void TakeFocus();
    static void DeleteAll(ControlList& list, std::recursive_mutex& lock);

    MObject* parent_;
    PaintManager* manager_ = nullptr;
    uint32_t id_;
    mutable std::mutex rectLock_;   // the tick thread reads rects while the UI thread lays out
    Rect rect_;
    std::atomic<int> visible_;
    std::atomic<int> enabled_;
    std::atomic<int> dragSource_{0};
    std::atomic<int> response_;
    std::atomic<int> tabStop_{0};
    std::atomic<int> wantsDblClk_{0};
    std::atomic<int> pressed_{0};
    std::atomic<int> keyDown_{0};
    std::atomic<int> focused_{0};
    std::atomic<int> cacheValid_{0};
    std::atomic<int> animating_{0};
    std::atomic<int> runsTimer_{0};
    ControlList areas_;
    ControlList controls_;
    std::recursive_mutex areasLock_;
    std::recursive_mutex controlsLock_;
    MControl* hotChild_ = nullptr;
    Surface cache_;
    Surface second_;
    std::wstring tooltip_;
    std::optional<CursorShape> cursor_;
};

} // namespace Vinto
