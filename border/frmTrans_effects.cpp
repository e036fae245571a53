// frmTrans, border effects: a piece's brightness, its tint (the border colour or a hue and
// saturation turn), and the caption-button strips and address bar drawn into the caption.
#include "border/frmTrans.h"

#include "services/basFoxCBmp3.h"
#include "services/modGlobal.h"
#include "settings/frmColDialog.h"
#include "runtime/gdi_helpers.h"
#include "settings/frmSettings.h"

namespace {

// The strips sit this many pixels left of the caption's right edge; the address bar 8 pixels in
// and 480 twips above the caption's bottom.
constexpr double ThreeButtonStripOffset = 99;
constexpr double CloseStripOffset = 48;
constexpr int AddressBarLeft = 8;
constexpr double AddressBarHeight = 480;

bool has_text(const std::string& text)
{
    return text.find_first_not_of(' ') != std::string::npos;
}

}

void frmTrans::load_into_scratch(runtime::PictureBox& picPicture)
{
    Picture15.Picture(picPicture.Image());
    Picture15.Width(picPicture.Width());
    Picture15.Height(picPicture.Height());
}

void frmTrans::BrightPicture(runtime::PictureBox& picPicture)
{
    load_into_scratch(picPicture);
    // The colour dialog's scroll bar runs from -2550 (brightest) to 0.
    LONG amount = runtime::CLng(-(program().form<frmColDialog>().HScroll1.Value() / 10.0));
    HBITMAP image = Picture15.Image().bitmap();
    FoxBrightness(Picture15.hDC(), image, Picture15.hDC(), Picture15.Picture().bitmap(), amount, 0, 0);
    picPicture.Picture(Picture15.Image());
}

void frmTrans::ColorPicture(runtime::PictureBox& picPicture)
{
    const frmSettings& settings = program().form<frmSettings>();
    if (!globals(program()).BorderColorOff) {
        // Each pixel becomes the OR of the border colour and its former colour: the glass lightens
        // towards the border colour. The image is copied first, as clearing the box clears it.
        runtime::StdPicture former = picPicture.Image().copy();
        picPicture.Picture(runtime::StdPicture {});
        picPicture.BackColor(settings.Picture2.BackColor());
        runtime::SelectedBitmap source(former.bitmap());
        BitBlt(picPicture.hDC(), 0, 0, former.width_pixels(), former.height_pixels(), source.dc(), 0, 0, SRCPAINT);
        return;
    }
    load_into_scratch(picPicture);
    int width = runtime::CLng(Picture15.Width() / 15.0);
    int height = runtime::CLng(Picture15.Height() / 15.0);
    auto hue = static_cast<FLOAT>(settings.scrHue.Value() / 10.0);
    auto saturation = static_cast<FLOAT>(settings.scrSaturation.Value() / 100.0);
    FoxHSL(Picture15.hDC(), 0, 0, width, height, Picture15.hDC(), 0, 0, hue, saturation, 0, 0, 0);
    picPicture.Picture(Picture15.Image());
}

void frmTrans::DrawReflections()
{
    if (!globals(program()).ReflectionsOn) {
        if (!m_caption_button_on[1])
            runtime::skip_on_error([&] { Picture19.Visible(true); });
        return;
    }
    const auto& on = m_caption_button_on;
    double caption_width = Picture1.Width() / 15.0;
    if (!on[1] && on[0]) {
        runtime::skip_on_error([&] { Picture19.Visible(false); });
        runtime::skip_on_error([&] { Label4[1].Visible(false); });
        draw_image("normal_bar_minclose.cbox", Picture1, runtime::CInt(caption_width - ThreeButtonStripOffset), 0);
    } else if (on[0]) {
        draw_image("normal_bar.cbox", Picture1, runtime::CInt(caption_width - ThreeButtonStripOffset), 0);
    }
    if (!on[0] && !on[1] && on[2]) {
        draw_image("normal_bar_single.cbox", Picture1, runtime::CInt(caption_width - CloseStripOffset), 0);
        runtime::skip_on_error([&] { Label4[0].Visible(false); });
        runtime::skip_on_error([&] { Label4[1].Visible(false); });
    }
    if (is_explorer_target() && has_text(Text2.Text()))
        draw_image("top_bar.vee", Picture1, AddressBarLeft, runtime::CInt((Picture1.Height() - AddressBarHeight) / 15));
    Picture1.Refresh();
    Picture4.Refresh();
    Picture6.Refresh();
}
