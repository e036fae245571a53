#include "runtime/inet.h"

#include "runtime/error.h"

#include <algorithm>

namespace runtime {

Inet::Inet(Container& container, std::string name, int index)
    : Control(container, std::move(name), index)
{
    m_is_visible = false;
}

namespace {

bool is_success(HINTERNET request)
{
    DWORD status = 0;
    DWORD length = sizeof status;
    if (!HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &length, nullptr))
        return false;
    return status >= 200 && status < 300;
}

}

std::string Inet::OpenURL(const std::string& url)
{
    return fetch(url, std::string::npos, false);
}

std::string Inet::OpenDocument(const std::string& url, size_t max_bytes)
{
    return fetch(url, max_bytes, true);
}

std::string Inet::fetch(const std::string& url, size_t max_bytes, bool needs_success)
{
    HINTERNET session = InternetOpenA("Kelmor", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!session)
        raise(ErrRequestTimedOut, "Request timed out");
    if (m_timeout_seconds > 0) {
        DWORD milliseconds = static_cast<DWORD>(m_timeout_seconds * 1000);
        InternetSetOptionA(session, INTERNET_OPTION_CONNECT_TIMEOUT, &milliseconds, sizeof milliseconds);
        InternetSetOptionA(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &milliseconds, sizeof milliseconds);
    }
    HINTERNET request = InternetOpenUrlA(session, url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0);
    if (!request) {
        InternetCloseHandle(session);
        raise(ErrRequestTimedOut, "Request timed out");
    }
    bool is_wanted = !needs_success || is_success(request);
    std::string content;
    char buffer[4096];
    DWORD read = 0;
    while (is_wanted && content.size() < max_bytes && InternetReadFile(request, buffer, sizeof buffer, &read) && read > 0)
        content.append(buffer, std::min<size_t>(read, max_bytes - content.size()));
    InternetCloseHandle(request);
    InternetCloseHandle(session);
    if (!is_wanted)
        raise(ErrRequestTimedOut, "Request timed out");
    return content;
}

}
