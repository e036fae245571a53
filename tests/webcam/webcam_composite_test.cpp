// The composite of each tick: the frame mirrored left to right and zoomed about its centre, with
// the caption image laid over it from the top-left at 255 minus the opacity slider.
#include "tests/webcam/webcam_fixture.h"

namespace {

// 0xRRGGBB of `over` laid over `under` at a constant alpha, each channel rounded.
uint32_t blended(uint32_t over, uint32_t under, uint32_t alpha)
{
    uint32_t result = 0;
    for (int shift : { 0, 8, 16 }) {
        uint32_t s = (over >> shift) & 0xFF;
        uint32_t d = (under >> shift) & 0xFF;
        result |= ((s * alpha + d * (255 - alpha) + 127) / 255) << shift;
    }
    return result;
}

TEST_F(WebcamTest, AtOpacityZeroTheCompositeIsTheFrameMirroredLeftToRight)
{
    start();
    start_reflection_by_hand();
    set_transparency(0);
    EXPECT_EQ(cam().barAmount.Value(), 255);
    tick_loop();
    for (int y : { 0, 40, 90, 200, 239 }) {
        for (int x = 0; x < 320; x += 7)
            ASSERT_EQ(composite(x, y), frame(319 - x, y)) << x << "," << y;
    }
}

TEST_F(WebcamTest, UntilTheSliderFirstMovesTheCaptionImageLiesOverTheFrameAtAlpha195)
{
    start();
    start_reflection_by_hand();
    EXPECT_EQ(cam().barAmount.Value(), 60);
    // No border has rendered: the blend background is the webcam form's empty black picture.
    tick_loop();
    EXPECT_EQ(composite(100, 50), blended(0, frame(219, 50), 195));
    EXPECT_EQ(composite(5, 230), blended(0, frame(314, 230), 195));
}

TEST_F(WebcamTest, AtOpacity255TheCaptionImageCoversItsAreaAndASmallerOneLeavesTheRestUnblended)
{
    start();
    start_reflection_by_hand();
    run([&] {
        settings().HScroll5.Value(255);
        std::vector<uint32_t> red(100 * 20, 0xFFFF0000);
        cam().picSource.Picture(runtime::StdPicture::from_pixels(red.data(), 100, 20));
    });
    EXPECT_EQ(cam().barAmount.Value(), 0);
    tick_loop();
    EXPECT_EQ(composite(0, 0), 0xFF0000u);
    EXPECT_EQ(composite(99, 19), 0xFF0000u);
    EXPECT_EQ(composite(150, 10), frame(169, 10));
    EXPECT_EQ(composite(50, 30), frame(269, 30));

    // Until the next render pass replaces it, the background has the frame's size: what the
    // caption image did not cover is black now.
    tick_loop();
    EXPECT_EQ(composite(50, 10), 0xFF0000u);
    EXPECT_EQ(composite(150, 10), 0u);
}

TEST_F(WebcamTest, TheZoomScrollBarZoomsTheNextFramesAndRedrawsTheLastOneAtOnce)
{
    start();
    start_reflection_by_hand();
    set_transparency(0);
    tick_loop();
    run([&] { settings().HScroll6.Value(60); });
    EXPECT_EQ(settings().Label19.Caption(), "Zoom: 37%");
    EXPECT_EQ(flip().HScroll4.Value(), 60);
    auto points = flip().DestPoints;
    EXPECT_EQ(points[0].x, 437);
    EXPECT_EQ(points[0].y, -88);
    EXPECT_EQ(points[1].x, -117);
    EXPECT_EQ(points[2].y, 328);

    run([&] { settings().HScroll6.Value(86); });
    tick_loop();
    EXPECT_EQ(flip().DestPoints[0].x, 2448);
    // Enlarged about the centre: the middle of the composite shows the middle of the frame.
    EXPECT_EQ(composite(160, 120), frame(159, 120));
}

TEST_F(WebcamTest, TheZoomAnglesRefuseValuesOutsideTheirRanges)
{
    start();
    frmFlipImage& transform = flip();
    run([&] {
        EXPECT_FALSE(runtime::skip_on_error([&] { transform.HScroll4.Value(44); }));
        EXPECT_FALSE(runtime::skip_on_error([&] { transform.HScroll4.Value(87); }));
        EXPECT_FALSE(runtime::skip_on_error([&] { transform.HScroll1.Value(181); }));
    });
    EXPECT_EQ(transform.HScroll4.Value(), 45);
    EXPECT_EQ(transform.HScroll2.Value(), 180);
    EXPECT_EQ(transform.HScroll1.Value(), 0);
}

TEST_F(WebcamTest, AnOddFrameWidthGivesACopyOnePixelNarrower)
{
    sim::set_camera_frame_size(321, 240);
    start();
    start_reflection_by_hand();
    set_transparency(0);
    tick_loop();
    EXPECT_EQ(cam().picDestination.client_pixel_size().cx, 321);
    EXPECT_EQ(flip().DestPoints[0].x, 320);
    EXPECT_EQ(flip().DestPoints[1].x, 0);
    EXPECT_EQ(composite(320, 20), 0u);
    EXPECT_NE(composite(319, 20), 0u);
}

}
