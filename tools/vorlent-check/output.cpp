#include "output.h"

#include <optional>
#include <string>

#include "config/text_encoding.h"
#include "message_text.h"

namespace vorlent::tool {

void Output::Print(Stream stream, std::string_view utf8) const {
    std::string line(utf8);
    line += '\n';
    if (WriteToConsole(stream, line)) {
        return;
    }
    if (utf8_) {
        WriteBytes(stream, line);
        return;
    }
    // The same table as the messages', so both builds write the same bytes.
    const std::optional<std::u16string> text = text::DecodeUnicode(text::TextEncoding::kUtf8, line);
    WriteBytes(stream, Cp932WithQuestionMarks(text.value_or(u"")));
}

}  // namespace vorlent::tool
