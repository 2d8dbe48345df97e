#include "event_line.h"

#include "hex_text.h"
#include "text_encoding.h"

EventLine& EventLine::Add(std::string_view name, std::string_view value) {
    text_ += ' ';
    text_ += name;
    text_ += '=';
    // An empty plain value is written "-" so that only an empty hex text is empty.
    text_ += value.empty() ? std::string_view("-") : value;
    return *this;
}

EventLine& EventLine::Add(std::string_view name, long long value) {
    return Add(name, std::string_view(std::to_string(value)));
}

EventLine& EventLine::Hex(std::string_view name, std::string_view bytes) {
    // An empty byte text leaves the value empty, which no other field does.
    text_ += ' ';
    text_ += name;
    text_ += '=';
    text_ += vorlent::tool::ToHex(bytes);
    return *this;
}

EventLine& EventLine::Pointer(std::string_view name, const void* pointer) {
    return Add(name, std::string_view(PointerText(pointer)));
}
