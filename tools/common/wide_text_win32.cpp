#include "wide_text_win32.h"

namespace vorlent::tool {

std::wstring WideFromCodePage(std::string_view bytes, UINT codePage) {
    if (bytes.empty()) {
        return {};
    }
    const int size = static_cast<int>(bytes.size());
    const int length = ::MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), length);
    return wide;
}

std::string Utf8FromWide(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int size = static_cast<int>(wide.size());
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::optional<std::string> AnsiFromWide(std::wstring_view wide) {
    if (wide.empty()) {
        return std::string();
    }
    const int size = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size,
                                             nullptr, 0, nullptr, &usedDefault);
    if (length == 0 || usedDefault) {
        return std::nullopt;
    }
    std::string ansi(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, ansi.data(), length,
                          nullptr, nullptr);
    return ansi;
}

}  // namespace vorlent::tool
