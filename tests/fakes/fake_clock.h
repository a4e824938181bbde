#pragma once
// A clock the test moves by hand: time passing (both clocks advance, also "asleep"), and the
// wall clock set on its own (a clock change, a time-zone change, daylight saving).
#include "ports/clock.h"

namespace klaxora::testing {

class FakeClock : public ClockPort {
  public:
    explicit FakeClock(LocalDateTime local = {2026, 3, 14, 12, 0, 0, 0}) { now_.local = local; }

    ClockReading Now() override { return now_; }

    // Real time passes: the monotonic clock and the wall clock move together.
    void Pass(int64_t ms) {
        now_.monotonicMs += ms;
        now_.local = AddMilliseconds(now_.local, ms);
        now_.utcMs += ms;
    }
    // The wall clock is set; no real time passes.
    void SetLocal(LocalDateTime local) { now_.local = local; }

  private:
    ClockReading now_;
};

inline LocalDateTime At(int h, int m, int s, int ms = 0, int day = 14) {
    return LocalDateTime{2026, 3, day, h, m, s, ms};
}

}  // namespace klaxora::testing
