#pragma once

#include <cstddef>

namespace vorlent {

// The searches for one byte that every send makes over the whole body: for
// the NUL that ends the host's block and for the LF of each line end. The C
// library's memchr would do, but how fast it is depends on whose library the
// plug-in lands on (Wine's reads a byte at a time); this runs sixteen bytes
// at a time wherever the plug-in runs.
//
// The first `byte` among the `count` bytes at `text`, or null. Only 16-byte
// blocks that lie on the page of a byte looked at, up to the first match,
// are read. So
// `count` may run past the end of a NUL-terminated text when the byte is the
// NUL, and nothing on a page after the match's is read.
const char* FindByte(const char* text, std::size_t count, char byte);

inline const char* FindNul(const char* text, std::size_t count) {
    return FindByte(text, count, '\0');
}

}  // namespace vorlent
