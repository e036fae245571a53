// A fresh simulated desktop for every runtime test, and the program code run as the program's process.
#pragma once

#include "platform/sim/driver.h"
#include "runtime/program.h"

#include <gtest/gtest.h>

class RuntimeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sim::driver::reset();
        m_program = std::make_unique<runtime::Program>();
        // An error a handler lets through is kept for the test instead of ending the process.
        m_program->set_fatal_hook([this](const runtime::Error& error) { m_fatal_errors.push_back(error.number); });
    }
    void TearDown() override
    {
        sim::driver::run_program([&] { m_program.reset(); });
    }

    runtime::Program& program() { return *m_program; }

    // Runs code as the program does: inside an event dispatch, as the program's process.
    template<typename Code>
    void run(Code&& code)
    {
        sim::driver::run_program([&] { m_program->dispatch(code); });
    }

    std::unique_ptr<runtime::Program> m_program;
    std::vector<long> m_fatal_errors;
};
