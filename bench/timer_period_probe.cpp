// The 40 ms timer's periods on Windows, where the project's Google Benchmark build is not
// at hand (the cross build): the same measurement as BM_TimerPeriod, printed.
#include <cstdio>

#include "bench/timer_periods.h"

int main() {
    const quorvel::Spread spread = quorvel::SpreadOf(quorvel::MeasureTimerPeriods(100));
    std::printf("timer period 40 ms: mean %.3f ms, median %.3f ms, p99 %.3f ms\n", spread.mean,
                spread.median, spread.p99);
    return 0;
}
