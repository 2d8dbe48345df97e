#include "message_text.h"

#include <optional>

namespace vorlent::tool {
namespace {

using text::TextEncoding;

constexpr std::string_view kCrLf = "\r\n";

// The encoding and the text after its byte order mark, if it has one.
text::DetectedText Interpret(std::string_view bytes, MessageEncoding encoding) {
    const auto withoutMark = [bytes](std::string_view mark) {
        return bytes.starts_with(mark) ? bytes.substr(mark.size()) : bytes;
    };
    switch (encoding) {
        case MessageEncoding::kDetect:
            return text::DetectTextEncoding(bytes);
        case MessageEncoding::kCp932:
            return {TextEncoding::kAnsi, bytes};
        case MessageEncoding::kUtf8:
            return {TextEncoding::kUtf8, withoutMark("\xEF\xBB\xBF")};
        case MessageEncoding::kUtf16LittleEndian:
            return {TextEncoding::kUtf16LittleEndian, withoutMark("\xFF\xFE")};
        case MessageEncoding::kUtf16BigEndian:
            return {TextEncoding::kUtf16BigEndian, withoutMark("\xFE\xFF")};
    }
    return text::DetectTextEncoding(bytes);
}

// The length of the line end at offset, 0 when there is none.
std::size_t LineEndAt(std::u16string_view text, std::size_t offset, bool exactLineEnds) {
    const char16_t unit = text[offset];
    const bool crLf = unit == u'\r' && offset + 1 < text.size() && text[offset + 1] == u'\n';
    if (crLf) {
        return 2;
    }
    return !exactLineEnds && (unit == u'\r' || unit == u'\n') ? 1 : 0;
}

// One line in code page 932, each character the code page lacks as '?'.
std::string EncodeLine(std::u16string_view line, std::size_t lineNumber,
                       std::vector<MissingCharacter>& missing) {
    text::Cp932Text whole = text::EncodeCp932(line, text::JisVariants::kKeep);
    if (whole.IsComplete()) {
        return std::move(whole.bytes);
    }
    for (const char32_t codePoint : whole.missing) {
        missing.push_back({lineNumber, codePoint});
    }
    return Cp932WithQuestionMarks(line);
}

}  // namespace

std::string Cp932WithQuestionMarks(std::u16string_view text) {
    text::Cp932Text whole = text::EncodeCp932(text, text::JisVariants::kKeep);
    if (whole.IsComplete()) {
        return std::move(whole.bytes);
    }
    std::string bytes;
    for (std::size_t at = 0; at < text.size();) {
        const bool pair = at + 1 < text.size() && text[at] >= 0xD800 && text[at] <= 0xDBFF &&
                          text[at + 1] >= 0xDC00 && text[at + 1] <= 0xDFFF;
        const std::size_t length = pair ? 2 : 1;
        const text::Cp932Text character =
            text::EncodeCp932(text.substr(at, length), text::JisVariants::kKeep);
        bytes += character.IsComplete() ? character.bytes : "?";
        at += length;
    }
    return bytes;
}

std::string UnifyLineEnds(std::string_view text) {
    std::string unified;
    unified.reserve(text.size() + text.size() / 32);
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char byte = text[at];
        if (byte == '\r' || byte == '\n') {
            unified += kCrLf;
            if (byte == '\r' && at + 1 < text.size() && text[at + 1] == '\n') {
                ++at;
            }
        } else {
            unified += byte;
        }
    }
    return unified;
}

MessageText PrepareMessage(std::string_view fileBytes, MessageEncoding encoding,
                           bool exactLineEnds) {
    const text::DetectedText detected = Interpret(fileBytes, encoding);
    MessageText message{detected.encoding, {}, {}};
    std::optional<std::u16string> unicode = text::DecodeUnicode(detected.encoding, detected.body);
    if (!unicode) {
        message.body = exactLineEnds ? std::string(detected.body) : UnifyLineEnds(detected.body);
        return message;
    }
    text::FoldJisVariants(*unicode);
    const std::u16string_view whole = *unicode;
    std::size_t lineNumber = 1;
    std::size_t lineStart = 0;
    for (std::size_t at = 0; at <= whole.size(); ++at) {
        const std::size_t endLength = at < whole.size() ? LineEndAt(whole, at, exactLineEnds) : 0;
        if (at < whole.size() && endLength == 0) {
            continue;
        }
        message.body +=
            EncodeLine(whole.substr(lineStart, at - lineStart), lineNumber, message.missing);
        if (at == whole.size()) {
            break;
        }
        message.body += kCrLf;
        at += endLength - 1;
        lineStart = at + 1;
        ++lineNumber;
    }
    return message;
}

}  // namespace vorlent::tool
