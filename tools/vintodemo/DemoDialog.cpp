#include "DemoDialog.h"

#include "DemoTile.h"

#include "vinto/platform/Messages.h"
#include "vinto/platform/WindowSystem.h"
#include "vinto/window/MPanel.h"
#include "vinto/window/MenuWnd.h"

using namespace Vinto;

namespace {

constexpr uint32_t kPanelId = 100;
constexpr uint32_t kTitleId = 10;
constexpr const wchar_t* kTiles[] = {L"DPI", L"Report rate", L"Lighting", L"Buttons", L"Macros", L"Profiles",
                                     L"Sleep", L"Settings", L"Firmware", L"About"};

} // namespace

void DemoDialog::InitUI(const Rect& client)
{
    LoadBKImage(L"main_bkg.png");
    SetBackMode(1, 10);
    auto* title = new DemoTile(GetOwnerObject(), kTitleId, {20, 14, client.right - 20, 46}, L"Vinto demo");
    AddControl(title);

    auto* panel = new MPanel(GetOwnerObject(), kPanelId, {20, 60, client.right - 20, client.bottom - 20}, 1);
    AddControl(panel);
    const Rect area = panel->GetRect();
    const int w = (area.Width() - 30) / 2;
    for (int i = 0; i < static_cast<int>(std::size(kTiles)); ++i) {
        const Rect r = Rect::FromSize(area.left + 10 + i % 2 * (w + 10), area.top + 10 + i / 2 * 60, w, 50);
        auto* tile = new DemoTile(panel, 200 + i, r, kTiles[i]);
        panel->AddChild(1, tile);
        tile->SetManager(&GetPaintManager());
    }
    // Five rows do not fit: the panel shows its scroll bar.
    panel->SetControlRect(area);
}

int32_t DemoDialog::OnMessage(uint32_t id, uint32_t code, uint32_t, int32_t)
{
    if (code == 2 && id >= 200) {
        ShowTip(id);
        OpenMenu(System()->GetCursorPos());
    }
    return 1;
}

void DemoDialog::OpenMenu(Point screen)
{
    auto* menu = new MenuWnd(GetOwnerObject());
    menu->AddMenu(L"Restore defaults", 1, L"", 0, 0);
    menu->AddMenu(L"Export profile", 2, L"", 0, 0);
    menu->AddSeparator(3, L"");
    menu->AddMenu(L"Exit", 4, L"", 0, 0);
    menu->Create(GetSafeHwnd(), screen, kMenuMessage, 180);
}

void DemoDialog::ShowTip(uint32_t id)
{
    MControl* tile = GetControl(id);
    SetAirBladderMsg(L"Click for the context menu", GetAirBladderPoint(tile, 1), 3);
}

void DemoDialog::OnTimer(uint32_t id)
{
    if (id == kQuitTimer)
        System()->PostQuitMessage(0);
}

int DemoDialog::PostNcDestroy()
{
    if (System() != nullptr)
        System()->PostQuitMessage(0);
    return 0;
}
