// A fault of ours at a sweep of positions, each one Windows call of the program's own code: during
// an adoption, a caption drag, a glow hover, the settings window and the quit of one window, and
// during the adoption and quit of four (one maximised, one minimised, one that hides itself). Every
// window comes back top-level with the visibility, style, extended style, state and place it should
// have. CI runs a sample of the positions; KELMOR_FAULT_SWEEP_STRIDE=1 runs them all, and
// KELMOR_FAULT_SWEEP_OFFSET with a larger stride splits the full sweep between processes
// (scripts/fault-sweep.sh).
#include "tests/system/system_fixture.h"

#include "settings/frmSettings.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr DWORD AppStyle = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS;

struct Expected {
    HWND window = nullptr;
    DWORD style = 0;  // with WS_VISIBLE as it should be, and the state bits
    DWORD ex_style = 0;
    RECT restored {};  // where it is, or comes back to when restored
    // How far the user's drag moves it: a fault during the drag leaves it anywhere along the way.
    std::optional<POINT> dragged_by;
};

class FaultSweep : public SystemTest {
protected:
    static uint64_t environment_number(const char* name, uint64_t otherwise)
    {
        const char* text = std::getenv(name);
        return text ? std::strtoull(text, nullptr, 10) : otherwise;
    }

    void start_with_fatal_path() { run([&] { m_controller = &start_kelmor(program()); }); }

    void start_again()
    {
        sim::driver::run_program([&] { m_program.reset(); });
        sim::driver::reset();
        m_program = std::make_unique<runtime::Program>();
        start_with_fatal_path();
    }

    bool is_running() { return sim::driver::is_process_alive(sim::driver::program_process()); }

    // Runs the steps while the program lives; then lets a fault still waiting come, or quits.
    void play(const std::vector<std::function<void()>>& steps)
    {
        for (const auto& step : steps) {
            if (!is_running())
                return;
            step();
        }
        if (is_running())
            quit();
        sim::driver::run_for(200);
    }

    HWND open(const std::string& title, RECT rect, const std::string& executable = "C:\\Apps\\editor.exe")
    {
        sim::driver::AppWindow window;
        window.title = title;
        window.style = AppStyle | WS_VISIBLE;
        window.rect = rect;
        return sim::driver::open_app_window(sim::driver::create_process(executable), window);
    }

    RECT restored_rect(HWND window)
    {
        WINDOWPLACEMENT placement {};
        placement.length = sizeof placement;
        GetWindowPlacement(window, &placement);
        return placement.rcNormalPosition;
    }

    // What the window is like now, before the program touches it.
    Expected expect_as_now(HWND window)
    {
        auto state = state_of(window);
        return { window, state.style, state.ex_style, restored_rect(window), std::nullopt };
    }

    static bool is_in_place(RECT place, const Expected& expected)
    {
        const RECT& was = expected.restored;
        if (place.right - place.left != was.right - was.left || place.bottom - place.top != was.bottom - was.top)
            return false;
        POINT drag = expected.dragged_by.value_or(POINT { 0, 0 });
        LONG dx = place.left - was.left;
        LONG dy = place.top - was.top;
        return dx >= 0 && dx <= drag.x && dy >= 0 && dy <= drag.y;
    }

    // Whether the window is back as expected; the text says how it is not.
    std::string differences(const Expected& expected)
    {
        if (!IsWindow(expected.window))
            return "destroyed";
        auto state = state_of(expected.window);
        std::string found;
        if (state.parent != nullptr)
            found += " not top-level;";
        if (state.style != expected.style)
            found += " style " + std::to_string(state.style) + " not " + std::to_string(expected.style) + ";";
        if (state.ex_style != expected.ex_style)
            found += " exstyle " + std::to_string(state.ex_style) + ";";
        RECT restored = restored_rect(expected.window);
        if (!is_in_place(restored, expected))
            found += " restored at " + std::to_string(restored.left) + "," + std::to_string(restored.top) + ","
                + std::to_string(restored.right) + "," + std::to_string(restored.bottom) + ";";
        return found;
    }

    // The program's own calls in the whole run without a fault: the positions to sweep.
    uint64_t calls_of(const std::function<std::vector<Expected>()>& scenario)
    {
        uint64_t before = sim::driver::calls_made(sim::driver::program_process());
        scenario();
        return sim::driver::calls_made(sim::driver::program_process()) - before;
    }

    void sweep(const std::string& name, const std::function<std::vector<Expected>()>& scenario)
    {
        start_with_fatal_path();
        uint64_t total = calls_of(scenario);
        ASSERT_GT(total, 100u);
        uint64_t stride = environment_number("KELMOR_FAULT_SWEEP_STRIDE", std::max<uint64_t>(1, total / 260));
        uint64_t offset = environment_number("KELMOR_FAULT_SWEEP_OFFSET", 0);
        int runs = 0;
        int windows = 0;
        int failures = 0;
        for (uint64_t position = offset; position < total; position += stride) {
            start_again();
            sim::driver::fault_next_call(sim::driver::program_process(), static_cast<uint32_t>(position));
            for (const Expected& expected : scenario()) {
                ++windows;
                std::string found = differences(expected);
                if (found.empty())
                    continue;
                ++failures;
                ADD_FAILURE() << name << ", fault after " << position << " calls: window " << expected.window << found;
            }
            EXPECT_FALSE(is_running()) << name << ", fault after " << position << " calls";
            ++runs;
        }
        std::printf("%s: %llu calls, %d runs, %d windows, %d not back as they were\n", name.c_str(),
            static_cast<unsigned long long>(total), runs, windows, failures);
    }

    POINT centre_of(HWND window)
    {
        RECT rect {};
        GetWindowRect(window, &rect);
        return { (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2 };
    }

    // One window: adopted, its caption dragged, the close button's glow shown, the settings window
    // opened and closed, then the quit.
    std::vector<Expected> one_window()
    {
        HWND window = open("One - Editor", { 100, 100, 740, 580 });
        Expected expected = expect_as_now(window);
        constexpr POINT drag { 40, 30 };
        expected.dragged_by = drag;
        play({
            [&] { wait_ticks(15); },
            [&] {
                frmTrans* border = border_of(window);
                if (!border)
                    return;
                RECT rect {};
                GetWindowRect(border->hWnd(), &rect);
                POINT from { rect.left + 200, rect.top + 12 };
                sim::driver::drag(from, { from.x + drag.x, from.y + drag.y }, 4);
                wait_ticks(3);
            },
            [&] {
                frmTrans* border = border_of(window);
                if (!border)
                    return;
                POINT button = centre_of(border->Picture11[2].hWnd());
                sim::driver::mouse_move(button.x, button.y);
                wait_ticks(3);
                sim::driver::mouse_move(button.x - 400, button.y + 300);
                wait_ticks(3);
            },
            [&] {
                sim::driver::run_program([&] { m_program->dispatch([&] { program().form<frmSettings>().Show(); }); });
                wait_ticks(5);
                sim::driver::run_program([&] { m_program->dispatch([&] { program().form<frmSettings>().Hide(); }); });
                wait_ticks(3);
            },
        });
        return { expected };
    }

    // Four windows: a normal one, one maximised and one minimised before adoption, and one that
    // hides itself while adopted; then the quit.
    std::vector<Expected> four_windows()
    {
        HWND normal = open("Normal", { 60, 60, 560, 410 });
        HWND maximised = open("Maximised", { 200, 150, 800, 600 }, "C:\\Apps\\viewer.exe");
        sim::driver::maximise(maximised);
        HWND minimised = open("Minimised", { 300, 200, 700, 500 }, "C:\\Apps\\paint.exe");
        sim::driver::minimise(minimised);
        HWND hiding = open("Hiding", { 400, 250, 900, 600 }, "C:\\Apps\\player.exe");
        std::vector<Expected> expected { expect_as_now(normal), expect_as_now(maximised), expect_as_now(minimised),
            expect_as_now(hiding) };
        expected[3].style &= ~WS_VISIBLE;
        play({
            [&] { wait_ticks(15); },
            [&] {
                sim::driver::hide(hiding);
                wait_ticks(15);
            },
        });
        if (IsWindowVisible(hiding))
            sim::driver::hide(hiding);
        return expected;
    }
};

TEST_F(FaultSweep, OneWindowThroughAdoptionDragHoverSettingsAndQuit)
{
    sweep("one window", [&] { return one_window(); });
}

TEST_F(FaultSweep, FourWindowsMaximisedMinimisedAndHiding)
{
    sweep("four windows", [&] { return four_windows(); });
}

}
