// Pictures that every instance of a form shows alike, held once for the program instead of once
// per instance: a program with two hundred border windows keeps one copy of each.
#pragma once

#include "runtime/picture.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>

namespace runtime {

// One per program: program.module<SharedPictures>().
class SharedPictures {
public:
    // The picture kept under `name`, made by `make` on first use.
    StdPicture get(const std::string& name, const std::function<StdPicture()>& make);
    // The picture file at `path` as LoadPicture gives it, read again only when the file's size or
    // time of last change differs from the copy kept; a missing file fails as LoadPicture does.
    StdPicture load(const std::string& path);

private:
    struct FilePicture {
        uint64_t size = 0;
        uint64_t last_write = 0;
        StdPicture picture;
    };
    std::map<std::string, StdPicture> m_pictures;
    std::map<std::string, FilePicture> m_files;
};

}
