#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "event_line.h"

// An owned kernel handle, closed when it goes.
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept;
    ~UniqueHandle() { Close(); }

    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Release();

  private:
    void Close();
    HANDLE handle_ = nullptr;
};

// Where the host reports: the results file, one event per line, written
// straight through so a run cut short by the watchdog still leaves its
// events; and an optional UTF-8 transcript for people ("-" is the console).
// Both may be written from the watchdog thread too.
class ResultsLog {
  public:
    ResultsLog();
    ResultsLog(const ResultsLog&) = delete;
    ResultsLog& operator=(const ResultsLog&) = delete;
    ~ResultsLog();

    bool Open(const std::wstring& resultsPath, const std::wstring& transcriptPath);
    void Event(const EventLine& line);
    void Say(std::string_view utf8Line);

  private:
    void WriteLine(HANDLE file, std::string_view line);

    CRITICAL_SECTION lock_;
    UniqueHandle results_;
    UniqueHandle transcript_;
    HANDLE transcriptTarget_ = nullptr;
};

ResultsLog& Log();
