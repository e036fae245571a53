#include "tests/resources/artwork_paths.h"

#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using artwork_test::program_folder;

struct Decoded {
    int width = 0;
    int height = 0;
    int channels_in_file = 0;
    std::vector<unsigned char> rgba;

    unsigned alpha(int x, int y) const { return rgba[(std::size_t(y) * width + x) * 4 + 3]; }
    unsigned channel(int x, int y, int channel) const { return rgba[(std::size_t(y) * width + x) * 4 + channel]; }
};

std::vector<unsigned char> read_bytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

Decoded decode(const std::string& name)
{
    auto bytes = read_bytes(program_folder() / name);
    Decoded result;
    std::unique_ptr<unsigned char, void (*)(void*)> pixels(
        stbi_load_from_memory(bytes.data(), int(bytes.size()), &result.width, &result.height, &result.channels_in_file, 4),
        stbi_image_free);
    if (!pixels)
        throw std::runtime_error(name + " does not decode: " + stbi_failure_reason());
    result.rgba.assign(pixels.get(), pixels.get() + std::size_t(result.width) * result.height * 4);
    return result;
}

bool starts_with_png_signature(const std::string& name)
{
    auto bytes = read_bytes(program_folder() / name);
    const unsigned char signature[] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
    return bytes.size() > 8 && std::equal(std::begin(signature), std::end(signature), bytes.begin());
}

bool is_border_transparent(const Decoded& picture)
{
    for (int x = 0; x < picture.width; ++x) {
        if (picture.alpha(x, 0) != 0 || picture.alpha(x, picture.height - 1) != 0)
            return false;
    }
    for (int y = 0; y < picture.height; ++y) {
        if (picture.alpha(0, y) != 0 || picture.alpha(picture.width - 1, y) != 0)
            return false;
    }
    return true;
}

unsigned strongest_alpha(const Decoded& picture)
{
    unsigned strongest = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x)
            strongest = std::max(strongest, picture.alpha(x, y));
    }
    return strongest;
}

const char* const alpha_skins[] = { "cd.rcol", "cg.rcol", "cb.rcol", "ct.rcol", "cr.rcol", "co.rcol", "cp.rcol",
    "cf.rcol", "reflections2.refl", "Light_TL.refl", "Light_TR.refl", "Light_Side3.refl", "normal_bar.cbox",
    "normal_bar_minclose.cbox", "normal_bar_single.cbox", "top_bar.vee", "min_glow.cbg", "max_glow.cbg",
    "close_glow.cbg", "mLight.mlt", "mLight_D.mlt" };

TEST(SkinFiles, ImagesWithAlphaArePngsThatUseIt)
{
    for (auto* name : alpha_skins) {
        EXPECT_TRUE(starts_with_png_signature(name)) << name;
        auto picture = decode(name);
        EXPECT_EQ(picture.channels_in_file, 4) << name;
        bool has_translucency = false;
        for (int y = 0; y < picture.height && !has_translucency; ++y) {
            for (int x = 0; x < picture.width; ++x)
                has_translucency = has_translucency || picture.alpha(x, y) < 255;
        }
        EXPECT_TRUE(has_translucency) << name;
        EXPECT_GT(strongest_alpha(picture), 40u) << name << " is all but invisible";
    }
}

// Lights and glows must end softly: a visible edge would show as a hard line over the glass.
TEST(SkinFiles, GlowsAndLightsFadeToNothingAtTheirEdges)
{
    for (auto* name : { "min_glow.cbg", "max_glow.cbg", "close_glow.cbg", "mLight.mlt", "mLight_D.mlt",
             "reflections2.refl", "Light_TL.refl", "Light_TR.refl" }) {
        EXPECT_TRUE(is_border_transparent(decode(name))) << name;
    }
    auto side = decode("Light_Side3.refl");
    for (int x = 0; x < side.width; ++x)
        EXPECT_EQ(side.alpha(x, side.height - 1), 0u);
}

// The glow window is 89 x 52 and placed 9 pixels left of and above the button; each glow
// surrounds its button by those 9 pixels on every side.
TEST(SkinFiles, GlowsFitTheGlowWindowAroundTheirButton)
{
    const std::pair<const char*, int> glows[] = { { "min_glow.cbg", 26 }, { "max_glow.cbg", 25 }, { "close_glow.cbg", 44 } };
    for (auto& [name, button_width] : glows) {
        auto glow = decode(name);
        EXPECT_LE(glow.width, 89) << name;
        EXPECT_LE(glow.height, 52) << name;
        EXPECT_EQ(glow.width, button_width + 18) << name;
        EXPECT_EQ(glow.height, 18 + 18) << name;
        EXPECT_GT(glow.alpha(9 + button_width / 2, 8), glow.alpha(9 + button_width / 2, 1)) << name;
    }
}

TEST(SkinFiles, SizesFitWhereTheyAreDrawn)
{
    auto strip = decode("normal_bar.cbox");
    EXPECT_EQ(strip.width, 99);
    EXPECT_EQ(strip.height, 18);
    EXPECT_EQ(decode("normal_bar_minclose.cbox").width, 99);
    EXPECT_EQ(decode("normal_bar_single.cbox").width, 48);
    auto light = decode("mLight.mlt");
    EXPECT_EQ(light.width, 129);
    EXPECT_EQ(light.height, 25);
    auto pressed = decode("mLight_D.mlt");
    EXPECT_EQ(pressed.width, 129);
    EXPECT_EQ(pressed.height, 25);
    EXPECT_EQ(decode("Light_TR.refl").width, 120);
    EXPECT_LE(decode("top_bar.vee").height, 32);
}

// The strips stand in for the buttons while reflections are on, so their glass lies exactly
// over the buttons: minimise at 0-25, maximise at 26-50, close at 51-94 of the 99-pixel strip.
TEST(SkinFiles, ButtonStripsShowOnlyTheButtonsTheyAreFor)
{
    auto full = decode("normal_bar.cbox");
    auto minclose = decode("normal_bar_minclose.cbox");
    auto single = decode("normal_bar_single.cbox");
    EXPECT_GT(full.alpha(13, 9), 0u);
    EXPECT_GT(full.alpha(38, 9), 0u);
    EXPECT_GT(full.alpha(73, 9), 0u);
    EXPECT_EQ(full.alpha(97, 9), 0u);
    EXPECT_GT(minclose.alpha(13, 9), 0u);
    EXPECT_EQ(minclose.alpha(38, 9), 0u);
    EXPECT_GT(minclose.alpha(73, 9), 0u);
    EXPECT_GT(single.alpha(22, 9), 0u);
    EXPECT_EQ(single.alpha(46, 9), 0u);
}

TEST(SkinFiles, BorderTextureIsAnOpaqueBitmapWithMagentaForTransparency)
{
    auto bytes = read_bytes(program_folder() / "back.tpci");
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(bytes[28], 24) << "bits per pixel";
    auto texture = decode("back.tpci");
    EXPECT_EQ(texture.channels_in_file, 3);
    std::size_t magenta = 0;
    for (int y = 0; y < texture.height; ++y) {
        for (int x = 0; x < texture.width; ++x) {
            if (texture.channel(x, y, 0) == 255 && texture.channel(x, y, 1) == 0 && texture.channel(x, y, 2) == 255)
                ++magenta;
        }
    }
    auto total = std::size_t(texture.width) * texture.height;
    EXPECT_GT(magenta, total / 10);
    EXPECT_LT(magenta, total / 2);
}

TEST(SkinFiles, IconFileHoldsSixImages)
{
    auto bytes = read_bytes(artwork_test::build_folder() / "resources" / "kelmor.ico");
    ASSERT_GT(bytes.size(), 6u + 6 * 16);
    EXPECT_EQ(bytes[2], 1);
    EXPECT_EQ(bytes[4], 6);
    const std::pair<int, int> expected[] = { { 32, 8 }, { 32, 32 }, { 24, 8 }, { 24, 32 }, { 16, 8 }, { 16, 32 } };
    for (int index = 0; index < 6; ++index) {
        auto* entry = bytes.data() + 6 + index * 16;
        EXPECT_EQ(entry[0], expected[index].first);
        EXPECT_EQ(entry[6], expected[index].second);
        std::uint32_t size = entry[8] | entry[9] << 8 | entry[10] << 16 | entry[11] << 24;
        std::uint32_t offset = entry[12] | entry[13] << 8 | entry[14] << 16 | entry[15] << 24;
        EXPECT_LE(offset + size, bytes.size());
        EXPECT_EQ(bytes[offset], 40) << "image " << index << " starts with its bitmap header";
    }
}

std::vector<std::filesystem::path> files_in(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> files;
    for (auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files.push_back(std::filesystem::relative(entry.path(), folder));
    std::sort(files.begin(), files.end());
    return files;
}

TEST(ArtworkTool, TwoRunsWriteTheSameBytes)
{
    auto tool = program_folder() / "kelmor-artwork";
    auto base = std::filesystem::temp_directory_path() / ("kelmor-artwork-test-" + std::to_string(::getpid()));
    std::filesystem::remove_all(base);
    for (const char* run : { "first", "second" }) {
        auto folder = base / run;
        std::filesystem::create_directories(folder);
        auto command = tool.string() + " --skins '" + (folder / "skins").string() + "' --source '"
            + (folder / "pictures.cpp").string() + "' --icon '" + (folder / "kelmor.ico").string()
            + "' --contact-sheet '" + (folder / "sheet.png").string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    auto first = files_in(base / "first");
    EXPECT_EQ(first, files_in(base / "second"));
    EXPECT_EQ(first.size(), 22u + 3u);
    for (auto& file : first)
        EXPECT_EQ(read_bytes(base / "first" / file), read_bytes(base / "second" / file)) << file;
    for (auto& file : files_in(base / "first" / "skins"))
        EXPECT_EQ(read_bytes(base / "first" / "skins" / file), read_bytes(program_folder() / file)) << file;
    std::filesystem::remove_all(base);
}

TEST(ArtworkTool, RefusesAnUnknownOptionAndAMissingValue)
{
    auto tool = program_folder() / "kelmor-artwork";
    EXPECT_NE(std::system((tool.string() + " --colour red 2>/dev/null").c_str()), 0);
    EXPECT_NE(std::system((tool.string() + " --skins 2>/dev/null").c_str()), 0);
}

}
