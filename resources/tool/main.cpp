// kelmor-artwork: draws every picture Kelmor carries and writes them where the build wants them.
// Usage: kelmor-artwork [--skins FOLDER] [--source FILE] [--icon FILE] [--contact-sheet FILE]
#include "resources/tool/artwork.h"
#include "resources/tool/outputs.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <utility>

int main(int argc, char** argv)
{
    std::string skins, source, icon, contact_sheet;
    const std::pair<std::string_view, std::string*> options[] = {
        { "--skins", &skins }, { "--source", &source }, { "--icon", &icon }, { "--contact-sheet", &contact_sheet },
    };
    for (int index = 1; index < argc; index += 2) {
        auto known = std::find_if(std::begin(options), std::end(options),
            [&](auto& option) { return option.first == argv[index]; });
        if (known == std::end(options)) {
            std::fprintf(stderr, "kelmor-artwork: unknown option %s\n", argv[index]);
            return 2;
        }
        if (index + 1 >= argc) {
            std::fprintf(stderr, "kelmor-artwork: option %s needs a value\n", argv[index]);
            return 2;
        }
        *known->second = argv[index + 1];
    }

    std::string error;
    try {
        auto artwork = artwork::draw_artwork();
        if (error.empty() && !skins.empty())
            error = artwork::write_skin_files(artwork, skins);
        if (error.empty() && !source.empty())
            error = artwork::write_designer_source(artwork, source);
        if (error.empty() && !icon.empty())
            error = artwork::write_icon_file(artwork, icon);
        if (error.empty() && !contact_sheet.empty())
            error = artwork::write_contact_sheet(artwork, contact_sheet);
    } catch (const std::exception& exception) {
        error = exception.what();
    }
    if (!error.empty()) {
        std::fprintf(stderr, "kelmor-artwork: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
