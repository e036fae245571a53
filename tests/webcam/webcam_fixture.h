// The program started on a fresh desktop with the synthetic camera, and what the webcam
// reflection's tests read: its forms, its composite's pixels and the camera's frame.
#pragma once

#include "settings/frmSettings.h"
#include "tests/system/system_fixture.h"
#include "webcam/frmFlipImage.h"

#include "platform/sim/shell/capture.h"

class WebcamTest : public SystemTest {
protected:
    // A single-instance form of the running program.
    template<typename F>
    F& form()
    {
        F* found = nullptr;
        run([&] { found = &program().form<F>(); });
        return *found;
    }
    frmCAM& cam() { return form<frmCAM>(); }
    frmFlipImage& flip() { return form<frmFlipImage>(); }
    frmSettings& settings() { return form<frmSettings>(); }

    // Ticks or unticks the live reflection as the user does.
    void tick_reflection(bool is_ticked)
    {
        run([&] { settings().Check15.Value(is_ticked ? runtime::vbChecked : runtime::vbUnchecked); });
    }
    // The reflection on, with the loop driven by the test one tick at a time.
    void start_reflection_by_hand()
    {
        tick_reflection(true);
        run([&] { cam().tmrMain.Enabled(false); });
    }
    // The settings' VidoVazezodura transparency; it reaches the webcam only when it changes.
    void set_transparency(long value)
    {
        run([&] {
            auto& scroll_bar = settings().HScroll5;
            if (scroll_bar.Value() == value)
                scroll_bar.Value(value == 0 ? 1 : 0);
            scroll_bar.Value(value);
        });
    }
    void tick_loop()
    {
        run([&] { cam().tmrMain_Timer(); });
    }

    // A pixel of a picture box's persistent image as 0xRRGGBB.
    uint32_t pixel_of(runtime::PictureBox& box, int x, int y)
    {
        COLORREF colour = 0;
        run([&] { colour = GetPixel(box.hDC(), x, y); });
        return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
    }
    uint32_t composite(int x, int y) { return pixel_of(cam().picDestination, x, y); }
    // The camera's frame as a tick at this moment grabs it, as 0xRRGGBB.
    uint32_t frame(int x, int y) { return sim::camera_picture(sim::driver::now()).pixel(x, y) & 0xFFFFFF; }
};
