#pragma once
// Makes drawn controls behave like windows inside one native window: owns the window's top-level
// controls, routes mouse, wheel, keyboard and timer messages into the control tree, tracks hover,
// press, capture and keyboard focus, paints the client area double-buffered (optionally with
// per-pixel alpha), draws the background and a text caret, runs per-control window timers and the
// periodic tick, keeps the skin image and font caches, and shows the tooltip, the balloon tip and
// the status overlay.
// Thread contract: UI thread, except OnMTimer (the tick thread) and the repaint requests
// (OnControlUpdate, InvalidateRect) that ticked controls make from there.

#include "vinto/core/MControl.h"
#include "vinto/paint/ImageCache.h"
#include "vinto/platform/Message.h"
#include "vinto/window/CMTimer.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Vinto {

class MWindow;
class MAirBladder;
class MShadow;
class TooltipWindow;

class PaintManager : public CMTimer {
public:
    // Ids the manager keeps for itself; control window timers never get them.
    static constexpr uint32_t kCaretTimer = 6553;
    static constexpr uint32_t kOverlayTimer = 66;
    static constexpr uint32_t kOverlayFadeTimer = 88;
    static constexpr uint32_t kOverlayStepTimer = 99;
    // Codes of the modifiers value: the OR of the held keys' virtual-key codes.
    static constexpr uint32_t kShift = 16;
    static constexpr uint32_t kCtrl = 17;
    static constexpr uint32_t kAlt = 18;

    PaintManager();
    ~PaintManager() override;

    // Binds the manager to its window and dialog; nothing for a missing window.
    void Init(WindowHandle window, MWindow* dialog);
    MWindow* GetMDialog() const { return dialog_; }
    WindowHandle GetPaintWnd() const { return window_; }
    bool IsInitialised() const { return initialised_; }

    void Invalidate();
    // A layered window invalidates its whole client area (erasing).
    void InvalidateRect(const Rect& rect, int erase);
    Rect GetClientRect() const;
    void SetCapture();
    void ReleaseCapture();
    bool IsCaptured() const { return captured_; }

    // A top-level control asks for `rect` to be repainted (see MObject::OnControlUpdate).
    int32_t OnControlUpdate(const Rect& rect, int resetCache, MControl* control);

    // --- Background
    void SetBackColor(uint32_t backColorRef, uint32_t borderColorRef);
    uint32_t GetBackColor() const { return backColor_; }
    // 1 when the skin file loaded; the previous image stays otherwise.
    int LoadBKImage(const wchar_t* skinFile);
    // 0: the image at its size from the top-left corner; 1: a nine-grid over the client area.
    void SetBackMode(int mode, int border);
    void SetLayeredWindow(int layered);
    int IsLayered() const { return layered_; }
    void SetCaptionRect(const Rect& rect) { captionRect_ = rect; }
    Rect GetCaptionRect() const { return captionRect_; }
    void EnableWndDrag(int enable) { dragWindow_ = enable; }
    void SetWindowMaxSize(int w, int h) { maxSize_ = {w, h}; }
    void SetWindowMixSize(int w, int h) { minSize_ = {w, h}; }
    Size GetWindowManSize() const { return maxSize_; }
    Size GetWindowMinSize() const { return minSize_; }
    void SetScrollResID(uint32_t vertical, uint32_t horizontal)
    {
        scrollV_ = vertical;
        scrollH_ = horizontal;
    }
    uint32_t GetScrollVID() const { return scrollV_; }
    uint32_t GetScrollHID() const { return scrollH_; }
    uint32_t GetDefaultEnabledColor() const { return defaultEnabledColor_; }
    void SetDefaultEnabledColor(uint32_t c) { defaultEnabledColor_ = c; }

    // --- Window timers of controls: 1 when set (or re-armed), 0 when running or refused.
    int SetTimer(MControl* control, uint32_t key, uint32_t elapseMs);
    int KillTimer(MControl* control, uint32_t key);
    void KillTimer(MControl* control);
    void ClearTimers();
    // The window timer id of (control, key), 0 when there is none.
    uint32_t GetTimerId(MControl* control, uint32_t key) const;

    // --- The periodic tick of registered controls
    uint32_t SetMTimer(uint32_t periodMs);
    void KillMTimer(uint32_t id);
    void KillMTimer();
    void AddMTimer(MControl* control);
    // Unregisters; when it returns, no tick is running the control.
    void DeleteTimer(MControl* control);
    void OnMTimer(uint32_t id) override;

    // --- Caret of a text control
    void CreateCaret(int width, int height);
    void SetCaretPos(MControl* owner, uint32_t argbColor, int x, int y);
    void ShowCaret(int show);
    MControl* GetCurrentCaretObject() const { return caretOwner_; }
    bool IsCaretShown() const { return caretShown_; }

    // --- Controls
    MControl* CreateControl(int list, MObject* parent, const wchar_t* className, uint32_t id, const Rect& rect,
                            const wchar_t* title, int first, int second);
    MControl* CreateControl(MObject* parent, const wchar_t* className, uint32_t id, const Rect& rect,
                            const wchar_t* title, int first, int second);
    MControl* CreateArea(MObject* parent, const wchar_t* className, uint32_t id, const Rect& rect,
                         const wchar_t* title, int first, int second);
    // Takes ownership of a control made by hand: gives it the manager and appends it.
    void AddControl(int list, MControl* control);
    MControl* GetControl(uint32_t id);
    void RemoveControl(MControl* control);
    void ClearAllControls();
    void ClearAreaControls();
    void ClearControls();
    MControl::ControlList& GetControls() { return controls_; }
    MControl::ControlList& GetAreas() { return areas_; }

    // --- Caches
    const ImgResInfo* AddImgResInfo(const wchar_t* fileName, int frameCount);
    void ClearImgResInfo() { images_.Clear(); }
    size_t ImageCount() const { return images_.Count(); }
    // Adds a font file; the family it is drawn with under `familyName`, or empty when unreadable.
    std::wstring AddTempFont(const wchar_t* familyName, const std::string& utf8Path);
    // The family stored under `name`, else an installed family of that name; empty when none.
    std::wstring FindTempFont(const wchar_t* name);
    void ClearTempFont();

    // --- Focus and hover
    void SetFocusControl(MControl* control);
    MControl* GetFocusControl() const { return focus_; }
    // Forgets the focus control without telling it.
    void ClearFocusControl() { focus_ = nullptr; }
    MControl* GetHoverControl() const { return hover_; }
    MControl* GetNextFocusableControl();
    MControl* GetPrevFocusableControl();
    // A control is going away: drop every reference to it (hover, focus, caret, timers, ticks).
    void ForgetControl(MControl* control);

    // --- Tooltip, balloon, overlay
    void SetTooltip(const wchar_t* text, const Rect& rect);
    void ClearTooltip();
    int GetTooltipCtrlID() const { return tooltipOwner_; }
    void SetTooltipCtrlID(int id) { tooltipOwner_ = id; }
    const std::wstring& GetTooltipText() const { return tooltipText_; }
    TooltipWindow* GetTooltipWindow() const { return tooltip_.get(); }
    // Shows the balloon with `text` anchored at the screen point (types and modes: MAirBladder).
    void SetAirBladderMsg(const wchar_t* text, Point screenPoint, int type, int mode);
    // Shows or hides the balloon; a hide with a non-zero id only for the id that last showed it.
    void ShowAirBladder(int show, int id);
    MAirBladder* GetAirBladder() const { return balloon_.get(); }
    void SetMessage(const wchar_t* text, const Rect& rect, int fontSize);
    void SetProgress(int percent, const wchar_t* text, const Rect& rect);
    int GetOverlayAlpha() const { return overlayAlpha_; }
    int GetOverlayShown() const { return overlayShown_; }

    // --- The window's shadow (made on first use)
    MShadow& CreateShadow();
    MShadow* GetShadow() const { return shadow_.get(); }
    void DisableShadow();
    // The owner moved, changed size or was shown (`shown` 1) or hidden (0): the shadow follows.
    void FollowShadow(int shown);

    // --- Called by the dialog
    // Routes one window message; non-zero when handled.
    intptr_t OnWindowMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam);
    // Tab and Shift+Tab move the focus (1: consumed); nothing else is consumed.
    int PreTranslateMessage(const Message& msg);
    void OnDestroyMessage(WindowHandle window);
    void DestroyData();

    // The modifiers value of the keys held now.
    static uint32_t ModifiersNow();

private:
    struct WindowTimer {
        uint32_t key;
        uint32_t id;
        bool killed;
        MControl* control;
    };

    void Paint();
    void PaintOverlay(Canvas& canvas);
    void DrawCaret(Canvas& canvas, const Rect& paintRect);
    int OnMouseMove(uint32_t flags, Point point);
    void OnMouseLeave();
    int OnButtonDown(bool left, uint32_t flags, Point point);
    int OnButtonUp(bool left, uint32_t flags, Point point);
    int OnLButtonDblClk(uint32_t flags, Point point);
    int OnMouseWheel(uintptr_t wParam, intptr_t lParam);
    int OnKeyDown(uint32_t vk);
    void OnActivate(bool active);
    void OnMinMaxInfo(MinMaxInfo* info);
    void OnTimerMessage(uint32_t id);
    bool IsReservedTimer(uint32_t id) const;
    bool IsLive() const;
    MControl* Focusable(bool forward);
    static void DeleteList(MControl::ControlList& list, std::recursive_mutex& lock);

    MWindow* dialog_ = nullptr;
    std::atomic<bool> initialised_{false};
    std::atomic<WindowHandle> window_{0};
    std::atomic<uint32_t> backColor_{0x232323};
    uint32_t borderColor_;
    Rect captionRect_;
    Size maxSize_;
    Size minSize_;
    std::atomic<int> layered_{0};
    const ImgResInfo* background_ = nullptr;
    int backMode_ = 0;
    int backBorder_ = 4;
    Surface backBuffer_;
    int dragWindow_ = 1;
    int active_ = 0;
    bool tracking_ = false;
    bool leftPressed_ = false;
    bool rightPressed_ = false;
    bool doubleClicked_ = false;
    bool captured_ = false;
    std::atomic<uint32_t> periodicId_{0};   // read by the ticks it starts
    uint32_t timerCounter_ = 4096;
    MControl* hover_ = nullptr;
    MControl* focus_ = nullptr;
    int tooltipOwner_ = 0;
    std::wstring tooltipText_;
    std::unique_ptr<TooltipWindow> tooltip_;
    std::unique_ptr<MAirBladder> balloon_;
    std::unique_ptr<MShadow> shadow_;
    int balloonId_ = 0;

    MControl::ControlList areas_;
    MControl::ControlList controls_;
    std::recursive_mutex areasLock_;
    std::recursive_mutex controlsLock_;
    // The registry of ticking controls, and the lock a whole tick holds so that a control can
    // unregister and then be deleted safely.
    std::mutex tickRegistryLock_;
    std::mutex tickLock_;
    std::vector<MControl*> ticking_;

    Rect caretRect_;
    bool caretShown_ = false;
    bool caretWanted_ = false;
    MControl* caretOwner_ = nullptr;
    uint32_t caretColor_ = 0xFFFFFFFF;

    ImageCache images_;
    std::mutex fontLock_;
    std::vector<std::pair<std::wstring, std::wstring>> fonts_;   // name → family drawn with

    mutable std::mutex timerLock_;
    std::vector<WindowTimer> timers_;

    std::wstring overlayText_;
    Rect overlayRect_;
    int overlayFontSize_ = 16;
    int overlayAlpha_ = 0;
    int overlayShown_ = 0;
    int overlayTarget_ = 0;
    uint32_t scrollV_ = 0;
    uint32_t scrollH_ = 0;
    uint32_t defaultEnabledColor_ = 0x808080;
};

} // namespace Vinto
