// The time of day the program reads (GetLocalTime, GetSystemTime): a calendar that moves with the
// virtual clock, and that the driver can set as a user sets the computer's clock.
#pragma once

namespace sim {

// Sets the clock to this time of today; from then on it moves with the virtual clock.
void set_time_of_day(int hour, int minute, int second);

// Puts the calendar back to the moment every fresh desktop starts at.
void reset_time_of_day();

}
