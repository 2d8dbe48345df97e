#include "results_log.h"

UniqueHandle& UniqueHandle::operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
        Close();
        handle_ = other.Release();
    }
    return *this;
}

HANDLE UniqueHandle::Release() {
    const HANDLE handle = handle_;
    handle_ = nullptr;
    return handle;
}

void UniqueHandle::Close() {
    if (Valid()) {
        ::CloseHandle(handle_);
    }
    handle_ = nullptr;
}

namespace {

UniqueHandle CreateForWriting(const std::wstring& path) {
    return UniqueHandle(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

ResultsLog::ResultsLog() {
    ::InitializeCriticalSection(&lock_);
}

ResultsLog::~ResultsLog() {
    ::DeleteCriticalSection(&lock_);
}

bool ResultsLog::Open(const std::wstring& resultsPath, const std::wstring& transcriptPath) {
    results_ = CreateForWriting(resultsPath);
    if (!results_.Valid()) {
        return false;
    }
    if (transcriptPath == L"-") {
        transcriptTarget_ = ::GetStdHandle(STD_OUTPUT_HANDLE);
    } else if (!transcriptPath.empty()) {
        transcript_ = CreateForWriting(transcriptPath);
        if (!transcript_.Valid()) {
            return false;
        }
        transcriptTarget_ = transcript_.Get();
    }
    return true;
}

void ResultsLog::Event(const EventLine& line) {
    WriteLine(results_.Get(), line.Text());
}

void ResultsLog::Say(std::string_view utf8Line) {
    if (transcriptTarget_ != nullptr && transcriptTarget_ != INVALID_HANDLE_VALUE) {
        WriteLine(transcriptTarget_, utf8Line);
    }
}

void ResultsLog::WriteLine(HANDLE file, std::string_view line) {
    if (file == nullptr || file == INVALID_HANDLE_VALUE) {
        return;
    }
    std::string text(line);
    text += '\n';
    ::EnterCriticalSection(&lock_);
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::LeaveCriticalSection(&lock_);
}

ResultsLog& Log() {
    static ResultsLog log;
    return log;
}
