#include "platform/sim/kernel/held_files.h"

#include <map>
#include <string>

namespace sim {

namespace {

// How many holders each file has, by its host path in normal form.
std::map<std::string, int>& holders()
{
    static std::map<std::string, int> counts;
    return counts;
}

std::string key_of(const std::filesystem::path& host)
{
    return host.lexically_normal().string();
}

}

HeldFile::HeldFile(std::filesystem::path host)
    : m_host(std::move(host))
{
    ++holders()[key_of(m_host)];
}

HeldFile::~HeldFile()
{
    auto held = holders().find(key_of(m_host));
    if (held != holders().end() && --held->second == 0)
        holders().erase(held);
}

bool is_file_held(const std::filesystem::path& host)
{
    return !host.empty() && holders().count(key_of(host)) != 0;
}

}
