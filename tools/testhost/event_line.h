#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// One line of the results file: a kind, then `name=value` fields separated by
// single blanks. Values never hold a blank; byte texts go in as hex.
class EventLine {
  public:
    explicit EventLine(std::string_view kind) : text_(kind) {}

    EventLine& Add(std::string_view name, std::string_view value);
    EventLine& Add(std::string_view name, const char* value) {
        return Add(name, std::string_view(value));
    }
    EventLine& Add(std::string_view name, long long value);
    EventLine& Add(std::string_view name, int value) {
        return Add(name, static_cast<long long>(value));
    }
    EventLine& Add(std::string_view name, bool value) { return Add(name, value ? 1LL : 0LL); }
    EventLine& Hex(std::string_view name, std::string_view bytes);
    EventLine& Pointer(std::string_view name, const void* pointer);

    const std::string& Text() const { return text_; }

  private:
    std::string text_;
};
