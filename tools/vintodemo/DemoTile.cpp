#include "DemoTile.h"

#include "vinto/paint/MRender.h"
#include "vinto/paint/Manager.h"

using namespace Vinto;

DemoTile::DemoTile(MObject* parent, uint32_t id, const Rect& rect, const wchar_t* title)
    : MControlFont(parent, id, rect, title, 1, 1, 1)
{
    SetAlignment(1, 4);
    SetFontWidth(14);
}

int DemoTile::OnControlMouseMove(uint32_t, Point point)
{
    const bool inside = GetRect().Contains(point);
    if (inside != hover_) {
        hover_ = inside;
        UpdateControl(0, 0);
    }
    return inside ? 1 : 0;
}

int DemoTile::OnControlLButtonUp(uint32_t, Point point)
{
    if (GetRect().Contains(point))
        SendMessageW(2, 0, 0);
    return 1;
}

void DemoTile::DrawControl(Canvas& canvas, const Rect&)
{
    const Rect r = GetRect();
    if (!GetUpdate()) {
        Surface& strip = UpdateMemDC(r.Width() * 2, r.Height());
        Canvas c(strip);
        c.Clear(strip.Bounds());
        for (int frame = 0; frame < 2; ++frame) {
            const double x = frame * r.Width();
            MRender::DrawRoundRectange(c, x + 1, 1, r.Width() - 2, r.Height() - 2, 6.0,
                                       frame ? Manager::GetSelectColor() : 0xFF5A5A5A, 1.5,
                                       frame ? 0xFF2E3B3A : 0xFF2B2B2B);
            c.DrawText(GetControlTitle(), Rect::FromSize(frame * r.Width(), 0, r.Width(), r.Height()),
                       MakeTextFormat());
        }
    }
    canvas.DrawSurface(CacheSurface(), Rect::FromSize(hover_ ? r.Width() : 0, 0, r.Width(), r.Height()), r);
}
