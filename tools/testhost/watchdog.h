#pragma once

#include <windows.h>

#include "results_log.h"

// Ends the process if the run has not finished in time, and on a crash, after
// noting either in the results: nothing may keep a test waiting, and no crash
// dialog may stay on the screen.
class Watchdog {
  public:
    Watchdog() = default;
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
    // Stops watching (the run finished).
    ~Watchdog();

    bool Start(DWORD milliseconds);

    static constexpr UINT kTimedOutExitCode = 3;
    static constexpr UINT kCrashedExitCode = 4;

  private:
    static DWORD WINAPI Watch(LPVOID self);

    DWORD milliseconds_ = 0;
    UniqueHandle finished_;
    UniqueHandle thread_;
};
