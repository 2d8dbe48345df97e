#include <windows.h>

#include <string>

#include "text_codec.h"

namespace vorlent::tool {
namespace {

constexpr UINT kCodePage932 = 932;

std::optional<std::wstring> ToWide(UINT codePage, std::string_view text) {
    if (text.empty()) {
        return std::wstring();
    }
    const int size = static_cast<int>(text.size());
    const int length =
        ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length == 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), length);
    return wide;
}

// A character the code page lacks is an error, not a silent '?' or a
// look-alike: the check must see the bytes the user means.
std::optional<std::string> FromWide(UINT codePage, const std::wstring& wide) {
    if (wide.empty()) {
        return std::string();
    }
    const int size = static_cast<int>(wide.size());
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = codePage == CP_UTF8 ? nullptr : &usedDefault;
    const int length = ::WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0,
                                             nullptr, usedDefaultOut);
    if (length == 0 || usedDefault) {
        return std::nullopt;
    }
    std::string text(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(codePage, flags, wide.data(), size, text.data(), length, nullptr,
                          nullptr);
    return text;
}

class Win32TextCodec : public TextCodec {
  public:
    std::optional<std::string> Utf8ToCp932(std::string_view utf8) const override {
        const std::optional<std::wstring> wide = ToWide(CP_UTF8, utf8);
        if (!wide) {
            return std::nullopt;
        }
        return FromWide(kCodePage932, *wide);
    }

    std::optional<std::string> Cp932CharacterToUtf8(std::string_view character) const override {
        const std::optional<std::wstring> wide = ToWide(kCodePage932, character);
        if (!wide) {
            return std::nullopt;
        }
        return FromWide(CP_UTF8, *wide);
    }

    bool OutputIsUtf8() const override { return ::GetConsoleOutputCP() == CP_UTF8; }
};

}  // namespace

const TextCodec& PlatformTextCodec() {
    static const Win32TextCodec codec;
    return codec;
}

}  // namespace vorlent::tool
