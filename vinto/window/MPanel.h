#pragma once
// The container control: owns children, creates them by class name, passes their notifications on
// to its own owner unchanged, and scrolls its content with its own two bars (ids 1 and 2, always
// its first two children) when the content is larger than the panel.
// Thread contract: UI thread; repaint requests from ticked children may come from the tick thread.

#include "vinto/core/MControlFont.h"
#include "vinto/window/PanelScrollBar.h"

namespace Vinto {

class MPanel : public MControlFont {
public:
    static constexpr int kScrollThickness = 5;

    MPanel(MObject* parent, uint32_t id, const Rect& rect, int visible);

    // --- Hooks added after MControlFont's
    virtual MControl* CreateArea(const wchar_t* className, uint32_t id, const Rect& rect, const wchar_t* title,
                                 int first, int second);
    virtual MControl* CreateControl(int list, MObject* parent, const wchar_t* className, uint32_t id,
                                    const Rect& rect, const wchar_t* title, int first, int second);
    virtual MControl* CreateControl(const wchar_t* className, uint32_t id, const Rect& rect, const wchar_t* title,
                                    int first, int second);
    virtual int OnControlKeyUp(uint32_t, uint32_t, uint32_t) { return 0; }

    int32_t OnBaseMessage(uint32_t id, uint32_t code, uint32_t wParam, int32_t lParam) override;
    int32_t OnControlUpdate(const Rect& rect, int resetCache, MControl* child) override;
    void InitControl(PaintManager* manager) override;
    void DrawControl(Canvas&, const Rect&) override {}
    // Children drawn moved by the scroll offset and clipped to the panel; the bars stay in place.
    int DrawSubControls(Canvas& canvas, const Rect& paintRect) override;
    int OnMousePointChange(Point& point) override;
    int32_t OnWindowMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;
    int32_t OnMessage(uint32_t id, uint32_t code, uint32_t wParam, int32_t lParam) override;
    void SetControlRect(const Rect& rect) override;
    void SetControlVisible(int visible) override;
    void SetControlEnabled(int enabled) override;
    int OnControlScroll(int kind, uint32_t down, Point point) override;

    PanelScrollBar* GetScrollVertical() const { return vertical_; }
    PanelScrollBar* GetScrollHorizontal() const { return horizontal_; }
    void SetVirtualHeight(int h) { virtualHeight_ = h; }
    void SetVirtualWidth(int w) { virtualWidth_ = w; }
    int GetVirtualHeight() const { return virtualHeight_; }
    int GetVirtualWidth() const { return virtualWidth_; }
    void SetEnableScroll(int enable) { scrollEnabled_ = enable; }
    int GetEnableScroll() const { return scrollEnabled_; }

private:
    void LayBar(PanelScrollBar* bar, const Rect& barRect);
    void ShowBar(PanelScrollBar* bar, bool show, int range);

    bool initialised_ = false;
    int virtualHeight_ = 0;
    int virtualWidth_ = 0;
    PanelScrollBar* vertical_;
    PanelScrollBar* horizontal_;
    int scrollEnabled_ = 1;
};

} // namespace Vinto
