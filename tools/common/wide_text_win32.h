#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace vorlent::tool {

// The longest path the wide file functions take, in UTF-16 units with its
// NUL ("Maximum Path Length Limitation" in the Windows documentation): a
// buffer this size is never too short, so no call needs a second try.
inline constexpr DWORD kLongestPath = 32768;

// Text in the given code page (CP_UTF8, CP_ACP, …) as UTF-16.
std::wstring WideFromCodePage(std::string_view bytes, UINT codePage);

inline std::wstring WideFromUtf8(std::string_view utf8) {
    return WideFromCodePage(utf8, CP_UTF8);
}

std::string Utf8FromWide(std::wstring_view wide);

// The text in the ANSI code page; nullopt when a character has no code there
// (no look-alike is taken instead).
std::optional<std::string> AnsiFromWide(std::wstring_view wide);

}  // namespace vorlent::tool
