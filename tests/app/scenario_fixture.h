// Runs scenario texts in a folder of their own that the test removes afterwards.
#pragma once

#include "app/kelmor_sim/session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

class ScenarioFixture : public testing::Test {
protected:
    void SetUp() override
    {
        m_folder = std::filesystem::temp_directory_path() / ("kelmor-scenario-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    // Runs a scenario as "s.scn" on a fresh desktop; "" when it holds, otherwise its first message.
    std::string outcome(const std::string& text)
    {
        auto result = kelmor_sim::run_session("s.scn", text, {}, m_folder);
        if (result.is_success)
            return "";
        return result.messages.empty() ? "failed without a message" : result.messages.front();
    }

    std::filesystem::path m_folder;
};
