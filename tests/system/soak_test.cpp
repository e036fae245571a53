// A long run of windows adopted and closed, with a fault of ours now and then and the program
// started again after it: no window is lost, and the program's GDI objects and the memory stay
// flat. CI runs a short form; KELMOR_SOAK_CYCLES=10000 runs the long one.
#include "tests/system/system_fixture.h"

#include <cstdlib>
#include <malloc.h>
#include <random>
#include <string>

namespace {

class Soak : public SystemTest {
protected:
    static int cycles()
    {
        const char* text = std::getenv("KELMOR_SOAK_CYCLES");
        return text ? std::max(100, std::atoi(text)) : 400;
    }

    void start_again()
    {
        sim::driver::start_program_again();
        sim::driver::run_program([&] { m_program.reset(); });
        m_program = std::make_unique<runtime::Program>();
        run([&] { m_controller = &start_kelmor(program()); });
    }

    // Heap blocks and mapped blocks together: which of the two holds a large picture changes as
    // the allocator tunes itself.
    static size_t memory_in_use()
    {
        auto info = mallinfo2();
        return info.uordblks + info.hblkhd;
    }
    int gdi_objects() { return sim::driver::resource_usage(sim::driver::program_process()).gdi_objects; }
};

TEST_F(Soak, AdoptAndCloseWithFaultsLosesNoWindowAndStaysFlat)
{
    const int total = cycles();
    const int fault_every = total / 4;
    const int settle = std::min(100, fault_every / 4);
    std::mt19937 random(20261209);
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };

    run([&] { m_controller = &start_kelmor(program()); });
    int baseline_objects = 0;
    size_t baseline_memory = 0;
    for (int cycle = 1; cycle <= total; ++cycle) {
        sim::driver::AppWindow editor;
        editor.title = "Draft " + std::to_string(between(1, 99999)) + std::string(between(0, 40), 'x');
        int left = between(0, 1200);
        int top = between(0, 600);
        editor.rect = { left, top, left + between(120, 900), top + between(80, 600) };
        uint32_t process = sim::driver::create_process("C:\\Apps\\editor.exe");
        HWND window = sim::driver::open_app_window(process, editor);
        sim::driver::run_for(static_cast<uint64_t>(between(20, 300)));

        bool faults = cycle % fault_every == 0;
        if (faults) {
            sim::driver::fault_next_call(sim::driver::program_process(), static_cast<uint32_t>(between(0, 300)));
            sim::driver::run_for(400);
            if (sim::driver::is_process_alive(sim::driver::program_process()))
                sim::driver::run_program([&] { m_program->dispatch([&] { m_controller->Command7_Click(); }); });
            ASSERT_FALSE(sim::driver::is_process_alive(sim::driver::program_process()));
            auto given_back = state_of(window);
            ASSERT_EQ(given_back.parent, nullptr) << "cycle " << cycle;
            ASSERT_TRUE(given_back.is_visible) << "cycle " << cycle;
        }
        sim::driver::close(window);
        sim::driver::run_for(static_cast<uint64_t>(between(150, 400)));
        ASSERT_FALSE(IsWindow(window)) << "cycle " << cycle;
        // The editor's program ends with its last window, as a real one does.
        sim::driver::end_process(process);
        if (faults)
            start_again();

        int run_cycle = cycle % fault_every;
        if (run_cycle == settle) {
            baseline_objects = gdi_objects();
            if (cycle == settle)
                baseline_memory = memory_in_use();
        }
        if (run_cycle == fault_every - 1)
            EXPECT_LE(gdi_objects(), baseline_objects + baseline_objects / 50) << "cycle " << cycle;
        if (cycle == total - 1)
            EXPECT_LE(memory_in_use(), baseline_memory + baseline_memory / 50);
    }
}

}
