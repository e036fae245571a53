#include "runtime/timer.h"

#include "runtime/error.h"
#include "runtime/form.h"

namespace runtime {

namespace {

int ticks_in_progress = 0;

}

int timer_ticks_in_progress()
{
    return ticks_in_progress;
}

Timer::Timer(Container& container, std::string name, int index)
    : Control(container, std::move(name), index)
{
    m_is_visible = false;
    m_id = form().register_timer(*this);
}

Timer::~Timer()
{
    stop();
}

void Timer::Enabled(bool enabled)
{
    m_is_enabled = enabled;
    update();
}

void Timer::Interval(long milliseconds)
{
    if (milliseconds < 0 || milliseconds > 65535)
        raise(ErrInvalidPropertyValue, "Invalid property value");
    if (milliseconds == m_interval)
        return;
    m_interval = milliseconds;
    stop();
    update();
}

void Timer::update()
{
    HWND window = form().hWnd();
    bool should_run = window && m_is_enabled && m_interval > 0;
    if (should_run == m_is_running)
        return;
    if (!should_run) {
        stop();
        return;
    }
    m_is_running = SetTimer(window, static_cast<UINT_PTR>(m_id), static_cast<UINT>(m_interval), nullptr) != 0;
}

void Timer::stop()
{
    if (!m_is_running)
        return;
    m_is_running = false;
    if (HWND window = form().hWnd())
        KillTimer(window, static_cast<UINT_PTR>(m_id));
}

void Timer::tick()
{
    if (!m_is_running || m_is_ticking || ticks_in_progress >= MaxTickNesting)
        return;
    m_is_ticking = true;
    ++ticks_in_progress;
    struct TickEnd {
        bool& is_ticking;
        ~TickEnd()
        {
            is_ticking = false;
            --ticks_in_progress;
        }
    } tick_end { m_is_ticking };
    raise_event(on_timer);
}

}
