// CQuotedList on any value: it must not fail, and its items must survive a
// round trip: each item quoted (quotation marks doubled) and followed by a
// comma parses back to the same items. The trailing comma keeps an empty
// last item, which a value ending in it would drop.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "config/quoted_list.h"

namespace {

std::string Quote(const std::string& item) {
    std::string quoted = "\"";
    for (const char byte : item) {
        quoted += byte;
        if (byte == '"') {
            quoted += '"';
        }
    }
    return quoted + "\",";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The value comes from a profile as a NUL-terminated string.
    std::string_view value(reinterpret_cast<const char*>(data), size);
    value = value.substr(0, value.find('\0'));
    const vorlent::CQuotedList list(value);
    if (list.GetCount() > value.size() + 1) {
        std::fprintf(stderr, "more items than a value of %zu bytes can hold\n", value.size());
        std::abort();
    }
    std::string requoted;
    for (const std::string& item : list.Items()) {
        requoted += Quote(item);
    }
    if (vorlent::CQuotedList(requoted).Items() != list.Items()) {
        std::fprintf(stderr, "quoted items do not parse back to themselves\n");
        std::abort();
    }
    return 0;
}
