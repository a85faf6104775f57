#pragma once
// A control for tests: it fills its rect with one colour and records what reached its hooks, and an
// owner that records notifications and repaint requests.

#include "vinto/core/MControl.h"

#include <string>
#include <vector>

namespace VintoTest {

struct Hit {
    std::string what;
    Vinto::Point point;
    friend bool operator==(const Hit&, const Hit&) = default;
};

class ProbeControl : public Vinto::MControl {
public:
    ProbeControl(Vinto::MObject* parent, uint32_t id, Vinto::Rect rect, uint32_t color = 0xFF808080, int visible = 1,
                 int enabled = 1)
        : MControl(parent, id, rect, visible, enabled, 1), color(color)
    {
    }

    void DrawControl(Vinto::Canvas& canvas, const Vinto::Rect&) override
    {
        ++draws;
        canvas.FillSolidRect(GetRect(), color);
    }
    int OnControlMouseMove(uint32_t, Vinto::Point p) override { return Record("move", p, 1); }
    int OnControlLButtonDown(uint32_t, Vinto::Point p) override { return Record("down", p, 1); }
    int OnControlLButtonUp(uint32_t, Vinto::Point p) override { return Record("up", p, 1); }
    int OnControlLButtonDblClk(uint32_t, Vinto::Point p) override { return Record("dblclk", p, 1); }
    int OnControlRButtonDown(uint32_t, Vinto::Point p) override { return Record("rdown", p, 1); }
    int OnControlScroll(int, uint32_t down, Vinto::Point p) override
    {
        return wantsWheel ? Record(down ? "wheel-down" : "wheel-up", p, 1) : 0;
    }
    int OnControlKeyDown(uint32_t vk, uint32_t, uint32_t modifiers) override
    {
        keys.push_back({vk, modifiers});
        return handlesKeys;
    }
    int OnControlTimer() override
    {
        ticks.fetch_add(1);
        return 1;
    }
    int SetControlFocus(int focus) override
    {
        focusCalls.push_back(focus);
        SetFocusedFlag(focus);
        return MControl::SetControlFocus(focus);
    }
    void SetWantsDoubleClicks(int v) { SetWantsDblClk(v); }

    int Record(const char* what, Vinto::Point p, int result)
    {
        hits.push_back({what, p});
        return result;
    }
    // Only the hits named `what`.
    std::vector<Vinto::Point> Points(const std::string& what) const
    {
        std::vector<Vinto::Point> out;
        for (const Hit& h : hits)
            if (h.what == what)
                out.push_back(h.point);
        return out;
    }

    uint32_t color;
    int draws = 0;
    bool wantsWheel = false;
    int handlesKeys = 1;
    std::vector<Hit> hits;
    std::vector<std::pair<uint32_t, uint32_t>> keys;
    std::vector<int> focusCalls;
    std::atomic<int> ticks{0};
};

struct Notification {
    uint32_t id;
    uint32_t code;
    uint32_t wParam;
    int32_t lParam;
    friend bool operator==(const Notification&, const Notification&) = default;
};

struct UpdateRequest {
    Vinto::Rect rect;
    int resetCache;
    Vinto::MControl* control;
    friend bool operator==(const UpdateRequest&, const UpdateRequest&) = default;
};

class RecordingOwner : public Vinto::MObject {
public:
    int32_t OnBaseMessage(uint32_t id, uint32_t code, uint32_t wParam, int32_t lParam) override
    {
        notifications.push_back({id, code, wParam, lParam});
        return 1;
    }
    int32_t OnControlUpdate(const Vinto::Rect& rect, int resetCache, Vinto::MControl* control) override
    {
        updates.push_back({rect, resetCache, control});
        return 0;
    }
    std::vector<Notification> notifications;
    std::vector<UpdateRequest> updates;
};

} // namespace VintoTest
