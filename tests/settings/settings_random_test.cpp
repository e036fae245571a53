// Loads of arbitrary settings files: whatever the bytes, the load never ends the program, never
// leaves a control outside its range, and leaves the store in a state the next save writes whole.
//
// KELMOR_SETTINGS_RANDOM_CASES and KELMOR_SETTINGS_RANDOM_SEED override the number of cases and
// the seed, for long runs outside CI.
#include "tests/settings/settings_fixture.h"

#include <array>
#include <cstdlib>
#include <random>

namespace {

constexpr std::array<const char*, 36> Keys { "REFLECTIONS", "BLUR", "BORDERCOLOR", "TRANSPARENCY",
    "CONTROLBOXLIGHT", "ABBERATION", "VISTASTYLE", "HIDEDESKTOP", "STARTUP", "BLURTASKBAR", "BLUR_VAL", "HUE_VAL",
    "SATURATION_VAL", "BRIGHTNESS_VAL", "TRANSPARENCY_VAL", "CONTROLBOXLIGHT_VAL", "BORDERCOLOR_VAL",
    "CAPTIONCOLOR_VAL", "KEXPLEMU", "KWMP11EMU", "COL_TRANSPARENCY", "BC", "LIFEREF", "LIFEREF_VAL",
    "LIFEREF_ZOOM", "OUTB_COL", "INB_COL", "BIDIR_COL", "VERSION", "DESKTOPSTYLE", "EFFECTS", "FADEOUT_VAL",
    "FADEIN_VAL", "blur_val", "Reflections", "" };

unsigned long environment_number(const char* name, unsigned long fallback)
{
    const char* text = std::getenv(name);
    return text && *text ? std::strtoul(text, nullptr, 10) : fallback;
}

class RandomSettingsFile {
public:
    explicit RandomSettingsFile(unsigned long seed)
        : m_random(seed)
    {
    }

    std::string settings_file()
    {
        std::string text;
        int lines = pick(0, 24);
        for (int line = 0; line < lines; ++line) {
            if (pick(0, 29) == 0) {
                text += bytes(pick(0, 30));
            } else {
                const char* key = Keys[pick(0, Keys.size() - 1)];
                text += std::string(key) + (pick(0, 39) ? ":" : " ") + (pick(0, 1) ? value_in_range(key) : value());
            }
            text += line_end();
        }
        return text;
    }

    std::string exclusion_file()
    {
        std::string text;
        int lines = pick(0, 6);
        for (int line = 0; line < lines; ++line)
            text += bytes(pick(0, 20)) + line_end();
        return text;
    }

private:
    int pick(size_t low, size_t high) { return static_cast<int>(std::uniform_int_distribution<size_t>(low, high)(m_random)); }

    std::string bytes(int count)
    {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += static_cast<char>(pick(0, 255));
        return text;
    }

    std::string line_end()
    {
        constexpr std::array<const char*, 5> Ends { "\r\n", "\r\n", "\n", "\r", "" };
        return Ends[pick(0, Ends.size() - 1)];
    }

    // A value the key's control takes.
    std::string value_in_range(std::string_view key)
    {
        struct Range {
            std::string_view key;
            int low;
            int high;
        };
        constexpr std::array<Range, 11> Ranges { Range { "BLUR_VAL", -30, 1 }, { "HUE_VAL", 0, 3600 },
            { "SATURATION_VAL", 0, 1000 }, { "BRIGHTNESS_VAL", -2550, 2550 }, { "TRANSPARENCY_VAL", 0, 800 },
            { "CONTROLBOXLIGHT_VAL", 500, 2550 }, { "COL_TRANSPARENCY", -2550, 0 }, { "LIFEREF_VAL", 0, 255 },
            { "LIFEREF_ZOOM", 45, 86 }, { "DESKTOPSTYLE", 0, 3 }, { "BC", 0, 7 } };
        for (const Range& range : Ranges) {
            if (range.key == key)
                return std::to_string(pick(0, range.high - range.low) + range.low);
        }
        return std::to_string(pick(0, 2));
    }

    // Mostly numbers near the ranges in use, some far outside them, some not numbers at all.
    std::string value()
    {
        switch (pick(0, 7)) {
        case 0:
            return std::to_string(pick(0, 2));
        case 1:
            return std::to_string(pick(0, 6000) - 3000);
        case 2:
            return std::to_string(static_cast<long long>(m_random()) * (pick(0, 1) ? 1 : -1));
        case 3:
            return std::to_string(pick(0, 200) - 100) + "." + std::to_string(pick(0, 9)) + bytes(pick(0, 3));
        case 4:
            return std::string(pick(0, 3), ' ') + (pick(0, 1) ? "-" : "+") + std::to_string(pick(0, 40)) + "e" + std::to_string(pick(0, 400));
        case 5:
            return "&H" + std::to_string(pick(0, 99999));
        case 6:
            return bytes(pick(0, 12));
        default:
            return "";
        }
    }

    std::mt19937 m_random;
};

void replace_line(std::string& text, const std::string& line, const std::string& replacement)
{
    size_t position = text.find("\r\n" + line + "\r\n");
    if (position != std::string::npos)
        text.replace(position + 2, line.size(), replacement);
}

template<typename Check>
void for_each_control(const runtime::Form& form, Check check)
{
    for (runtime::Control* control : form.controls())
        check(*control);
}

void expect_controls_in_range(const runtime::Form& form, const std::string& context)
{
    int selected_options = 0;
    for_each_control(form, [&](runtime::Control& control) {
        if (auto* bar = dynamic_cast<runtime::ScrollBar*>(&control)) {
            EXPECT_GE(bar->Value(), bar->Min()) << control.Name() << context;
            EXPECT_LE(bar->Value(), bar->Max()) << control.Name() << context;
        }
        if (auto* box = dynamic_cast<runtime::CheckBox*>(&control)) {
            EXPECT_GE(box->Value(), 0) << control.Name() << context;
            EXPECT_LE(box->Value(), 2) << control.Name() << context;
        }
        if (auto* option = dynamic_cast<runtime::OptionButton*>(&control))
            selected_options += option->Value() ? 1 : 0;
    });
    EXPECT_LE(selected_options, 1) << context;
}

TEST_F(SettingsTest, ArbitraryFilesNeverBreakTheStore)
{
    unsigned long seed = environment_number("KELMOR_SETTINGS_RANDOM_SEED", 20261209);
    unsigned long cases = environment_number("KELMOR_SETTINGS_RANDOM_CASES", 3000);
    RandomSettingsFile random(seed);
    for (unsigned long round = 0; round < cases && !HasFailure(); ++round) {
        std::string data = random.settings_file();
        std::string list = random.exclusion_file();
        std::string context = " in case " + std::to_string(round) + " of seed " + std::to_string(seed);
        write_program_file("data.dat", data);
        write_program_file("exlst.dat", list);
        restart_program();
        frmSettings& settings = start_settings_window();

        EXPECT_TRUE(m_fatal_errors.empty()) << context;
        expect_controls_in_range(settings, context);
        expect_controls_in_range(colour_dialog(), context);
        EXPECT_EQ(globals().BlurAmount, -settings.VScroll1.Value()) << context;
        EXPECT_EQ(settings.Label3.Caption(), "Strength:  " + std::to_string(globals().BlurAmount + 1)) << context;
        EXPECT_EQ(settings.HScroll1.Value(), globals().TransparencyPercent * 10) << context;
        EXPECT_TRUE(globals().VersionString.empty() || globals().VersionString == "3.0") << context;

        // Every few cases the store goes through a save and a restart, which must give the same
        // files back; a strength of 0 with the blur off comes back as the start value's -8.
        if (round % 4 != 0)
            continue;
        save();
        std::optional<std::string> saved = read_program_file("data.dat");
        std::optional<std::string> saved_list = read_program_file("exlst.dat");
        ASSERT_TRUE(saved && saved_list) << context;
        restart_program();
        start_settings_window();
        EXPECT_EQ(globals().VersionString, "3.0") << context;
        save();
        std::string expected = *saved;
        if (expected.find("\r\nBLUR:0\r\n") != std::string::npos)
            replace_line(expected, "BLUR_VAL:0", "BLUR_VAL:-8");
        EXPECT_EQ(read_program_file("data.dat"), expected) << context;
        EXPECT_EQ(read_program_file("exlst.dat"), saved_list) << context;
    }
}

}
