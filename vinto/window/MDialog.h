#pragma once
// A top-level window that hosts drawn controls: it owns its top-level controls through its
// PaintManager, turns window messages into hooks the program overrides, and closes with a result
// (DoOK 1, DoCancel and DoClose 2, DoYes 6, DoNo 7) that ShowModal returns.
// Thread contract: UI thread only (the periodic tick reaches the controls through the manager).

#include "vinto/core/MObject.h"
#include "vinto/window/MShadow.h"
#include "vinto/window/MWindow.h"
#include "vinto/window/PaintManager.h"

namespace Vinto {

class MDialog : public MWindow {
public:
    MDialog();
    ~MDialog() override;

    const wchar_t* GetWindowClassName() const override { return L"MDialog"; }
    intptr_t OnWindowMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
    int PreTranslateMessage(const Message& msg) override;
    int OnInitDialog() override;
    void OnDestroyMessage(WindowHandle window) override;

    // --- Hooks, in interface order
    // A point on the control's bottom edge (placement 0 left, 1 middle, 2 right), on the screen.
    virtual Point GetAirBladderPoint(MControl* control, uint32_t placement);
    virtual void OnMinimize();
    virtual void OnMaximize();
    virtual void InitUI(const Rect&) {}
    virtual void UISize(const Rect&) {}
    virtual int32_t OnMessage(uint32_t, uint32_t, uint32_t, int32_t) { return 0; }
    virtual int32_t OnUserCloseWindow(uintptr_t wParam, intptr_t lParam);
    virtual int OnCreate(CreateStruct* create);
    virtual int OnSize(uint32_t type, int cx, int cy);
    virtual int OnMouseMove(uint32_t, Point) { return 0; }
    virtual int OnMouseLeave(uintptr_t, intptr_t) { return 0; }
    virtual int OnMouseHover(uintptr_t, intptr_t) { return 0; }
    virtual int OnMouseWheel(uint32_t, int16_t, Point) { return 0; }
    virtual int OnLButtonDown(uint32_t, Point) { return 0; }
    virtual int OnLButtonUp(uint32_t, Point) { return 0; }
    virtual int OnLButtonDblClk(uint32_t, Point) { return 0; }
    virtual int OnRButtonDown(uint32_t, Point) { return 0; }
    virtual int OnRButtonUp(uint32_t, Point) { return 0; }
    virtual int OnRButtonDblClk(uint32_t, Point) { return 0; }
    virtual int OnKeyDown(uint32_t, uint32_t, uint32_t) { return 0; }
    virtual int OnNcHitTest(Point) { return 0; }
    virtual int OnGetMinMaxInfo(MinMaxInfo*) { return 0; }
    virtual int OnNcCalcSize(int, void*) { return 0; }
    virtual int OnNcActivate(int) { return 0; }
    virtual int OnWindowPosChanging(WindowPos*) { return 1; }
    virtual int OnWindowPosChanged(WindowPos*) { return 1; }
    virtual int OnPaint() { return 0; }
    virtual void OnTimer(uint32_t) {}
    virtual int OnNcPaint() { return 0; }
    virtual int OnClose() { return 1; }
    virtual int OnDestroy() { return 0; }
    virtual int PostNcDestroy() { return 0; }

    // --- Controls
    MControl* CreateControl(const wchar_t* className, uint32_t id, const Rect& rect, const wchar_t* title, int first,
                            int second);
    MControl* CreateArea(const wchar_t* className, uint32_t id, const Rect& rect, const wchar_t* title, int first,
                         int second);
    // Takes ownership of a control made by hand (its parent becomes this dialog's owner interface).
    void AddControl(MControl* control);
    MControl* GetControl(uint32_t id) { return manager_.GetControl(id); }
    MControl::ControlList& GetControls() { return manager_.GetControls(); }
    void SetFocusControl(MControl* control) { manager_.SetFocusControl(control); }
    uint32_t SetMTimer(uint32_t periodMs) { return manager_.SetMTimer(periodMs); }
    void KillMTimer(uint32_t id) { manager_.KillMTimer(id); }

    void DoOK() { PostMessageW(WM_VINTO_CLOSE, 1, 0); }
    void DoCancel() { PostMessageW(WM_VINTO_CLOSE, 2, 0); }
    void DoClose() { PostMessageW(WM_VINTO_CLOSE, 2, 0); }
    void DoYes() { PostMessageW(WM_VINTO_CLOSE, 6, 0); }
    void DoNo() { PostMessageW(WM_VINTO_CLOSE, 7, 0); }

    void SetLayeredWindow(int layered) { manager_.SetLayeredWindow(layered); }
    void EnableWndDrag(int enable) { manager_.EnableWndDrag(enable); }
    void SetCaptionRect(const Rect& rect) { manager_.SetCaptionRect(rect); }
    void SetBackMode(int mode, int border) { manager_.SetBackMode(mode, border); }
    void SetScrollResID(uint32_t v, uint32_t h) { manager_.SetScrollResID(v, h); }
    int LoadBKImage(const wchar_t* skinFile) { return manager_.LoadBKImage(skinFile); }
    void SetTooltip(const wchar_t* text, const Rect& rect) { manager_.SetTooltip(text, rect); }
    void ClearTooltip() { manager_.ClearTooltip(); }
    void SetMessage(const wchar_t* text, const Rect& rect, int fontSize) { manager_.SetMessage(text, rect, fontSize); }
    void SetProgress(int percent, const wchar_t* text, const Rect& rect) { manager_.SetProgress(percent, text, rect); }
    void SetTooltipCtrlID(int id) { manager_.SetTooltipCtrlID(id); }
    int GetTooltipCtrlID() const { return manager_.GetTooltipCtrlID(); }
    // The window shadow, kept by the manager and made on first use; the setters clamp their ranges.
    void CreateShadow() { manager_.CreateShadow(); }
    void SetSize(int size) { manager_.CreateShadow().SetSize(size); }
    void SetSharpness(int sharpness) { manager_.CreateShadow().SetSharpness(sharpness); }
    void SetDarkness(int darkness) { manager_.CreateShadow().SetDarkness(darkness); }
    void SetPosition(int x, int y) { manager_.CreateShadow().SetPosition(x, y); }
    void SetShadowColor(uint32_t colorRef) { manager_.CreateShadow().SetShadowColor(colorRef); }
    void SetShadowShow(int show) { manager_.CreateShadow().SetShadowShow(show); }
    // 0 when the point's x or y is 0; otherwise shows the balloon (mode 3) and 1.
    int SetAirBladderMsg(const wchar_t* text, Point screenPoint, int type);

    PaintManager& GetPaintManager() { return manager_; }
    MObject* GetOwnerObject() { return &owner_; }
    const Rect& GetClientRectCached() const { return client_; }

private:
    // What the dialog's top-level controls see as their parent.
    class Owner : public MObject {
    public:
        explicit Owner(MDialog& dialog) : dialog_(dialog) {}
        const wchar_t* GetClassNameW() const override { return L"MDialog"; }
        int32_t OnBaseMessage(uint32_t id, uint32_t code, uint32_t wParam, int32_t lParam) override
        {
            return dialog_.OnMessage(id, code, wParam, lParam);
        }
        int32_t OnControlUpdate(const Rect& rect, int resetCache, MControl* control) override
        {
            return dialog_.manager_.OnControlUpdate(rect, resetCache, control);
        }

    private:
        MDialog& dialog_;
    };

    // The hooks a message reaches before the manager; true when the message ends there.
    bool DispatchHook(uint32_t msg, uintptr_t wParam, intptr_t lParam, intptr_t& result);

    Owner owner_;
    PaintManager manager_;
    Rect client_;
};

} // namespace Vinto
