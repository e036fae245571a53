#include "runtime/shared_pictures.h"

#include "runtime/picture_file.h"

namespace runtime {

StdPicture SharedPictures::get(const std::string& name, const std::function<StdPicture()>& make)
{
    auto found = m_pictures.find(name);
    if (found != m_pictures.end())
        return found->second;
    StdPicture picture = make();
    m_pictures.emplace(name, picture);
    return picture;
}

StdPicture SharedPictures::load(const std::string& path)
{
    WIN32_FIND_DATAA data {};
    HANDLE search = FindFirstFileA(path.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) {
        m_files.erase(path);
        return LoadPicture(path);
    }
    FindClose(search);
    uint64_t size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    uint64_t last_write = (uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    auto found = m_files.find(path);
    if (found != m_files.end() && found->second.size == size && found->second.last_write == last_write)
        return found->second.picture;
    StdPicture picture = LoadPicture(path);
    m_files[path] = FilePicture { size, last_write, picture };
    return picture;
}

}
