#include "runtime/inet.h"

#include "runtime/error.h"

namespace runtime {

Inet::Inet(Container& container, std::string name, int index)
    : Control(container, std::move(name), index)
{
    m_is_visible = false;
}

std::string Inet::OpenURL(const std::string& url)
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
    std::string content;
    char buffer[4096];
    DWORD read = 0;
    while (InternetReadFile(request, buffer, sizeof buffer, &read) && read > 0)
        content.append(buffer, read);
    InternetCloseHandle(request);
    InternetCloseHandle(session);
    return content;
}

}
