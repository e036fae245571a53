#include "resources/tool/outputs.h"

#include <fstream>

namespace artwork {

std::string write_file(const std::filesystem::path& file, const Bytes& bytes)
{
    std::error_code error;
    if (file.has_parent_path())
        std::filesystem::create_directories(file.parent_path(), error);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out)
        return "cannot write " + file.string();
    return {};
}

std::string write_skin_files(const Artwork& artwork, const std::filesystem::path& folder)
{
    for (auto& skin : artwork.skins) {
        auto bytes = skin.format == SkinFormat::bmp ? encode_bmp(skin.picture) : encode_png(skin.picture, true);
        if (auto error = write_file(folder / skin.name, bytes); !error.empty())
            return error;
    }
    return {};
}

std::string write_icon_file(const Artwork& artwork, const std::filesystem::path& file)
{
    if (artwork.icons.empty())
        return "no icon was drawn";
    return write_file(file, encode_ico(artwork.icons.front().images));
}

}
