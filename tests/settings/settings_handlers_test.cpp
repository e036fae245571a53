// The change handlers that a load runs: blur, border colour, transparency and the scroll bars'
// labels, and the border refresh they end with.
#include "tests/settings/settings_fixture.h"

#include <functional>

namespace {

// A border window as the settings window sees it: members reached by name, a repaint that
// records the offsets it was given.
class frmBorderStandIn : public runtime::Form {
public:
    explicit frmBorderStandIn(runtime::Program& program)
        : Form(program, "frmTrans")
    {
        BorderStyle(runtime::vbBSNone);
        Move(0, 0, 3000, 3000);
    }
    long DeltaX = 7;
    long DeltaY = -3;
    std::vector<std::pair<long, long>> repaints;

    runtime::Variant call_by_name(std::string_view name) override
    {
        if (name == "DeltaX")
            return DeltaX;
        if (name == "DeltaY")
            return DeltaY;
        if (name == "RefreshMe") {
            repaints.emplace_back(DeltaX, DeltaY);
            return {};
        }
        return Form::call_by_name(name);
    }
    void let_by_name(std::string_view name, const runtime::Variant& value) override
    {
        if (name == "DeltaX")
            DeltaX = value.to_long();
        else if (name == "DeltaY")
            DeltaY = value.to_long();
        else
            Form::let_by_name(name, value);
    }
};

BYTE alpha_of(HWND window)
{
    BYTE alpha = 0;
    GetLayeredWindowAttributes(window, nullptr, &alpha, nullptr);
    return alpha;
}

TEST_F(SettingsTest, TickingBlurSetsStrengthFourFromAnyOtherValue)
{
    frmSettings& settings = start_settings_window();
    run([&] { settings.Check2.Value(1); });
    EXPECT_EQ(settings.VScroll1.Value(), -4);
    EXPECT_EQ(globals().BlurAmount, 4);
    EXPECT_EQ(settings.Label3.Caption(), "Strength:  5");
    EXPECT_TRUE(settings.VScroll1.Enabled());
    EXPECT_TRUE(settings.Label3.Enabled());

    // Unticking switches the blur off.
    run([&] { settings.Check2.Value(0); });
    EXPECT_EQ(settings.VScroll1.Value(), 1);
    EXPECT_EQ(globals().BlurAmount, -1);
    EXPECT_EQ(settings.Label3.Caption(), "Strength:  0");
    EXPECT_FALSE(settings.VScroll1.Enabled());

    // Already at -4, the slider's handler does not run again.
    run([&] {
        settings.VScroll1.Value(-4);
        globals().BlurAmount = 11;
        settings.Check2.Value(1);
    });
    EXPECT_EQ(globals().BlurAmount, 5);
    EXPECT_EQ(settings.Label3.Caption(), "Strength:  11");
}

TEST_F(SettingsTest, UntickingTransparencyResetsTheSlider)
{
    frmSettings& settings = start_settings_window();
    run([&] {
        settings.Check4.Value(1);
        settings.HScroll1.Value(15);
    });
    EXPECT_EQ(globals().TransparencyPercent, 2);
    EXPECT_TRUE(settings.HScroll1.Enabled());
    EXPECT_TRUE(settings.Check6.Enabled());

    run([&] { settings.Check4.Value(0); });
    EXPECT_EQ(settings.HScroll1.Value(), 0);
    EXPECT_EQ(globals().TransparencyPercent, 0);
    EXPECT_EQ(settings.Label4.Caption(), "0 %");
    EXPECT_FALSE(settings.HScroll1.Enabled());
    EXPECT_FALSE(settings.Label6.Enabled());
}

TEST_F(SettingsTest, ScrollBarLabelsShowRoundedValues)
{
    frmSettings& settings = start_settings_window();
    run([&] {
        settings.HScroll6.Value(86);
        settings.HScroll5.Value(255);
        settings.scrHue.Value(25);
        settings.scrBrightness.Value(2550);
        settings.Check5.Value(1);
    });
    EXPECT_EQ(settings.Label19.Caption(), "Zoom: 100%");
    EXPECT_EQ(settings.Label17.Caption(), "Transparency: 255");
    EXPECT_EQ(settings.labHue.Caption(), "2");
    EXPECT_EQ(settings.labBrightness.Caption(), "510");
    EXPECT_TRUE(settings.HScroll2.Enabled());
    EXPECT_TRUE(settings.Label7.Enabled());
}

TEST_F(SettingsTest, BorderRefreshRepaintsWithZeroOffsetsAndAppliesTransparency)
{
    frmSettings& settings = start_settings_window();
    frmBorderStandIn* border = nullptr;
    run([&] { border = &program().load_new<frmBorderStandIn>(); });

    run([&] { settings.HScroll1.Value(500); });
    EXPECT_EQ(alpha_of(border->hWnd()), 128);
    EXPECT_TRUE(border->repaints.empty());

    run([&] { settings.scrSaturation.Value(300); });
    ASSERT_EQ(border->repaints.size(), 1u);
    EXPECT_EQ(border->repaints[0], std::make_pair(0L, 0L));
    EXPECT_EQ(border->DeltaX, 7);
    EXPECT_EQ(border->DeltaY, -3);

    // The colour dialog's slider repaints the borders too.
    run([&] { colour_dialog().HScroll1.Value(-100); });
    EXPECT_EQ(border->repaints.size(), 2u);
    EXPECT_TRUE(m_fatal_errors.empty());
}

}

namespace {

TEST_F(SettingsTest, BlurHueSaturationAndBrightnessRepaintEveryBorderOnce)
{
    frmSettings& settings = start_settings_window();
    frmBorderStandIn* first = nullptr;
    frmBorderStandIn* second = nullptr;
    run([&] {
        first = &program().load_new<frmBorderStandIn>();
        second = &program().load_new<frmBorderStandIn>();
    });
    const std::pair<const char*, std::function<void()>> changes[] = {
        { "blur", [&] { settings.VScroll1.Value(-9); } },
        { "hue", [&] { settings.scrHue.Value(900); } },
        { "saturation", [&] { settings.scrSaturation.Value(500); } },
        { "brightness", [&] { settings.scrBrightness.Value(-40); } },
    };
    size_t repaints = 0;
    for (const auto& [name, change] : changes) {
        run(change);
        ++repaints;
        EXPECT_EQ(first->repaints.size(), repaints) << name;
        EXPECT_EQ(second->repaints.size(), repaints) << name;
    }
    // A value that does not change runs no handler.
    run([&] { settings.scrHue.Value(900); });
    EXPECT_EQ(first->repaints.size(), repaints);
    EXPECT_TRUE(m_fatal_errors.empty());
}

}
