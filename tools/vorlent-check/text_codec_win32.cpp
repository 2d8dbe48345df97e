#include <windows.h>

#include <string>

#include "text_codec.h"
#include "wide_text_win32.h"

namespace vorlent::tool {
namespace {

constexpr UINT kCodePage932 = 932;

class Win32TextCodec : public TextCodec {
  public:
    std::optional<std::string> Cp932CharacterToUtf8(std::string_view character) const override {
        const int size = static_cast<int>(character.size());
        wchar_t wide[2];
        const int length = ::MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS,
                                                 character.data(), size, wide, 2);
        if (length == 0) {
            return std::nullopt;
        }
        return Utf8FromWide(std::wstring_view(wide, static_cast<std::size_t>(length)));
    }

    bool OutputIsUtf8() const override { return ::GetConsoleOutputCP() == CP_UTF8; }
};

}  // namespace

const TextCodec& PlatformTextCodec() {
    static const Win32TextCodec codec;
    return codec;
}

}  // namespace vorlent::tool
