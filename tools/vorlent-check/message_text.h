#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "config/text_encoding.h"
#include "options.h"

namespace vorlent::tool {

// A character of a message that code page 932 lacks, and the line it is in.
struct MissingCharacter {
    std::size_t lineNumber;  // 1-based
    char32_t codePoint;
};

// A message file as the mail client would hand its body to the plug-in:
// code page 932 with CR LF line ends.
struct MessageText {
    text::TextEncoding encoding;  // as read
    std::string body;
    // In text order; each character once per line. The body holds '?' in
    // their place, as an editor that works in the code page would.
    std::vector<MissingCharacter> missing;
};

// Reads the file's bytes in the given encoding (or the detected one), folds
// the JIS variants of a Unicode text to the forms code page 932 holds, and
// unless exactLineEnds ends every line with CR LF, whether the file ended it
// with CR LF, LF or CR.
MessageText PrepareMessage(std::string_view fileBytes, MessageEncoding encoding,
                           bool exactLineEnds);

// The text in code page 932, each character the code page lacks as '?'.
std::string Cp932WithQuestionMarks(std::u16string_view text);

// Every CR LF, lone LF and lone CR made a CR LF; for code page 932 bytes too,
// as neither byte is ever the second byte of a character there.
std::string UnifyLineEnds(std::string_view text);

}  // namespace vorlent::tool
