#include "config/text_encoding.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace vorlent::text {
namespace {

struct Cp932Mapping {
    std::uint16_t unit;
    std::uint16_t code;  // below 0x100 a single byte, else lead byte and trail byte
};

constexpr Cp932Mapping kCp932Table[] = {
#include "cp932_table.inc"
};

constexpr char16_t kReplacement = u'\uFFFD';

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// One UTF-8 sequence at offset: its code point and length, or nullopt when it
// is malformed (then one byte is skipped).
std::optional<char32_t> DecodeUtf8Sequence(std::string_view bytes, std::size_t offset,
                                           std::size_t& length) {
    length = 1;
    const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned lead = byteAt(offset);
    if (lead < 0x80) {
        return lead;
    }
    std::size_t expected = 0;
    char32_t codePoint = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        expected = 2;
        codePoint = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        expected = 3;
        codePoint = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        expected = 4;
        codePoint = lead & 0x07;
        minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (offset + expected > bytes.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < expected; ++i) {
        const unsigned next = byteAt(offset + i);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        return std::nullopt;
    }
    length = expected;
    return codePoint;
}

void AppendUtf16(char32_t codePoint, std::u16string& out) {
    if (codePoint < 0x10000) {
        out.push_back(static_cast<char16_t>(codePoint));
    } else {
        codePoint -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
    }
}

std::u16string DecodeUtf8(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        std::size_t length = 1;
        const std::optional<char32_t> codePoint = DecodeUtf8Sequence(bytes, at, length);
        AppendUtf16(codePoint.value_or(kReplacement), out);
        at += length;
    }
    return out;
}

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string out;
    out.reserve(bytes.size() / 2 + 1);
    std::size_t at = 0;
    for (; at + 1 < bytes.size(); at += 2) {
        const unsigned first = static_cast<unsigned char>(bytes[at]);
        const unsigned second = static_cast<unsigned char>(bytes[at + 1]);
        out.push_back(
            static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
    }
    if (at < bytes.size()) {
        out.push_back(kReplacement);
    }
    return out;
}

// The code point at offset and the number of code units it takes; an unpaired
// surrogate stands for itself.
char32_t CodePointAt(std::u16string_view text, std::size_t offset, std::size_t& length) {
    const char32_t unit = text[offset];
    length = 1;
    if (IsHighSurrogate(unit) && offset + 1 < text.size() && IsLowSurrogate(text[offset + 1])) {
        length = 2;
        return 0x10000 + ((unit - 0xD800) << 10) + (text[offset + 1] - 0xDC00);
    }
    return unit;
}

std::optional<std::uint16_t> Cp932Code(char32_t codePoint) {
    if (codePoint < 0x80) {
        return static_cast<std::uint16_t>(codePoint);
    }
    if (codePoint > 0xFFFF) {
        return std::nullopt;
    }
    const auto found = std::lower_bound(
        std::begin(kCp932Table), std::end(kCp932Table), codePoint,
        [](const Cp932Mapping& mapping, char32_t unit) { return mapping.unit < unit; });
    if (found == std::end(kCp932Table) || found->unit != codePoint) {
        return std::nullopt;
    }
    return found->code;
}

char16_t FoldedJisVariant(char16_t unit) {
    switch (unit) {
        case u'\u301C':
            return u'\uFF5E';
        case u'\u2016':
            return u'\u2225';
        case u'\u2212':
            return u'\uFF0D';
        case u'\u2014':
            return u'\u2015';
        case u'\u00A2':
            return u'\uFFE0';
        case u'\u00A3':
            return u'\uFFE1';
        case u'\u00AC':
            return u'\uFFE2';
        default:
            return unit;
    }
}

}  // namespace

DetectedText DetectTextEncoding(std::string_view fileBytes) {
    if (fileBytes.starts_with("\xFF\xFE")) {
        return {TextEncoding::kUtf16LittleEndian, fileBytes.substr(2)};
    }
    if (fileBytes.starts_with("\xFE\xFF")) {
        return {TextEncoding::kUtf16BigEndian, fileBytes.substr(2)};
    }
    if (fileBytes.starts_with("\xEF\xBB\xBF")) {
        return {TextEncoding::kUtf8WithBom, fileBytes.substr(3)};
    }
    const bool hasNonAscii = std::any_of(fileBytes.begin(), fileBytes.end(),
                                         [](char byte) { return (byte & 0x80) != 0; });
    if (hasNonAscii && IsValidUtf8(fileBytes)) {
        return {TextEncoding::kUtf8, fileBytes};
    }
    return {TextEncoding::kAnsi, fileBytes};
}

bool IsUnicode(TextEncoding encoding) {
    return encoding != TextEncoding::kAnsi;
}

std::string_view TextEncodingName(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::kAnsi:
            return "code page 932 (Shift_JIS)";
        case TextEncoding::kUtf8:
            return "UTF-8";
        case TextEncoding::kUtf8WithBom:
            return "UTF-8 with BOM";
        case TextEncoding::kUtf16LittleEndian:
            return "UTF-16LE";
        case TextEncoding::kUtf16BigEndian:
            return "UTF-16BE";
    }
    return "unknown";
}

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        std::size_t length = 1;
        if (!DecodeUtf8Sequence(bytes, at, length)) {
            return false;
        }
        at += length;
    }
    return true;
}

std::optional<std::u16string> DecodeUnicode(TextEncoding encoding, std::string_view body) {
    switch (encoding) {
        case TextEncoding::kAnsi:
            return std::nullopt;
        case TextEncoding::kUtf8:
        case TextEncoding::kUtf8WithBom:
            return DecodeUtf8(body);
        case TextEncoding::kUtf16LittleEndian:
            return DecodeUtf16(body, false);
        case TextEncoding::kUtf16BigEndian:
            return DecodeUtf16(body, true);
    }
    return std::nullopt;
}

std::string EncodeUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t at = 0; at < text.size();) {
        std::size_t length = 1;
        char32_t codePoint = CodePointAt(text, at, length);
        at += length;
        if (codePoint >= 0xD800 && codePoint <= 0xDFFF) {
            codePoint = kReplacement;
        }
        if (codePoint < 0x80) {
            out.push_back(static_cast<char>(codePoint));
        } else if (codePoint < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
            out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        } else if (codePoint < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
            out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
            out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        }
    }
    return out;
}

void FoldJisVariants(std::u16string& text) {
    for (char16_t& unit : text) {
        unit = FoldedJisVariant(unit);
    }
}

Cp932Text EncodeCp932(std::u16string_view text, JisVariants variants) {
    Cp932Text result;
    result.bytes.reserve(text.size() * 2);
    for (std::size_t at = 0; at < text.size();) {
        std::size_t length = 1;
        char32_t codePoint = CodePointAt(text, at, length);
        at += length;
        if (variants == JisVariants::kFold && codePoint < 0x10000) {
            codePoint = FoldedJisVariant(static_cast<char16_t>(codePoint));
        }
        const std::optional<std::uint16_t> code = Cp932Code(codePoint);
        if (!code) {
            if (std::find(result.missing.begin(), result.missing.end(), codePoint) ==
                result.missing.end()) {
                result.missing.push_back(codePoint);
            }
            continue;
        }
        if (*code > 0xFF) {
            result.bytes.push_back(static_cast<char>(*code >> 8));
        }
        result.bytes.push_back(static_cast<char>(*code & 0xFF));
    }
    return result;
}

std::string CodePointName(char32_t codePoint) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string digits;
    do {
        digits.insert(digits.begin(), kDigits[codePoint & 0xF]);
        codePoint >>= 4;
    } while (codePoint != 0);
    while (digits.size() < 4) {
        digits.insert(digits.begin(), '0');
    }
    return "U+" + digits;
}

}  // namespace vorlent::text
