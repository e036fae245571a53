// The WinINet functions over the answers the driver set. An address without an answer cannot be
// resolved; an answer slower than the time-out fails after the time-out has passed.
#include "platform/sim/shell/internet.h"

#include "platform/api/shell.h"
#include "platform/sim/handle_table.h"
#include "platform/sim/kernel/desktop_link.h"
#include "platform/sim/kernel/last_error.h"
#include "platform/sim/user/process_faults.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

namespace sim {

namespace {

struct Timeouts {
    uint32_t connect_ms = 60000;
    uint32_t receive_ms = 30000;
};

struct Internet {
    std::map<std::string, HttpAnswer> answers;
    std::vector<std::string> requests;
    // What a new session starts with; InternetSetOptionA on no handle changes it.
    Timeouts defaults;
};

Internet& internet()
{
    static Internet state;
    return state;
}

// Sessions and requests share one kind of handle; a request keeps the answer it reads from.
struct InternetHandle : Object {
    bool is_request = false;
    uintptr_t session = 0;
    Timeouts timeouts;
    std::string body;
    size_t read_position = 0;
    int status = 0;
};

InternetHandle* find_internet(HINTERNET handle)
{
    return handles().find<InternetHandle>(handle);
}

}

void set_http_answer(const std::string& url, HttpAnswer answer)
{
    internet().answers[url] = std::move(answer);
}

void remove_http_answer(const std::string& url)
{
    internet().answers.erase(url);
}

const std::vector<std::string>& http_requests()
{
    return internet().requests;
}

void reset_internet()
{
    internet() = Internet {};
}

}

HINTERNET WINAPI InternetOpenA(LPCSTR, DWORD, LPCSTR, LPCSTR, DWORD)
{
    sim::ApiCall api_call;
    auto session = std::make_unique<sim::InternetHandle>();
    session->timeouts = sim::internet().defaults;
    return reinterpret_cast<HINTERNET>(sim::handles().add(std::move(session)));
}

HINTERNET WINAPI InternetOpenUrlA(HINTERNET hInternet, LPCSTR lpszUrl, LPCSTR, DWORD, DWORD, DWORD_PTR)
{
    sim::ApiCall api_call;
    auto* session = sim::find_internet(hInternet);
    if (!session || session->is_request)
        return sim::fail(ERROR_INVALID_HANDLE, HINTERNET {});
    if (!lpszUrl || !*lpszUrl)
        return sim::fail(ERROR_INVALID_PARAMETER, HINTERNET {});
    auto& state = sim::internet();
    state.requests.push_back(lpszUrl);
    auto it = state.answers.find(lpszUrl);
    if (it == state.answers.end())
        return sim::fail(ERROR_INTERNET_NAME_NOT_RESOLVED, HINTERNET {});
    const auto& answer = it->second;
    if (answer.delay_ms > session->timeouts.receive_ms) {
        sim::kernel::let_time_pass(session->timeouts.receive_ms);
        return sim::fail(ERROR_INTERNET_TIMEOUT, HINTERNET {});
    }
    sim::kernel::let_time_pass(answer.delay_ms);
    auto request = std::make_unique<sim::InternetHandle>();
    request->is_request = true;
    request->session = reinterpret_cast<uintptr_t>(hInternet);
    request->body = answer.body;
    request->status = answer.status;
    return reinterpret_cast<HINTERNET>(sim::handles().add(std::move(request)));
}

BOOL WINAPI InternetReadFile(HINTERNET hFile, LPVOID lpBuffer, DWORD dwNumberOfBytesToRead,
    LPDWORD lpdwNumberOfBytesRead)
{
    sim::ApiCall api_call;
    auto* request = sim::find_internet(hFile);
    if (!request || !request->is_request || !lpdwNumberOfBytesRead)
        return sim::fail(ERROR_INVALID_HANDLE, FALSE);
    size_t left = request->body.size() - request->read_position;
    size_t count = std::min<size_t>(left, dwNumberOfBytesToRead);
    if (count)
        std::memcpy(lpBuffer, request->body.data() + request->read_position, count);
    request->read_position += count;
    *lpdwNumberOfBytesRead = static_cast<DWORD>(count);
    return TRUE;
}

BOOL WINAPI InternetSetOptionA(HINTERNET hInternet, DWORD dwOption, LPVOID lpBuffer, DWORD dwBufferLength)
{
    sim::ApiCall api_call;
    auto* handle = sim::find_internet(hInternet);
    if (hInternet && !handle)
        return sim::fail(ERROR_INVALID_HANDLE, FALSE);
    if (dwOption != INTERNET_OPTION_CONNECT_TIMEOUT && dwOption != INTERNET_OPTION_RECEIVE_TIMEOUT
        && dwOption != INTERNET_OPTION_SEND_TIMEOUT)
        return sim::fail(ERROR_INVALID_PARAMETER, FALSE);
    if (!lpBuffer || dwBufferLength < sizeof(DWORD))
        return sim::fail(ERROR_INSUFFICIENT_BUFFER, FALSE);
    DWORD milliseconds = 0;
    std::memcpy(&milliseconds, lpBuffer, sizeof(DWORD));
    auto& timeouts = handle ? handle->timeouts : sim::internet().defaults;
    if (dwOption == INTERNET_OPTION_CONNECT_TIMEOUT)
        timeouts.connect_ms = milliseconds;
    if (dwOption == INTERNET_OPTION_RECEIVE_TIMEOUT)
        timeouts.receive_ms = milliseconds;
    return TRUE;
}

BOOL WINAPI HttpQueryInfoA(HINTERNET hRequest, DWORD dwInfoLevel, LPVOID lpBuffer, LPDWORD lpdwBufferLength,
    LPDWORD)
{
    sim::ApiCall api_call;
    auto* request = sim::find_internet(hRequest);
    if (!request || !request->is_request)
        return sim::fail(ERROR_INVALID_HANDLE, FALSE);
    if ((dwInfoLevel & 0xFFFF) != HTTP_QUERY_STATUS_CODE || !lpdwBufferLength)
        return sim::fail(ERROR_INVALID_PARAMETER, FALSE);
    if (dwInfoLevel & HTTP_QUERY_FLAG_NUMBER) {
        if (*lpdwBufferLength < sizeof(DWORD) || !lpBuffer) {
            *lpdwBufferLength = sizeof(DWORD);
            return sim::fail(ERROR_INSUFFICIENT_BUFFER, FALSE);
        }
        DWORD status = static_cast<DWORD>(request->status);
        std::memcpy(lpBuffer, &status, sizeof(status));
        *lpdwBufferLength = sizeof(DWORD);
        return TRUE;
    }
    char text[16];
    int length = std::snprintf(text, sizeof(text), "%d", request->status);
    if (*lpdwBufferLength < static_cast<DWORD>(length + 1) || !lpBuffer) {
        *lpdwBufferLength = static_cast<DWORD>(length + 1);
        return sim::fail(ERROR_INSUFFICIENT_BUFFER, FALSE);
    }
    std::memcpy(lpBuffer, text, length + 1);
    *lpdwBufferLength = static_cast<DWORD>(length);
    return TRUE;
}

BOOL WINAPI InternetCloseHandle(HINTERNET hInternet)
{
    sim::ApiCall api_call;
    if (!sim::find_internet(hInternet))
        return sim::fail(ERROR_INVALID_HANDLE, FALSE);
    sim::handles().remove(hInternet);
    return TRUE;
}
