// Message loops that nest, and modal loops that take their answers from the script.
#include "desktop_fixture.h"

namespace {

using ModalLoopTest = DesktopTest;

HMENU tray_menu()
{
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING | MF_CHECKED, 10, "&Enabled");
    AppendMenuA(menu, MF_STRING, 11, "Colors");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, 12, "Exit Kelmor");
    return menu;
}

TEST_F(ModalLoopTest, MenuAnswersFromTheScriptAndCancelsWhenEmpty)
{
    HWND owner = create_program_window(RECT {0, 0, 100, 100});
    HMENU menu = tray_menu();
    sim::driver::choose_menu_item("exit kelmor");
    sim::driver::choose_menu_position(0);
    sim::driver::choose_menu_position(2);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 12);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 10);
    // A separator chooses nothing.
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 0);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 0);

    auto& history = sim::driver::modal_history();
    ASSERT_EQ(history.size(), 4u);
    EXPECT_EQ(history[0].text, "[x] Enabled|Colors|-|Exit Kelmor");
    EXPECT_EQ(history[0].result, "Exit Kelmor");
    EXPECT_EQ(history[3].result, "cancel");

    CheckMenuItem(menu, 10, MF_BYCOMMAND | MF_UNCHECKED);
    sim::driver::choose_menu_item("Colors");
    EXPECT_TRUE(TrackPopupMenu(menu, TPM_RIGHTBUTTON, 0, 0, 0, owner, nullptr));
    sim::driver::pump();
    EXPECT_EQ(count(WM_COMMAND, owner), 1);
    EXPECT_EQ(sim::driver::modal_history().back().text, "Enabled|Colors|-|Exit Kelmor");
    DestroyMenu(menu);
}

TEST_F(ModalLoopTest, AnswerOfAnotherKindCancelsAndStaysForItsOwnLoop)
{
    HWND owner = create_program_window(RECT {0, 0, 100, 100});
    HMENU menu = tray_menu();
    sim::driver::answer_message_box(IDYES);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 0);
    EXPECT_EQ(MessageBoxA(owner, "Quit?", "Kelmor", MB_YESNO), IDYES);
    DestroyMenu(menu);
}

TEST_F(ModalLoopTest, MessageBoxAnswersAndClosing)
{
    sim::driver::answer_message_box(IDNO);
    sim::driver::answer_message_box(IDRETRY);
    EXPECT_EQ(MessageBoxA(nullptr, "Save?", "Kelmor", MB_YESNOCANCEL), IDNO);
    // A button the box does not have counts as closing it.
    EXPECT_EQ(MessageBoxA(nullptr, "Save?", "Kelmor", MB_YESNOCANCEL), IDCANCEL);
    EXPECT_EQ(MessageBoxA(nullptr, "Done", "Kelmor", MB_OK), IDOK);
    EXPECT_EQ(MessageBoxA(nullptr, "Sure?", "Kelmor", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(sim::driver::modal_history().front().text, "Kelmor: Save?");
}

TEST_F(ModalLoopTest, ColourAndSaveDialogs)
{
    CHOOSECOLORA colour {};
    colour.lStructSize = sizeof colour;
    colour.rgbResult = RGB(1, 2, 3);
    sim::driver::answer_color_dialog(RGB(10, 20, 30));
    EXPECT_TRUE(ChooseColorA(&colour));
    EXPECT_EQ(colour.rgbResult, RGB(10, 20, 30));
    EXPECT_FALSE(ChooseColorA(&colour));
    EXPECT_EQ(colour.rgbResult, RGB(10, 20, 30));

    char file[MAX_PATH] = "";
    OPENFILENAMEA save {};
    save.lStructSize = sizeof save;
    save.lpstrFile = file;
    save.nMaxFile = MAX_PATH;
    save.lpstrDefExt = "bmp";
    sim::driver::answer_save_dialog("C:\\Users\\me\\picture");
    ASSERT_TRUE(GetSaveFileNameA(&save));
    EXPECT_STREQ(file, "C:\\Users\\me\\picture.bmp");
    EXPECT_EQ(save.nFileOffset, 12);
    EXPECT_EQ(save.nFileExtension, 20);

    sim::driver::cancel_save_dialog();
    EXPECT_FALSE(GetSaveFileNameA(&save));
    EXPECT_EQ(CommDlgExtendedError(), 0u);

    char small[8] = "";
    save.lpstrFile = small;
    save.nMaxFile = sizeof small;
    sim::driver::answer_save_dialog("C:\\long name.bmp");
    EXPECT_FALSE(GetSaveFileNameA(&save));
    EXPECT_NE(CommDlgExtendedError(), 0u);
}

TEST_F(ModalLoopTest, ScriptedWaitInsideAModalRunsTimers)
{
    HWND window = create_program_window(RECT {0, 0, 100, 100});
    SetTimer(window, 1, 100, nullptr);
    sim::driver::wait_in_modal(350);
    sim::driver::answer_message_box(IDOK);
    EXPECT_EQ(MessageBoxA(window, "Wait", "Kelmor", MB_OK), IDOK);
    EXPECT_EQ(count(WM_TIMER, window), 3);
    EXPECT_EQ(sim::driver::now(), 350u);
    // Without a scripted wait the modal loop lets no time pass.
    MessageBoxA(window, "Again", "Kelmor", MB_OK);
    EXPECT_EQ(sim::driver::now(), 350u);
}

// A handler that pumps messages itself: a message posted meanwhile runs inside it, and the outer
// loop carries on afterwards.
LRESULT CALLBACK nesting_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    static std::vector<std::string>* log = nullptr;
    if (message == WM_USER) {
        log = reinterpret_cast<std::vector<std::string>*>(lparam);
        log->push_back("outer begins");
        PostMessageA(hwnd, WM_USER + 1, 0, 0);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        log->push_back("outer ends");
        return 0;
    }
    if (message == WM_USER + 1) {
        log->push_back("inner");
        return 0;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

TEST_F(ModalLoopTest, NestedMessageLoops)
{
    WNDCLASSA window_class {};
    window_class.lpfnWndProc = nesting_procedure;
    window_class.lpszClassName = "Nesting";
    RegisterClassA(&window_class);
    HWND window = CreateWindowExA(0, "Nesting", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    std::vector<std::string> log;
    PostMessageA(window, WM_USER, 0, reinterpret_cast<LPARAM>(&log));
    PostMessageA(window, WM_USER + 1, 0, 0);
    sim::driver::pump();
    EXPECT_EQ(log, (std::vector<std::string> {"outer begins", "inner", "inner", "outer ends"}));
}

}
