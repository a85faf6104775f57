#pragma once
// A headless window system with one dialog whose controls are probes, and the message pump a
// modeless dialog needs (pre-translation, then dispatch).

#include "../core/ProbeControl.h"

#include "vinto/platform/HeadlessBackend.h"
#include "vinto/platform/InputRouter.h"
#include "vinto/platform/Messages.h"
#include "vinto/platform/WindowSystem.h"
#include "vinto/window/MDialog.h"

#include <gtest/gtest.h>

namespace VintoTest {

class ProbeDialog : public Vinto::MDialog {
public:
    int32_t OnMessage(uint32_t id, uint32_t code, uint32_t wParam, int32_t lParam) override
    {
        notifications.push_back({id, code, wParam, lParam});
        return 1;
    }
    ProbeControl* Add(uint32_t id, Vinto::Rect rect, uint32_t color = 0xFF808080)
    {
        auto* c = new ProbeControl(GetOwnerObject(), id, rect, color);
        AddControl(c);
        return c;
    }
    std::vector<Notification> notifications;
};

class DialogTest : public ::testing::Test {
protected:
    // The dialog's client area starts at this screen point.
    static constexpr Vinto::Point kOrigin{100, 100};

    void SetUp() override
    {
        system = Vinto::HeadlessBackend::CreateSystem();
        dialog = std::make_unique<ProbeDialog>();
        ASSERT_NE(dialog->Create(0, L"probe", Vinto::WS_POPUP | Vinto::WS_VISIBLE, 0,
                                 Vinto::Rect::FromSize(kOrigin.x, kOrigin.y, 400, 300)),
                  0u);
        system->SetActiveWindow(dialog->GetSafeHwnd());
        Pump();
    }
    void TearDown() override
    {
        dialog.reset();
        system.reset();
    }

    // Runs every message available now through the dialog's pre-translation.
    void Pump()
    {
        Vinto::Message m;
        while (system->PeekMessage(m))
            if (m.message == Vinto::WM_QUIT || !dialog->PreTranslateMessage(m))
                system->DispatchMessage(m);
    }
    static Vinto::Point Screen(Vinto::Point client) { return {client.x + kOrigin.x, client.y + kOrigin.y}; }
    void Move(Vinto::Point client)
    {
        system->Input().MouseMove(Screen(client));
        Pump();
    }
    void Button(Vinto::Point client, bool down, Vinto::MouseButton which = Vinto::MouseButton::Left)
    {
        system->Input().MouseButtonEvent(which, down, Screen(client));
        Pump();
    }
    void Key(uint32_t vk, bool down)
    {
        system->Input().Key(vk, down);
        Pump();
    }
    Vinto::PaintManager& Manager() { return dialog->GetPaintManager(); }

    std::unique_ptr<Vinto::WindowSystem> system;
    std::unique_ptr<ProbeDialog> dialog;
};

} // namespace VintoTest
