// The blurred-taskbar wallpaper renderer of the settings window.
#include "settings/frmSettings.h"

#include "services/basFoxCBmp3.h"
#include "services/modGlobal.h"
#include "services/modTaskbar.h"
#include "services/modWallpaper.h"
#include "settings/modBlurPasses.h"
#include "settings/modBlurWallpaper.h"
#include "settings/modReplaceFile.h"

namespace {

constexpr int BlurPasses = 26;
constexpr LONG StripBrightness = 35;
// The processed strip goes back this many pixels lower than where it was taken.
constexpr int StripDrop = 5;
constexpr float TwipsPerPixel = 15;

}

// Renders the wallpaper stretched to the screen over the border colour, blurs and brightens its
// bottom strip as high as the taskbar, saves it as "\s1.dbg" and makes that the wallpaper.
void frmSettings::Command4_Click()
{
    runtime::Program& p = program();
    runtime::ScreenObject& screen = p.Screen();
    // The user's own wallpaper is the source, never an earlier render of it.
    std::string source = GetWallpaperPath();
    if (IsGeneratedWallpaperCurrent(p))
        source = globals(p).OldWallpaper;

    runtime::skip_on_error([&] {
        Picture8.Width(screen.Width());
        Picture8.Height(screen.Height());
    });
    Picture8.BackColor(Picture2.BackColor());
    Picture8.AutoRedraw(true);
    Picture8.Picture(runtime::StdPicture());
    runtime::skip_on_error([&] {
        Picture8.PaintPicture(runtime::LoadPicture(source), 0, 0, Picture8.ScaleWidth(), Picture8.ScaleHeight());
    });

    long strip_height = GetTaskbarHeight();
    bool has_strip = runtime::skip_on_error([&] {
        Picture7.Height(strip_height * TwipsPerPixel);
        Picture7.Width(Picture8.Width());
        Picture7.PaintPicture(Picture8.Image(), 0, -(Picture8.Height() - strip_height * TwipsPerPixel));
        Picture7.Refresh();
    });
    if (has_strip && strip_height > 0) {
        // Without the effects library each call fails and the strip is only moved down.
        BlurInPlace(Picture7, BlurPasses);
        runtime::skip_on_error([&] {
            HDC strip_dc = Picture7.hDC();
            HBITMAP strip = Picture7.Image().bitmap();
            FoxBrightness(strip_dc, strip, strip_dc, strip, StripBrightness, 0, 0);
        });
        runtime::skip_on_error([&] {
            Picture8.PaintPicture(Picture7.Image(), 0, Picture8.ScaleHeight() - strip_height + StripDrop);
        });
    }

    std::string target = GeneratedWallpaperPath(p);
    bool is_saved = runtime::skip_on_error([&] {
        WriteReplacing(target, [&](const std::string& staging) { runtime::SavePicture(Picture8.Image(), staging); });
    });
    if (is_saved)
        SetWallpaper(target);
}
