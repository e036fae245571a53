// A fresh program on a fresh simulated desktop, with the program folder's settings files at hand.
#pragma once

#include "services/modGlobal.h"
#include "settings/frmColDialog.h"
#include "settings/frmSettings.h"
#include "settings/modSaveLoadSettings.h"
#include "tests/resources/artwork_paths.h"
#include "tests/runtime/runtime_fixture.h"

#include "platform/sim/kernel/paths.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

class SettingsTest : public RuntimeTest {
protected:
    static std::filesystem::path program_file(const std::string& name)
    {
        return sim::host_path(std::string(sim::kelmor_program_folder) + "\\" + name);
    }

    static void write_program_file(const std::string& name, const std::string& bytes)
    {
        std::ofstream(program_file(name), std::ios::binary) << bytes;
    }

    static std::optional<std::string> read_program_file(const std::string& name)
    {
        std::ifstream file(program_file(name), std::ios::binary);
        if (!file)
            return std::nullopt;
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

    // Creates the settings window as the start-up does (its load reads the files), then sets the
    // blur slider from BlurAmount as the start-up's later step does.
    frmSettings& start_settings_window()
    {
        run([&] { m_settings = &program().form<frmSettings>(); });
        run([&] { m_settings->VScroll1.Value(-globals().BlurAmount); });
        return *m_settings;
    }

    // Ends the running program and starts a new one on the same desktop and files.
    void restart_program()
    {
        sim::driver::run_program([&] { m_program.reset(); });
        m_settings = nullptr;
        m_program = std::make_unique<runtime::Program>();
        m_program->set_fatal_hook([this](const runtime::Error& error) { m_fatal_errors.push_back(error.number); });
    }

    void save() { run([&] { SaveSettings(program()); }); }

    Globals& globals() { return ::globals(program()); }
    frmColDialog& colour_dialog()
    {
        frmColDialog* dialog = nullptr;
        run([&] { dialog = &program().form<frmColDialog>(); });
        return *dialog;
    }

    frmSettings* m_settings = nullptr;
};

// The same with the build's program folder installed: the effects library and the artwork the
// program finds beside itself.
class SettingsWithProgramFolderTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        sim::install_program_folder(artwork_test::program_folder());
    }
};
