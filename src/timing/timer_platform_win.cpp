// winmm is taken by name so that a system without it still runs, at the default resolution.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "timing/timer_platform.h"

namespace quorvel {
namespace {

struct TimeCaps {
    uint32_t wPeriodMin;
    uint32_t wPeriodMax;
};

using TimeGetDevCaps = uint32_t(WINAPI*)(TimeCaps*, uint32_t);
using TimePeriod = uint32_t(WINAPI*)(uint32_t);

struct Winmm {
    TimeGetDevCaps getDevCaps = nullptr;
    TimePeriod beginPeriod = nullptr;
    TimePeriod endPeriod = nullptr;
};

template <typename Function>
Function Lookup(HMODULE module, const char* name) {
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const Winmm& WinmmFunctions() {
    static const Winmm winmm = [] {
        HMODULE module = GetModuleHandleW(L"winmm.dll");
        if (module == nullptr) module = LoadLibraryW(L"winmm.dll");
        Winmm w;
        w.getDevCaps = Lookup<TimeGetDevCaps>(module, "timeGetDevCaps");
        w.beginPeriod = Lookup<TimePeriod>(module, "timeBeginPeriod");
        w.endPeriod = Lookup<TimePeriod>(module, "timeEndPeriod");
        return w;
    }();
    return winmm;
}

uint32_t MinimumPeriod() {
    TimeCaps caps;
    std::memset(&caps, 0, sizeof caps);
    if (WinmmFunctions().getDevCaps != nullptr) WinmmFunctions().getDevCaps(&caps, sizeof caps);
    return caps.wPeriodMin;
}

}  // namespace

void RaiseTimerResolution() {
    const uint32_t period = MinimumPeriod();
    if (WinmmFunctions().beginPeriod != nullptr) WinmmFunctions().beginPeriod(period);
}

void RestoreTimerResolution() {
    const uint32_t period = MinimumPeriod();
    if (WinmmFunctions().endPeriod != nullptr) WinmmFunctions().endPeriod(period);
}

void ApplyThreadPriority(TThreadPriority priority) {
    static constexpr int kPriorities[] = {THREAD_PRIORITY_IDLE,         THREAD_PRIORITY_LOWEST,
                                          THREAD_PRIORITY_BELOW_NORMAL, THREAD_PRIORITY_NORMAL,
                                          THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST,
                                          THREAD_PRIORITY_TIME_CRITICAL};
    SetThreadPriority(GetCurrentThread(), kPriorities[static_cast<int>(priority)]);
}

}  // namespace quorvel
