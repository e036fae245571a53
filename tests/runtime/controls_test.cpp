// The other controls: text box editing and focus, the file, folder and drive lists, the colour
// dialog, slider, shapes and images on screen, and icons made from pixels.
#include "runtime/forms.h"
#include "tests/runtime/runtime_fixture.h"

#include <vector>

namespace {

using namespace runtime;

class frmControls : public Form {
public:
    explicit frmControls(Program& program)
        : Form(program, "frmControls")
    {
        BorderStyle(vbBSNone);
        Move(0, 0, 9000, 6000);
        BackColor(0xFFFFFF);
        Text1.Move(150, 150, 1500, 300);
        Text1.on_key_up = [this](int& KeyCode, int) { key_ups.push_back(KeyCode); };
        Text1.on_lost_focus = [this] { ++lost_focus; };
        Text1.on_change = [this] { ++text_changes; };
        Text2.Move(150, 600, 1500, 300);
        Drive1.Move(3000, 150, 2000, 300);
        Drive1.on_change = [this] { skip_on_error([&] { Dir1.Path(Drive1.Drive()); }); };
        Dir1.Move(3000, 600, 2000, 1500);
        Dir1.on_change = [this] { skip_on_error([&] { File1.Path(Dir1.Path()); }); };
        File1.Move(3000, 2250, 2000, 1500);
        File1.Pattern("*.exe");
        Shape1.Move(150, 3000, 1500, 750);
        Shape1.FillStyle(0);
        Shape1.FillColor(0x0000FF);
        Shape1.BorderColor(0x000000);
        Line1.X1(150);
        Line1.Y1(4500);
        Line1.X2(1650);
        Line1.Y2(4500);
        Line1.BorderColor(0x00FF00);
        Slider1.Min(0);
        Slider1.Max(255);
        Slider1.Value(60);
    }
    TextBox Text1 { *this, "Text1" };
    TextBox Text2 { *this, "Text2" };
    DriveListBox Drive1 { *this, "Drive1" };
    DirListBox Dir1 { *this, "Dir1" };
    FileListBox File1 { *this, "File1" };
    Shape Shape1 { *this, "Shape1" };
    LineControl Line1 { *this, "Line1" };
    ImageControl Image1 { *this, "Image1" };
    Slider Slider1 { *this, "Slider1" };
    CommonDialog CD1 { *this, "CD1" };
    std::vector<int> key_ups;
    int lost_focus = 0;
    int text_changes = 0;
};

frmControls& shown_controls(Program& program)
{
    sim::driver::run_program([&] { program.dispatch([&] { program.form<frmControls>().Show(); }); });
    return *static_cast<frmControls*>(program.forms()[0]);
}

void make_file(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    CloseHandle(file);
}

TEST_F(RuntimeTest, TextBoxTypingSelectionAndFocusEvents)
{
    auto& form = shown_controls(program());
    run([&] {
        form.Text1.Text("C:\\Folder");
        form.Text1.SetFocus();
        form.Text1.SelStart(0);
        form.Text1.SelLength(static_cast<int>(form.Text1.Text().size()));
    });
    EXPECT_EQ(form.Text1.SelText(), "C:\\Folder");
    EXPECT_EQ(sim::driver::focus_window(), form.Text1.hWnd());
    EXPECT_EQ(sim::driver::foreground_window(), form.hWnd());
    run([&] { SendKeys("x", true); });
    EXPECT_EQ(form.Text1.Text(), "x");
    EXPECT_EQ(form.Text1.SelStart(), 1);
    EXPECT_EQ(form.key_ups, std::vector<int> { 'X' });
    run([&] { SendKeys("{BACKSPACE}", true); });
    EXPECT_EQ(form.Text1.Text(), "");
    EXPECT_EQ(form.text_changes, 3);
    run([&] { form.Text2.SetFocus(); });
    EXPECT_EQ(form.lost_focus, 1);
    EXPECT_FALSE(skip_on_error([&] { form.Text1.SelStart(-1); }));
}

TEST_F(RuntimeTest, DriveFolderAndFileListsFollowEachOther)
{
    std::string folder = program().App().Path() + "\\Apps";
    CreateDirectoryA(folder.c_str(), nullptr);
    make_file(folder + "\\Zed.exe");
    make_file(folder + "\\alpha.EXE");
    make_file(folder + "\\readme.txt");
    make_file(folder + "\\hidden.exe");
    make_file(folder + "\\system.exe");
    SetFileAttributesA((folder + "\\hidden.exe").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA((folder + "\\system.exe").c_str(), FILE_ATTRIBUTE_SYSTEM);
    auto& form = shown_controls(program());
    run([&] {
        EXPECT_EQ(form.Drive1.Drive(), "c:");
        form.Dir1.Path(folder);
        EXPECT_EQ(form.File1.ListCount(), 2);
        EXPECT_EQ(form.File1.List(0), "alpha.EXE");
        EXPECT_EQ(form.File1.List(1), "Zed.exe");
        form.File1.ListIndex(1);
        EXPECT_EQ(form.File1.FileName(), "Zed.exe");
        EXPECT_FALSE(skip_on_error([&] { form.Dir1.Path(folder + "\\missing"); }));
        EXPECT_EQ(form.Dir1.Path(), folder);
        EXPECT_FALSE(skip_on_error([&] { form.Drive1.Drive("q:"); }));
        form.File1.Pattern("*.txt;*.exe");
        EXPECT_EQ(form.File1.ListCount(), 3);
    });
}

TEST_F(RuntimeTest, ColourDialogTakesTheScriptedColourOrKeepsItsOwn)
{
    sim::driver::answer_color_dialog(RGB(10, 20, 30));
    run([&] {
        auto& dialog = program().form<frmControls>().CD1;
        dialog.Color(0x123456);
        dialog.ShowColor();
        EXPECT_EQ(dialog.Color(), static_cast<long>(RGB(10, 20, 30)));
        sim::driver::cancel_color_dialog();
        dialog.ShowColor();
        EXPECT_EQ(dialog.Color(), static_cast<long>(RGB(10, 20, 30)));
        dialog.CancelError(true);
        EXPECT_FALSE(skip_on_error([&] { dialog.ShowColor(); }));
    });
}

TEST_F(RuntimeTest, SliderHoldsAValueInItsRange)
{
    run([&] {
        auto& slider = program().form<frmControls>().Slider1;
        EXPECT_EQ(slider.Value(), 60);
        slider.Value(255 - 100);
        EXPECT_EQ(slider.Value(), 155);
        EXPECT_FALSE(skip_on_error([&] { slider.Value(256); }));
        EXPECT_EQ(slider.Value(), 155);
    });
}

TEST_F(RuntimeTest, ShapeLineAndImageShowOnTheirContainer)
{
    auto& form = shown_controls(program());
    uint32_t pixels[4] = { 0xFFFF00FF, 0xFFFF00FF, 0xFFFF00FF, 0xFFFF00FF };
    run([&] {
        form.Image1.Picture(StdPicture::from_pixels(pixels, 2, 2));
        form.Image1.Move(4500, 4500);
    });
    EXPECT_EQ(form.Image1.Width(), 30);
    sim::driver::run_program([] { sim::driver::run_for(20); });
    auto screen = sim::driver::screenshot();
    EXPECT_EQ(screen.pixel(50, 220) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(screen.pixel(10, 200) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(screen.pixel(50, 300) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(screen.pixel(301, 301) & 0xFFFFFF, 0xFF00FFu);
    run([&] { form.Shape1.Visible(false); });
    sim::driver::run_program([] { sim::driver::run_for(20); });
    EXPECT_EQ(sim::driver::screenshot().pixel(50, 220) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(RuntimeTest, IconAndCursorFromDesignerPixels)
{
    std::vector<uint32_t> pixels(16 * 16, 0xFF3366CC);
    pixels[0] = 0;
    StdPicture icon = StdPicture::icon_from_pixels(pixels.data(), 16, 16);
    StdPicture cursor = StdPicture::cursor_from_pixels(pixels.data(), 16, 16, 3, 4);
    ASSERT_EQ(icon.kind(), StdPicture::Kind::Icon);
    EXPECT_EQ(icon.width_pixels(), 16);
    EXPECT_EQ(icon.height_pixels(), 16);
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(cursor.icon(), &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 3u);
    EXPECT_EQ(info.yHotspot, 4u);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    run([&] {
        auto& form = program().form<frmControls>();
        form.Icon(icon);
        EXPECT_EQ(SendMessageA(form.hWnd(), WM_GETICON, ICON_SMALL, 0), static_cast<LRESULT>(icon.Handle()));
    });
}

}
