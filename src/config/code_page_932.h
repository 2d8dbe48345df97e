#pragma once

#include <cstddef>
#include <string_view>

namespace vorlent::cp932 {

// Code page 932 writes a character in one byte or in two: a lead byte followed
// by a trail byte. Trail bytes overlap ASCII ('@' to '~'), so where a
// character starts can only be told by reading from a known boundary, such as
// the start of a line.
constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

constexpr bool IsTrailByte(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// The length of the character that starts at offset: 2 for a lead byte with a
// trail byte after it, else 1 (a lead byte without a trail stands alone).
std::size_t CharacterLength(std::string_view text, std::size_t offset);

// The length of the character at offset as the platform's decoder reads it:
// a lead byte takes the byte after it, whatever that is (a line break or an
// '=' too), unless it is a NUL or the text ends; an invalid pair becomes one
// replacement character.
std::size_t DecoderUnitLength(std::string_view text, std::size_t offset);

// True when offset falls on the second byte of a two-byte character, reading
// the text from its start.
bool IsInsideCharacter(std::string_view text, std::size_t offset);

}  // namespace vorlent::cp932
