#include "watchdog.h"

#include "event_line.h"
#include "text_encoding.h"

namespace {

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* exception) {
    const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
    Log().Event(EventLine("crash")
                    .Add("code", NumberText(record.ExceptionCode))
                    .Pointer("address", record.ExceptionAddress));
    Log().Say("!! the host crashed");
    ::TerminateProcess(::GetCurrentProcess(), Watchdog::kCrashedExitCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

Watchdog::~Watchdog() {
    if (finished_.Valid()) {
        ::SetEvent(finished_.Get());
    }
    if (thread_.Valid()) {
        ::WaitForSingleObject(thread_.Get(), INFINITE);
    }
}

bool Watchdog::Start(DWORD milliseconds) {
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    ::SetUnhandledExceptionFilter(ReportCrash);
    milliseconds_ = milliseconds;
    finished_ = UniqueHandle(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!finished_.Valid()) {
        return false;
    }
    thread_ = UniqueHandle(::CreateThread(nullptr, 0, Watch, this, 0, nullptr));
    return thread_.Valid();
}

DWORD WINAPI Watchdog::Watch(LPVOID self) {
    auto& watchdog = *static_cast<Watchdog*>(self);
    if (::WaitForSingleObject(watchdog.finished_.Get(), watchdog.milliseconds_) == WAIT_TIMEOUT) {
        Log().Event(EventLine("watchdog")
                        .Add("milliseconds", static_cast<long long>(watchdog.milliseconds_)));
        Log().Say("!! the run took too long and was stopped");
        ::TerminateProcess(::GetCurrentProcess(), kTimedOutExitCode);
    }
    return 0;
}
