#pragma once
// The toolkit's demo: a skinned dialog with a scrolling panel of tiles, a context menu and a
// balloon tip, used to look at the toolkit headless (as a PNG) and on a real X server.
// Thread contract: UI thread only.

#include "vinto/window/MDialog.h"

class DemoDialog : public Vinto::MDialog {
public:
    static constexpr uint32_t kMenuMessage = 2100;
    static constexpr uint32_t kQuitTimer = 1;

    void InitUI(const Vinto::Rect& client) override;
    int32_t OnMessage(uint32_t id, uint32_t code, uint32_t wParam, int32_t lParam) override;
    void OnTimer(uint32_t id) override;
    int PostNcDestroy() override;

    // Opens the context menu at a screen point.
    void OpenMenu(Vinto::Point screen);
    // Shows the balloon under tile `id`.
    void ShowTip(uint32_t id);
    uint32_t LastPick() const { return lastPick_; }

private:
    uint32_t lastPick_ = 0;
};
