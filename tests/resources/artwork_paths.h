// Where the build puts what kelmor-artwork writes, found from the test program's own place
// (build/tests/<program>), so the tests run from any working folder.
#pragma once

#include <filesystem>

namespace artwork_test {

inline std::filesystem::path build_folder()
{
    return std::filesystem::canonical("/proc/self/exe").parent_path().parent_path();
}

inline std::filesystem::path program_folder()
{
    return build_folder() / "bin";
}

}
