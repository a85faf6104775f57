#pragma once
// A window procedure for tests: it records every message it gets (optionally only some) and lets a
// test answer chosen messages; the rest go to the default procedure.

#include "vinto/platform/Messages.h"
#include "vinto/platform/WindowSystem.h"

#include <functional>
#include <map>
#include <set>
#include <vector>

namespace VintoTest {

struct Received {
    Vinto::WindowHandle window;
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
    friend bool operator==(const Received&, const Received&) = default;
};

class RecordingWindow : public Vinto::WindowProcedure {
public:
    using Handler = std::function<intptr_t(uintptr_t, intptr_t)>;

    explicit RecordingWindow(Vinto::WindowSystem& system, std::set<uint32_t> watched = {})
        : system_(system), watched_(std::move(watched))
    {
    }

    Vinto::WindowHandle Create(const Vinto::WindowCreateParams& params)
    {
        handle = system_.CreateWindow(params, this);
        return handle;
    }
    Vinto::WindowHandle CreateAt(Vinto::Rect rect, uint32_t style = Vinto::WS_POPUP | Vinto::WS_VISIBLE,
                                 Vinto::WindowHandle parent = 0, uint32_t classStyle = Vinto::CS_DBLCLKS,
                                 uint32_t exStyle = 0)
    {
        Vinto::WindowCreateParams p;
        p.rect = rect;
        p.style = style;
        p.exStyle = exStyle;
        p.parent = parent;
        p.classStyle = classStyle;
        return Create(p);
    }

    void On(uint32_t message, Handler handler) { handlers_[message] = std::move(handler); }

    intptr_t WindowProc(Vinto::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override
    {
        if (watched_.empty() || watched_.count(message))
            log.push_back({window, message, wParam, lParam});
        auto it = handlers_.find(message);
        if (it != handlers_.end())
            return it->second(wParam, lParam);
        if (message == Vinto::WM_PAINT) {
            Vinto::PaintSession paint = system_.BeginPaint(window);
            paints.push_back(paint.UpdateRect());
            return 0;
        }
        return system_.DefWindowProc(window, message, wParam, lParam);
    }

    std::vector<uint32_t> Messages() const
    {
        std::vector<uint32_t> out;
        for (const Received& r : log)
            out.push_back(r.message);
        return out;
    }

    Vinto::WindowHandle handle = 0;
    std::vector<Received> log;
    std::vector<Vinto::Rect> paints;

private:
    Vinto::WindowSystem& system_;
    std::set<uint32_t> watched_;
    std::map<uint32_t, Handler> handlers_;
};

} // namespace VintoTest
