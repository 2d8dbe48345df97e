#pragma once

#if defined(__unix__)
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <stdexcept>

namespace vorlent::testing_support {

// Readable pages followed directly by pages that cannot be read: code that
// reads past what a test put at the end of the readable ones crashes there.
class GuardedPages {
  public:
    GuardedPages(std::size_t readablePages, std::size_t unreadablePages)
        : page_(static_cast<std::size_t>(sysconf(_SC_PAGESIZE))),
          readable_(readablePages * page_),
          size_(readable_ + unreadablePages * page_) {
        void* memory =
            mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (memory == MAP_FAILED) {
            throw std::runtime_error("mmap failed");
        }
        bytes_ = static_cast<char*>(memory);
        if (mprotect(bytes_ + readable_, size_ - readable_, PROT_NONE) != 0) {
            munmap(bytes_, size_);
            throw std::runtime_error("mprotect failed");
        }
    }
    ~GuardedPages() { munmap(bytes_, size_); }
    GuardedPages(const GuardedPages&) = delete;
    GuardedPages& operator=(const GuardedPages&) = delete;

    static std::size_t PageSize() { return static_cast<std::size_t>(sysconf(_SC_PAGESIZE)); }
    char* Begin() const { return bytes_; }
    // Where the unreadable pages begin.
    char* ReadableEnd() const { return bytes_ + readable_; }
    std::size_t Size() const { return size_; }

  private:
    std::size_t page_;
    std::size_t readable_;
    std::size_t size_;
    char* bytes_ = nullptr;
};

}  // namespace vorlent::testing_support
#endif
