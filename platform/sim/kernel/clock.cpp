// Time as the program reads it: the desktop's virtual clock, and a calendar that starts at a fixed
// moment and moves with that clock, so that every run sees the same dates.
#include "platform/sim/kernel/clock.h"

#include "platform/api/kernel.h"
#include "platform/sim/kernel/desktop_link.h"
#include "platform/sim/user/process_faults.h"

namespace {

// The simulated machine was switched on at Monday, 2 November 2009, 10:00:00.000 (local time,
// which is also the time zone's UTC).
constexpr int64_t start_day = 14550; // Days from 1 January 1970.
constexpr int64_t start_millisecond_of_day = 10 * 3600 * 1000;
constexpr int64_t milliseconds_per_day = 24 * 3600 * 1000;

// How far the calendar has been set away from the start moment plus the virtual clock.
int64_t& calendar_offset()
{
    static int64_t offset = 0;
    return offset;
}

// Milliseconds since midnight of the start day.
int64_t calendar_now()
{
    return start_millisecond_of_day + static_cast<int64_t>(sim::kernel::now_ms()) + calendar_offset();
}

// Converts a count of days since 1 January 1970 into a proleptic Gregorian date.
void civil_from_days(int64_t days, int& year, int& month, int& day)
{
    days += 719468;
    int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    int64_t day_of_era = days - era * 146097;
    int64_t year_of_era = (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    int64_t shifted_month = (5 * day_of_year + 2) / 153;
    day = static_cast<int>(day_of_year - (153 * shifted_month + 2) / 5 + 1);
    month = static_cast<int>(shifted_month < 10 ? shifted_month + 3 : shifted_month - 9);
    year = static_cast<int>(year_of_era + era * 400 + (month <= 2 ? 1 : 0));
}

void fill_time(LPSYSTEMTIME time)
{
    if (!time)
        return;
    int64_t total = calendar_now();
    int64_t days = start_day + total / milliseconds_per_day;
    int64_t in_day = total % milliseconds_per_day;
    int year = 0;
    int month = 0;
    int day = 0;
    civil_from_days(days, year, month, day);
    time->wYear = static_cast<WORD>(year);
    time->wMonth = static_cast<WORD>(month);
    time->wDay = static_cast<WORD>(day);
    // 1 January 1970 was a Thursday (4, counting Sunday as 0).
    time->wDayOfWeek = static_cast<WORD>((days + 4) % 7);
    time->wHour = static_cast<WORD>(in_day / 3600000);
    time->wMinute = static_cast<WORD>(in_day / 60000 % 60);
    time->wSecond = static_cast<WORD>(in_day / 1000 % 60);
    time->wMilliseconds = static_cast<WORD>(in_day % 1000);
}

}

namespace sim {

void set_time_of_day(int hour, int minute, int second)
{
    int64_t today = calendar_now() / milliseconds_per_day * milliseconds_per_day;
    int64_t wanted = today + ((hour * 60LL + minute) * 60 + second) * 1000;
    calendar_offset() += wanted - calendar_now();
}

void reset_time_of_day()
{
    calendar_offset() = 0;
}

}

DWORD WINAPI GetTickCount(void)
{
    sim::ApiCall api_call;
    return static_cast<DWORD>(sim::kernel::now_ms());
}

void WINAPI Sleep(DWORD dwMilliseconds)
{
    sim::ApiCall api_call;
    sim::kernel::let_time_pass(dwMilliseconds);
}

void WINAPI GetLocalTime(LPSYSTEMTIME lpSystemTime)
{
    sim::ApiCall api_call;
    fill_time(lpSystemTime);
}

void WINAPI GetSystemTime(LPSYSTEMTIME lpSystemTime)
{
    sim::ApiCall api_call;
    fill_time(lpSystemTime);
}
