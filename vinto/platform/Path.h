#pragma once
// A figure of lines and arcs to fill or outline, built the way the toolkit's shapes are described:
// arcs by their bounding rectangle, a start angle and a sweep in degrees, clockwise on screen.
// Thread contract: a plain value.

#include "vinto/platform/Geometry.h"

#include <vector>

namespace Vinto {

class Path {
public:
    struct Step {
        enum class Kind { Move, Line, Arc, Close } kind;
        double x = 0;
        double y = 0;
        RectF box;          // for an arc
        double start = 0;   // degrees
        double sweep = 0;   // degrees
    };

    Path& MoveTo(double x, double y);
    Path& LineTo(double x, double y);
    // Joins the current point to the arc's start with a line, as a figure's edge does.
    Path& ArcTo(const RectF& box, double startDegrees, double sweepDegrees);
    Path& Close();
    // A closed rounded rectangle with elliptic corners of radii rx, ry (0 gives square corners).
    Path& AddRoundRect(const RectF& rect, double rx, double ry);

    const std::vector<Step>& Steps() const { return steps_; }

private:
    std::vector<Step> steps_;
};

} // namespace Vinto
