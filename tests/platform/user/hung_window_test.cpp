// Sending to a window whose process stops answering: the sends that would freeze the sender, the
// five seconds before Windows calls a window hung, and the messages handled once it answers again.
#include "desktop_fixture.h"

namespace {

class HungWindowTest : public DesktopTest {
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        process = sim::driver::create_process("C:\\Apps\\editor.exe");
        foreign = open_app_window(process, "Editor", RECT {100, 100, 500, 400});
        host = create_program_window(RECT {0, 0, 800, 600});
        sim::driver::set_hung(process, true);
    }

    // Runs a stretch as the program's own code, as its handlers run.
    static void as_program(const std::function<void()>& code) { sim::driver::run_program(code); }

    static size_t freeze_count() { return sim::driver::freezes().size(); }

    uint32_t process = 0;
    HWND foreign = nullptr;
    HWND host = nullptr;
};

TEST_F(HungWindowTest, SendWithoutTimeOutFreezesTheSenderAndIsHandledOnceTheWindowAnswers)
{
    as_program([&] { EXPECT_EQ(SendMessageA(foreign, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Renamed")), 0); });

    ASSERT_EQ(freeze_count(), 1u);
    const auto& freeze = sim::driver::freezes().front();
    EXPECT_EQ(freeze.sender_process, sim::driver::program_process());
    EXPECT_EQ(freeze.target_process, process);
    EXPECT_EQ(freeze.target, foreign);
    EXPECT_EQ(freeze.message, static_cast<UINT>(WM_SETTEXT));
    EXPECT_EQ(sim::driver::window_state(foreign)->title, "Editor");

    sim::driver::set_hung(process, false);
    sim::driver::pump();
    EXPECT_EQ(sim::driver::window_state(foreign)->title, "Renamed");
}

TEST_F(HungWindowTest, CallsThatSendInsideFreezeOnceEach)
{
    as_program([&] {
        SetWindowTextA(foreign, "Renamed");
        SetWindowPos(foreign, nullptr, 10, 10, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
        SetParent(foreign, host);
        ShowWindow(foreign, SW_HIDE);
    });
    ASSERT_EQ(freeze_count(), 4u);
    EXPECT_EQ(sim::driver::freezes()[0].message, static_cast<UINT>(WM_SETTEXT));
    EXPECT_EQ(sim::driver::freezes()[1].message, static_cast<UINT>(WM_WINDOWPOSCHANGING));
}

TEST_F(HungWindowTest, AnAsyncMoveReturnsAtOnceAndTheWindowTakesItWhenItAnswersAgain)
{
    as_program([&] {
        EXPECT_TRUE(SetWindowPos(foreign, nullptr, 10, 20, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS));
        EXPECT_TRUE(SetWindowPos(foreign, nullptr, 30, 40, 320, 220, SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS));
    });
    sim::driver::run_for(100);
    EXPECT_EQ(freeze_count(), 0u);
    EXPECT_EQ(sim::driver::window_state(foreign)->rect.left, 100);

    sim::driver::set_hung(process, false);
    sim::driver::pump();
    RECT rect = sim::driver::window_state(foreign)->rect;
    EXPECT_EQ(rect.left, 30);
    EXPECT_EQ(rect.top, 40);
    EXPECT_EQ(rect.right - rect.left, 320);

    // The program's own windows move at once.
    as_program([&] { SetWindowPos(host, nullptr, 5, 5, 100, 100, SWP_NOZORDER | SWP_ASYNCWINDOWPOS); });
    EXPECT_EQ(sim::driver::window_state(host)->rect.left, 5);
}

TEST_F(HungWindowTest, AWindowInvalidatedWhileItsProcessHangsIsPaintedOnceItAnswers)
{
    // Loops that find nothing else to do in the meantime must not forget it.
    sim::driver::pump();
    InvalidateRect(foreign, nullptr, TRUE);
    MSG msg {};
    for (int i = 0; i < 3; ++i)
        as_program([&] { EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)); });
    RECT update {};
    EXPECT_TRUE(GetUpdateRect(foreign, &update, FALSE));
    sim::driver::set_hung(process, false);
    sim::driver::pump();
    EXPECT_FALSE(GetUpdateRect(foreign, &update, FALSE));
}

TEST_F(HungWindowTest, NoFreezeForTimedSendsTextReadsTheDriverOrTheWindowsOwnProcess)
{
    as_program([&] {
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(foreign, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 100, &answer);
        char text[32];
        EXPECT_EQ(GetWindowTextA(foreign, text, sizeof text), 6);
    });
    SendMessageA(foreign, WM_GETTEXTLENGTH, 0, 0);
    sim::driver::hide(foreign);
    EXPECT_EQ(freeze_count(), 0u);
}

TEST_F(HungWindowTest, CountsAsHungOnlyAfterFiveSecondsWithoutAnswering)
{
    DWORD_PTR answer = 0;
    uint64_t before = sim::driver::now();
    EXPECT_FALSE(IsHungAppWindow(foreign));
    // Until then the sender cannot tell it from a busy window: it waits its whole time-out.
    EXPECT_EQ(SendMessageTimeoutA(foreign, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));
    EXPECT_EQ(sim::driver::now() - before, 1000u);

    sim::driver::run_for(4000);
    EXPECT_TRUE(IsHungAppWindow(foreign));
    before = sim::driver::now();
    EXPECT_EQ(SendMessageTimeoutA(foreign, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));
    EXPECT_EQ(sim::driver::now(), before);
    // Without SMTO_ABORTIFHUNG the time-out is waited in full, hung or not.
    EXPECT_EQ(SendMessageTimeoutA(foreign, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 300, &answer), 0);
    EXPECT_EQ(sim::driver::now() - before, 300u);

    sim::driver::set_hung(process, false);
    EXPECT_FALSE(IsHungAppWindow(foreign));
}

TEST_F(HungWindowTest, ATimedOutSendIsTakenBackUnlessItsReceiverHadTakenIt)
{
    DWORD_PTR answer = 0;
    auto send_text = [&](const char* text, UINT timeout) {
        return SendMessageTimeoutA(foreign, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, timeout, &answer);
    };
    // The hung window never took it: it never sees it, also once it answers again.
    as_program([&] { EXPECT_EQ(send_text("Late", 200), 0); });
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));
    sim::driver::set_hung(process, false);
    sim::driver::pump();
    EXPECT_EQ(sim::driver::window_state(foreign)->title, "Editor");

    // A slow window took it and handles it, though the sender stopped waiting after its time-out.
    sim::driver::set_answer_delay(process, 500);
    uint64_t before = sim::driver::now();
    as_program([&] { EXPECT_EQ(send_text("Slow", 100), 0); });
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));
    EXPECT_EQ(sim::driver::now() - before, 100u);
    EXPECT_EQ(sim::driver::window_state(foreign)->title, "Slow");
    // Given time enough, the sender has its answer once the window is done.
    as_program([&] { EXPECT_NE(send_text("Done", 1000), 0); });
    EXPECT_EQ(sim::driver::now() - before, 600u);
    EXPECT_EQ(sim::driver::window_state(foreign)->title, "Done");
    EXPECT_EQ(sim::driver::longest_wait(sim::driver::program_process()), 500u);
}

TEST_F(HungWindowTest, AWindowThatStopsAnsweringAgainStartsItsFiveSecondsAfresh)
{
    sim::driver::run_for(6000);
    EXPECT_TRUE(IsHungAppWindow(foreign));
    sim::driver::set_hung(process, false);
    sim::driver::set_hung(process, true);
    EXPECT_FALSE(IsHungAppWindow(foreign));
}

}
