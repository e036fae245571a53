// frmCAM: the webcam reflection's hidden worker window. It owns the capture window of the
// video-capture driver and the frame loop tmrMain, whose Enabled is the loop's one pause switch.
// Each tick grabs a frame through the driver's frame callback, has frmFlipImage mirror and zoom it,
// and lays the caption image of the border that rendered last over it in picDestination, from
// where every border's Timer8 copies it into its caption.
#pragma once

#include "runtime/forms.h"

class frmCAM : public runtime::Form {
public:
    explicit frmCAM(runtime::Program& program);

    // The composite the borders copy into their captions, and the caption image of the border
    // that rendered last, which the frame is blended over. Both in pixels.
    runtime::PictureBox picDestination { *this, "picDestination" };
    runtime::PictureBox picSource { *this, "picSource" };
    // The opacity holder, 0 to 255: the caption image lies over the frame at 255 minus its value.
    runtime::Slider barAmount { *this, "barAmount" };
    runtime::Timer tmrMain { *this, "tmrMain" };

    // The capture window; null until the first start. There is never more than one.
    HWND CaptureWindow = nullptr;

    // Starts the webcam: a new capture window, the first driver connected.
    void Command1_Click();
    // Stops the webcam: the loop off, the driver disconnected.
    void Command2_Click();
    // Lays the caption image over the transformed frame.
    void barAmount_Scroll();
    void tmrMain_Timer();
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

    // The frame the driver hands over, in its video format; a frame that is not 24- or 32-bit RGB
    // or YUY2, or shorter than its format says, is skipped.
    void take_frame(const VIDEOHDR& frame);

    // Whether picDestination holds a frame of the camera started last: until then the borders
    // leave their captions as they are.
    bool has_composite() const { return m_has_composite; }

private:
    void show_status(const char* text);
    void choose_video_format();
    void read_video_format();
    void destroy_capture_window();

    BITMAPINFOHEADER m_format {};
    bool m_has_usable_format = false;
    bool m_has_new_frame = false;
    bool m_has_composite = false;
};
