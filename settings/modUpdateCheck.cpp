#include "settings/modUpdateCheck.h"

#include <cctype>
#include <vector>

namespace {

// Start-up waits for the version; one second to connect and one to answer keeps it within 3 s.
constexpr long FetchTimeoutSeconds = 1;
constexpr size_t MaxVersionBytes = 1024;
constexpr size_t MaxNotesBytes = 1024 * 1024;

std::vector<long> version_parts(const std::string& text)
{
    std::vector<long> parts;
    size_t start = 0;
    while (start <= text.size()) {
        size_t dot = text.find('.', start);
        size_t end = dot == std::string::npos ? text.size() : dot;
        size_t i = start;
        while (i < end && std::isspace(static_cast<unsigned char>(text[i])))
            ++i;
        long value = 0;
        for (; i < end && std::isdigit(static_cast<unsigned char>(text[i])) && value < 100000000; ++i)
            value = value * 10 + (text[i] - '0');
        parts.push_back(value);
        if (dot == std::string::npos)
            break;
        start = dot + 1;
    }
    return parts;
}

std::string fetch(runtime::Inet& inet, const char* url, size_t max_bytes)
{
    std::string content;
    inet.RequestTimeout(FetchTimeoutSeconds);
    runtime::skip_on_error([&] { content = inet.OpenDocument(url, max_bytes); });
    return content;
}

}

bool IsNewerVersion(const std::string& remote, const std::string& local)
{
    std::vector<long> a = version_parts(remote);
    std::vector<long> b = version_parts(local);
    size_t count = std::max(a.size(), b.size());
    a.resize(count, 0);
    b.resize(count, 0);
    return a > b;
}

std::string FetchPublishedVersion(runtime::Inet& inet)
{
    return fetch(inet, UpdateVersionUrl, MaxVersionBytes);
}

std::string FetchReleaseNotes(runtime::Inet& inet)
{
    return fetch(inet, UpdateNotesUrl, MaxNotesBytes);
}
