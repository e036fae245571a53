#include "webcam/flip_corners.h"

#include "runtime/numeric.h"

#include <cmath>

namespace {

// Degrees to radians, slightly below pi / 180, as the transform has always used it.
constexpr double DegreesToRadians = 0.017453292519943278;

LONG rounded(double value)
{
    return static_cast<LONG>(runtime::round_half_even(value));
}

}

std::array<POINT, 3> flip_corners(float source_width, float source_height, int output_width, int output_height,
    const FlipAngles& angles)
{
    // The halves first, then the sign: an odd width of 321 gives -160 and 160.
    float half_width = source_width / 2;
    float half_height = source_height / 2;
    std::array<POINT, 3> corners { POINT { rounded(-half_width), rounded(-half_height) },
        POINT { rounded(half_width), rounded(-half_height) }, POINT { rounded(-half_width), rounded(half_height) } };

    double zoom = std::tan(angles.zoom * DegreesToRadians);
    double cosine = std::sin((angles.rotation + 90) * DegreesToRadians);
    double minus_sine = std::cos((angles.rotation + 90) * DegreesToRadians);
    double scale_x = std::sin((angles.horizontal_axis + 90) * DegreesToRadians) * zoom;
    double scale_y = std::sin((angles.vertical_axis + 90) * DegreesToRadians) * zoom;

    double centre_x = output_width / 2.0;
    double centre_y = output_height / 2.0;
    for (POINT& corner : corners) {
        double x = corner.x;
        double y = corner.y;
        LONG turned_x = rounded((x * cosine + y * minus_sine) * scale_x);
        LONG turned_y = rounded((y * cosine - x * minus_sine) * scale_y);
        corner.x = rounded(centre_x + turned_x);
        corner.y = rounded(centre_y + turned_y);
    }
    return corners;
}
