#include "vinto/platform/Path.h"

#include <algorithm>

namespace Vinto {

Path& Path::MoveTo(double x, double y)
{
    steps_.push_back({Step::Kind::Move, x, y, {}, 0, 0});
    return *this;
}

Path& Path::LineTo(double x, double y)
{
    steps_.push_back({Step::Kind::Line, x, y, {}, 0, 0});
    return *this;
}

Path& Path::ArcTo(const RectF& box, double startDegrees, double sweepDegrees)
{
    steps_.push_back({Step::Kind::Arc, 0, 0, box, startDegrees, sweepDegrees});
    return *this;
}

Path& Path::Close()
{
    steps_.push_back({Step::Kind::Close, 0, 0, {}, 0, 0});
    return *this;
}

Path& Path::AddRoundRect(const RectF& r, double rx, double ry)
{
    rx = std::clamp(rx, 0.0, r.width / 2);
    ry = std::clamp(ry, 0.0, r.height / 2);
    if (rx <= 0 || ry <= 0) {
        MoveTo(r.x, r.y).LineTo(r.x + r.width, r.y).LineTo(r.x + r.width, r.y + r.height).LineTo(r.x, r.y + r.height);
        return Close();
    }
    const double right = r.x + r.width;
    const double bottom = r.y + r.height;
    MoveTo(r.x + rx, r.y);
    ArcTo({right - 2 * rx, r.y, 2 * rx, 2 * ry}, 270, 90);
    ArcTo({right - 2 * rx, bottom - 2 * ry, 2 * rx, 2 * ry}, 0, 90);
    ArcTo({r.x, bottom - 2 * ry, 2 * rx, 2 * ry}, 90, 90);
    ArcTo({r.x, r.y, 2 * rx, 2 * ry}, 180, 90);
    return Close();
}

} // namespace Vinto
