#include "timing/timer_platform.h"

namespace quorvel {

void RaiseTimerResolution() {}
void RestoreTimerResolution() {}
void ApplyThreadPriority(TThreadPriority) {}

}  // namespace quorvel
