#pragma once

#include <set>
#include <string>

namespace vorlent {

// Texts are code-page bytes, never decoded. std::string compares through
// char_traits<char>, which orders by unsigned byte value, so bytes 0x80 and
// above (double-byte lead bytes) sort after ASCII and a proper prefix first.
using ByteString = std::string;
using StringSet = std::set<ByteString>;

}  // namespace vorlent
