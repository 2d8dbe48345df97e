#include <langinfo.h>

#include <clocale>
#include <cstring>

#include "iconv_converter.h"
#include "text_codec.h"

namespace vorlent::tool {
namespace {

class IconvTextCodec : public TextCodec {
  public:
    std::optional<std::string> Cp932CharacterToUtf8(std::string_view character) const override {
        return toUtf8_.Convert(character);
    }

    bool OutputIsUtf8() const override {
        std::setlocale(LC_CTYPE, "");
        return std::strcmp(::nl_langinfo(CODESET), "UTF-8") == 0;
    }

  private:
    IconvConverter toUtf8_{"UTF-8", "CP932"};
};

}  // namespace

const TextCodec& PlatformTextCodec() {
    static const IconvTextCodec codec;
    return codec;
}

}  // namespace vorlent::tool
