#pragma once

#include <cstddef>
#include <string>

#include "check/string_set.h"

namespace vorlent::bench {

// Mail-like text in code page 932: words of ASCII, runs of hiragana and
// katakana, kanji drawn with a skewed frequency, punctuation, some quoted
// lines ("> "); a CR LF every 40 to 100 bytes. The same seed gives the same
// text.
std::string MakeBody(std::size_t size, unsigned seed);

// Names and code names as users list them (kanji, katakana and ASCII, with
// beginnings as common as in the text), each ending in a kanji that MakeBody
// never writes, so none is found and a check has to read the whole body.
StringSet MakeAbsentStrings(std::size_t count, unsigned seed);

// The commonest kanji of MakeBody's text followed by one it never writes:
// four bytes, like a check string of two kanji, and not found.
std::string MakeAbsentShortString();

// Check strings of one kanji, two bytes, as users write them (秘, 済): up to
// 32 kanji whose lead byte is a common one in MakeBody's text but which it
// never writes, not even across a character boundary.
StringSet MakeAbsentKanji(std::size_t count);

// Check strings of two kanji, four bytes (添付, 至急): a kanji of the text
// followed by one it never writes.
StringSet MakeAbsentKanjiPairs(std::size_t count, unsigned seed);

}  // namespace vorlent::bench
