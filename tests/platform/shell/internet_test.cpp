#include "platform/win32.h"
#include "platform/sim/desktop.h"
#include "platform/sim/shell/internet.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Internet : public testing::Test {
protected:
    void SetUp() override { sim::reset_desktop(); }

    static std::string read_all(HINTERNET request)
    {
        std::string text;
        char buffer[5];
        DWORD read = 0;
        while (InternetReadFile(request, buffer, sizeof(buffer), &read) && read)
            text.append(buffer, read);
        return text;
    }
};

TEST_F(Internet, NothingAnswersByDefault)
{
    HINTERNET session = InternetOpenA("Kelmor", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    ASSERT_NE(session, nullptr);
    EXPECT_EQ(InternetOpenUrlA(session, "http://update.example/version.txt", nullptr, 0, INTERNET_FLAG_RELOAD, 0),
        nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INTERNET_NAME_NOT_RESOLVED));
    EXPECT_EQ(sim::http_requests().size(), 1u);
    EXPECT_EQ(GetTickCount(), 0u);
    EXPECT_TRUE(InternetCloseHandle(session));
}

TEST_F(Internet, AnAnswerSetForAnAddressIsReadInPieces)
{
    sim::set_http_answer("http://update.example/version.txt", { "3.1.2", 200, 0 });
    HINTERNET session = InternetOpenA("Kelmor", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    HINTERNET request = InternetOpenUrlA(session, "http://update.example/version.txt", nullptr, 0, 0, 0);
    ASSERT_NE(request, nullptr);
    DWORD status = 0;
    DWORD size = sizeof(status);
    ASSERT_TRUE(HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr));
    EXPECT_EQ(status, 200u);
    EXPECT_EQ(read_all(request), "3.1.2");
    InternetCloseHandle(request);
    InternetCloseHandle(session);
}

TEST_F(Internet, ASlowAnswerTimesOutAfterTheTimeOut)
{
    sim::set_http_answer("http://slow.example/", { "late", 200, 90000 });
    HINTERNET session = InternetOpenA("Kelmor", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    DWORD timeout = 5000;
    ASSERT_TRUE(InternetSetOptionA(session, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof(timeout)));
    EXPECT_EQ(InternetOpenUrlA(session, "http://slow.example/", nullptr, 0, 0, 0), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INTERNET_TIMEOUT));
    EXPECT_EQ(GetTickCount(), 5000u);
    InternetCloseHandle(session);
}

}
