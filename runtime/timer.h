// Timer: raises its Timer event every Interval milliseconds while Enabled. A tick never starts
// while the previous one of the same timer is still running.
#pragma once

#include "runtime/control.h"

namespace runtime {

// Timer ticks run inside other ticks when a handler pumps messages. A tick starts inside at most
// one other, so that however many windows pump messages in their ticks, every chain of nested
// ticks stays two deep and the outermost tick returns.
inline constexpr int MaxTickNesting = 2;
// The timer ticks running now, one inside the other.
int timer_ticks_in_progress();

class Timer : public Control {
public:
    Timer(Container& container, std::string name, int index = -1);
    ~Timer() override;

    using Control::Enabled;
    void Enabled(bool enabled) override;
    long Interval() const { return m_interval; }
    void Interval(long milliseconds);

    EventHandler on_timer;

protected:
    friend class Form;

    bool is_windowed() const override { return false; }
    bool is_hit(POINT) const override { return false; }

private:
    // Starts or stops the system timer to match Enabled and Interval.
    void update();
    void stop();
    void tick();

    int m_id = 0;
    long m_interval = 0;
    bool m_is_running = false;
    bool m_is_ticking = false;
};

}
