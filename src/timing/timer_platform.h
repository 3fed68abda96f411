#pragma once

namespace quorvel {

enum class TThreadPriority {
    tpIdle,
    tpLowest,
    tpLower,
    tpNormal,
    tpHigher,
    tpHighest,
    tpTimeCritical
};

// Raises the system timer resolution to its finest step for the life of one timer thread
// (winmm's timeBeginPeriod on Windows, found by name; a missing function is skipped).
// Linux sleeps with high resolution already: nothing to raise.
void RaiseTimerResolution();
void RestoreTimerResolution();

// Gives the calling thread the priority (Windows); the Linux scheduler is left alone.
void ApplyThreadPriority(TThreadPriority priority);

}  // namespace quorvel
