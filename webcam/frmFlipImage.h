// frmFlipImage: the hidden window that turns each webcam frame with one parallelogram copy:
// rotated, flipped and zoomed about its centre by four angles.
#pragma once

#include "runtime/forms.h"
#include "webcam/transform_angle.h"

#include <array>
#include <cstddef>
#include <cstdint>

class frmFlipImage : public runtime::Form {
public:
    explicit frmFlipImage(runtime::Program& program);

    // The rotation; the angles whose cosines scale the horizontal axis (180 mirrors left and right)
    // and the vertical axis; the zoom angle, whose tangent is the zoom factor (45: 1, 86: 14.3).
    // Each change redraws.
    TransformAngle HScroll1 { -180, 180, 0 };
    TransformAngle HScroll2 { -180, 180, 180 };
    TransformAngle HScroll3 { -180, 180, 0 };
    TransformAngle HScroll4 { 45, 86, 45 };

    // The source picture, and the result; both in pixels, as large as the webcam form's composite.
    runtime::PictureBox ps { *this, "ps" };
    runtime::PictureBox pd { *this, "pd" };

    // Where the source's upper-left, upper-right and lower-left corners went in the last redraw.
    std::array<POINT, 3> DestPoints {};

    void Form_Load() override;
    // Transforms ps into pd with the current angles.
    void DoRedraw();
    void HScroll2_Change();

    // The pixels of ps made as large as a frame, for the next frame to be written into: top-down
    // 0x00RRGGBB rows, `stride` pixels apart. Null when ps has no picture of that size.
    uint32_t* source_pixels(int width, int height, size_t& stride);

private:
    // Until the first frame, ps is empty and every redraw yields an empty result.
    bool m_has_source = false;
};
