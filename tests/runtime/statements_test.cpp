// Statements and objects: message boxes and pop-up menus answered by script, SendKeys, Shell,
// text files, pictures on disk and on the clipboard, App and Screen, the Internet transfer control.
#include "platform/sim/desktop.h"
#include "platform/sim/kernel/clock.h"
#include "platform/sim/shell/internet.h"
#include "runtime/forms.h"
#include "runtime/gdi_helpers.h"
#include "tests/runtime/runtime_fixture.h"

namespace {

using namespace runtime;

class frmMenus : public Form {
public:
    explicit frmMenus(Program& program)
        : Form(program, "frmMenus")
    {
        Enabled_.Checked(true);
        Enabled_.on_click = [this] { clicked.push_back("Enabled"); };
        Exit_.on_click = [this] { clicked.push_back("Exit"); };
        Inet1.RequestTimeout(5);
    }
    Menu TrayMenu { *this, "TrayMenu" };
    Menu Enabled_ { TrayMenu, "TrayMenu_Enabled", "Enabled" };
    Menu Separator { TrayMenu, "TrayMenu_Separator", "-" };
    Menu Exit_ { TrayMenu, "TrayMenu_End", "Exit Kelmor" };
    Inet Inet1 { *this, "Inet1" };
    std::vector<std::string> clicked;
};

TEST_F(RuntimeTest, MessageBoxTakesItsAnswerFromTheScript)
{
    sim::driver::answer_message_box(IDNO);
    int answer = 0;
    run([&] { answer = MsgBox("Enter an Integer Value Between 0 and 360", vbYesNo | vbQuestion, "Check"); });
    EXPECT_EQ(answer, vbNo);
    ASSERT_FALSE(sim::driver::modal_history().empty());
    EXPECT_EQ(sim::driver::modal_history().back().kind, "message box");
    run([&] { answer = MsgBox("Nothing scripted"); });
    EXPECT_NE(answer, vbNo);
}

TEST_F(RuntimeTest, PopupMenuRaisesTheChosenItemsClickAndShowsCheckAndSeparator)
{
    run([&] { program().form<frmMenus>(); });
    auto& form = *static_cast<frmMenus*>(program().forms()[0]);
    sim::driver::choose_menu_item("Exit Kelmor");
    run([&] { PopupMenu(form, form.TrayMenu); });
    EXPECT_EQ(form.clicked, std::vector<std::string> { "Exit" });
    EXPECT_EQ(sim::driver::modal_history().back().text, "[x] Enabled|-|Exit Kelmor");
    // Nothing scripted: the menu is cancelled and no item runs.
    run([&] { PopupMenu(form, form.TrayMenu); });
    EXPECT_EQ(form.clicked.size(), 1u);
    sim::driver::choose_menu_position(0);
    run([&] { PopupMenu(form, form.TrayMenu); });
    EXPECT_EQ(form.clicked.back(), "Enabled");
}

TEST_F(RuntimeTest, SendKeysWithWaitClosesTheForegroundWindowWithAltF4)
{
    HWND target = nullptr;
    sim::driver::run_program([&] {
        uint32_t process = sim::driver::create_process("C:\\Windows\\notepad.exe");
        sim::driver::AppWindow window;
        window.title = "Untitled - Notepad";
        target = sim::driver::open_app_window(process, window);
    });
    run([&] {
        SetForegroundWindow(target);
        SendKeys("%{F4}", true);
    });
    EXPECT_FALSE(IsWindow(target));
    EXPECT_FALSE(skip_on_error([] { SendKeys("{NOSUCHKEY}"); }));
}

TEST_F(RuntimeTest, ShellStartsAProgramAndRefusesAMissingOne)
{
    long task = 0;
    run([&] { task = Shell("explorer", vbNormalFocus); });
    EXPECT_NE(task, 0);
    EXPECT_FALSE(skip_on_error([] { Shell("no-such-program-anywhere", vbNormalFocus); }));
}

TEST_F(RuntimeTest, TextFilesWriteAndReadLinesWithCrLf)
{
    std::string path = program().App().Path() + "\\data.dat";
    run([&] {
        {
            TextFile file(path, OpenMode::Output);
            file.PrintLine("BLUR:1");
            file.PrintLine("HUE_VAL:3600");
        }
        {
            TextFile file(path, OpenMode::Append);
            file.PrintLine("VERSION:3.0");
        }
        TextFile file(path, OpenMode::Input);
        std::vector<std::string> lines;
        while (!file.is_at_end())
            lines.push_back(file.LineInput());
        EXPECT_EQ(lines, (std::vector<std::string> { "BLUR:1", "HUE_VAL:3600", "VERSION:3.0" }));
        EXPECT_FALSE(skip_on_error([&] { file.LineInput(); }));
    });
    HANDLE raw = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    char bytes[64] = {};
    DWORD read = 0;
    ReadFile(raw, bytes, sizeof bytes, &read, nullptr);
    CloseHandle(raw);
    EXPECT_EQ(std::string(bytes, read), "BLUR:1\r\nHUE_VAL:3600\r\nVERSION:3.0\r\n");
    run([&] {
        EXPECT_TRUE(FileExists(path));
        EXPECT_FALSE(FileExists(program().App().Path()));
        EXPECT_EQ(Dir(program().App().Path() + "\\*.dat"), "data.dat");
        EXPECT_EQ(Dir(program().App().Path() + "\\*.none"), "");
        long error = 0;
        try {
            TextFile missing(program().App().Path() + "\\exlst.dat", OpenMode::Input);
        } catch (const Error& failure) {
            error = failure.number;
        }
        EXPECT_EQ(error, ErrFileNotFound);
    });
}

TEST_F(RuntimeTest, DirFindsHiddenSystemFilesAndFoldersOnlyWhenAskedFor)
{
    std::string folder = program().App().Path() + "\\Dir";
    run([&] {
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA((folder + "\\a-folder").c_str(), nullptr));
        for (const char* name : { "b-hidden.dat", "c-system.dat", "d-both.dat", "e-readonly.dat", "f-plain.dat" }) {
            HANDLE file = CreateFileA((folder + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
            ASSERT_NE(file, INVALID_HANDLE_VALUE);
            CloseHandle(file);
        }
        SetFileAttributesA((folder + "\\b-hidden.dat").c_str(), FILE_ATTRIBUTE_HIDDEN);
        SetFileAttributesA((folder + "\\c-system.dat").c_str(), FILE_ATTRIBUTE_SYSTEM);
        SetFileAttributesA((folder + "\\d-both.dat").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        SetFileAttributesA((folder + "\\e-readonly.dat").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);

        EXPECT_EQ(Dir(folder + "\\*.dat"), "e-readonly.dat");
        EXPECT_EQ(Dir(folder + "\\*.dat", vbNormal), "e-readonly.dat");
        EXPECT_EQ(Dir(folder + "\\*.dat", vbHidden), "b-hidden.dat");
        EXPECT_EQ(Dir(folder + "\\*.dat", vbSystem), "c-system.dat");
        EXPECT_EQ(Dir(folder + "\\d-*.dat", vbHidden), "");
        EXPECT_EQ(Dir(folder + "\\d-*.dat", vbHidden + vbSystem), "d-both.dat");
        EXPECT_EQ(Dir(folder + "\\a-*"), "");
        EXPECT_EQ(Dir(folder + "\\a-*", vbDirectory), "a-folder");
        EXPECT_EQ(Dir(folder + "\\f-*", vbDirectory), "f-plain.dat");
    });
}

TEST_F(RuntimeTest, SavedPictureLoadsBackAndClipboardCarriesAPicture)
{
    std::string path = program().App().Path() + "\\s1.dbg";
    run([&] {
        uint32_t pixels[6] = { 0xFF102030, 0xFF405060, 0xFF708090, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF };
        StdPicture picture = StdPicture::from_pixels(pixels, 3, 2);
        SavePicture(picture, path);
        StdPicture loaded = LoadPicture(path);
        ASSERT_FALSE(loaded.is_empty());
        EXPECT_EQ(loaded.width_pixels(), 3);
        EXPECT_EQ(loaded.height_pixels(), 2);
        SelectedBitmap view(loaded.bitmap());
        EXPECT_EQ(GetPixel(view.dc(), 0, 0), RGB(0x10, 0x20, 0x30));
        EXPECT_EQ(GetPixel(view.dc(), 2, 1), RGB(0, 0, 255));

        program().Clipboard().SetData(picture);
        StdPicture pasted = program().Clipboard().GetData();
        ASSERT_FALSE(pasted.is_empty());
        EXPECT_EQ(pasted.width_pixels(), 3);
        program().Clipboard().Clear();
        EXPECT_TRUE(program().Clipboard().GetData().is_empty());

        long error = 0;
        try {
            LoadPicture(program().App().Path() + "\\back.tpci");
        } catch (const Error& failure) {
            error = failure.number;
        }
        EXPECT_EQ(error, ErrFileNotFound);
        EXPECT_TRUE(LoadPicture().is_empty());
    });
}

TEST_F(RuntimeTest, AppAndScreen)
{
    EXPECT_EQ(program().App().Path(), "C:\\Program Files\\Kelmor");
    EXPECT_EQ(program().App().EXEName(), "Kelmor 2");
    EXPECT_FALSE(program().App().PrevInstance());
    Program second;
    EXPECT_TRUE(second.App().PrevInstance());
    EXPECT_EQ(program().Screen().Width(), 1920 * 15);
    EXPECT_EQ(program().Screen().Height(), 1080 * 15);
    EXPECT_EQ(program().Screen().TwipsPerPixelX(), 15);
    std::string time = TimeText();
    ASSERT_EQ(time.size(), 8u);
    EXPECT_EQ(time[2], ':');
    EXPECT_EQ(time[5], ':');
    sim::set_time_of_day(9, 5, 7);
    sim::let_time_pass(1500);
    EXPECT_EQ(TimeText(), "09:05:08");
    EXPECT_DOUBLE_EQ(SecondsSinceMidnight(), 9 * 3600 + 5 * 60 + 8.5);
}

TEST_F(RuntimeTest, InternetTransferFetchesTextOrFailsWithinItsTimeOut)
{
    sim::set_http_answer("http://update.example/version.txt", sim::HttpAnswer { "3.1.0" });
    sim::set_http_answer("http://update.example/slow.txt", sim::HttpAnswer { "late", 200, 20000 });
    run([&] {
        auto& form = program().form<frmMenus>();
        EXPECT_EQ(form.Inet1.OpenURL("http://update.example/version.txt"), "3.1.0");
        EXPECT_FALSE(skip_on_error([&] { form.Inet1.OpenURL("http://update.example/slow.txt"); }));
        EXPECT_FALSE(skip_on_error([&] { form.Inet1.OpenURL("http://unreachable.example/"); }));
    });
}

}
