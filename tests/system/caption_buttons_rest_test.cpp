// After a caption mouse move the caption buttons rest: their normal images, shown as the target's
// boxes say; with reflections on, hidden behind their hot zones unless the border is maximised.
#include "tests/system/system_fixture.h"

namespace {

class ButtonsRestTest : public SystemTest {
protected:
    frmTrans& adopt()
    {
        start();
        HWND target = open_adopted_window("Buttons");
        frmTrans* border = border_of(target);
        EXPECT_NE(border, nullptr);
        return *border;
    }
    void caption_move(frmTrans& border) { run([&] { border.Picture1_MouseMove(0, 0, 300, 150); }); }
};

TEST_F(ButtonsRestTest, HoverImagesGoBackToTheNormalOnes)
{
    frmTrans& border = adopt();
    run([&] {
        for (int i = 0; i < 3; ++i)
            border.Picture11[i].Picture(border.Picture13[i].Picture());
    });
    caption_move(border);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(border.Picture11[i].Picture(), border.Picture12[i].Picture()) << i;
        EXPECT_EQ(border.Picture11[i].Visible(), border.has_caption_button(i)) << i;
    }
}

TEST_F(ButtonsRestTest, WithReflectionsTheButtonsHideBehindTheirHotZones)
{
    frmTrans& border = adopt();
    globals().ReflectionsOn = true;
    run([&] { border.Label4[1].Visible(false); });
    caption_move(border);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(border.Picture11[i].Visible()) << i;
        EXPECT_TRUE(border.Label4[i].Visible()) << i;
    }
}

TEST_F(ButtonsRestTest, MaximisedBorderShowsTheRestoreLookOrWithReflectionsEveryButton)
{
    frmTrans& border = adopt();
    run([&] { border.MaxMe(); });
    run([&] { border.Picture11[1].Picture(border.Picture13[1].Picture()); });
    caption_move(border);
    EXPECT_EQ(border.Picture11[1].Picture(), border.Picture16[0].Picture());

    globals().ReflectionsOn = true;
    run([&] {
        for (int i = 0; i < 3; ++i)
            border.Picture11[i].Visible(false);
    });
    caption_move(border);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(border.Picture11[i].Visible()) << i;
}

TEST_F(ButtonsRestTest, ButtonlessMoveDoesNotRenderOrMove)
{
    frmTrans& border = adopt();
    border.DeltaX = 12345;
    sim::driver::mouse_move(400, 110);
    sim::driver::mouse_move(450, 115);
    EXPECT_EQ(border.DeltaX, 12345);
    EXPECT_EQ(state_of(border.hWnd()).rect.left, 100);
}

}
