#include "config/config_loader_win32.h"

#include <cstring>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>

#include "config/config_keys.h"
#include "config/ini_path.h"
#include "config/platform_profile_win32.h"
#include "config/quoted_list.h"
#include "config/text_encoding.h"
#include "config/unicode_profile.h"

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

// A file larger than this is no hand-edited INI file; it is left to the
// platform's reader.
constexpr LONGLONG kLargestFileRead = 16 * 1024 * 1024;

std::optional<std::string> ReadWholeFile(const char* path) {
    const FileHandle file(::CreateFileA(path, GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart > kLargestFileRead) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        !::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        return std::nullopt;
    }
    bytes.resize(read);
    return bytes;
}

void InsertItems(const std::string& value, vorlent::StringSet& set) {
    const vorlent::CQuotedList list(value);
    for (std::size_t i = 0; i < list.GetCount(); ++i) {
        set.insert(list.GetAt(i));
    }
}

void InsertItems(const vorlent::ConfiguredList& list, vorlent::StringSet& set) {
    for (const vorlent::ConfiguredItem& item : list.items) {
        set.insert(item.bytes);
    }
}

struct KeyAndSet {
    const char* key;
    vorlent::StringSet& set;
};

// A file saved in UTF-8 or UTF-16 is read here: Windows' own reader takes
// any file without a UTF-16 mark, a UTF-8 mark included, as code page text,
// so a UTF-8 [Config] on the first line behind its mark is not found and
// Japanese values arrive as UTF-8 bytes (Tera Term's developer notes on the
// profile API; a Stack Overflow answer tested on Windows 10 21H1; Wine strips
// the UTF-8 mark and decodes, which Windows does not). Its UTF-16 reading
// would turn a character the code page lacks into '?', which matches every
// question mark. Everything else goes to the platform's reader byte for byte.
bool LoadUnicodeFile(const char* iniPath, const KeyAndSet (&lists)[3]) {
    const std::optional<std::string> bytes = ReadWholeFile(iniPath);
    if (!bytes) {
        return false;
    }
    const std::optional<std::string> text =
        vorlent::UnicodeProfileText(vorlent::text::DetectTextEncoding(*bytes));
    if (!text) {
        return false;
    }
    for (const KeyAndSet& list : lists) {
        InsertItems(vorlent::ReadUnicodeList(*text, vorlent::config::kSection, list.key), list.set);
    }
    return true;
}

}  // namespace

void LoadConfiguration(std::string_view modulePath, char (&iniPath)[MAX_PATH],
                       const ConfigurationSets& sets) {
    static_assert(vorlent::kMaxPathBytes == MAX_PATH);
    if (modulePath.empty()) {
        return;
    }
    const std::optional<std::string> path = vorlent::IniPathForModule(modulePath);
    if (!path) {
        return;
    }
    std::memcpy(iniPath, path->c_str(), path->size() + 1);

    const KeyAndSet lists[] = {
        {vorlent::config::kCheckStringKey, sets.checkStrings},
        {vorlent::config::kIgnoreLinePrefixKey, sets.ignorePrefixes},
        {vorlent::config::kIgnoreFromLinePrefixKey, sets.stopPrefixes},
    };
    try {
        if (LoadUnicodeFile(iniPath, lists)) {
            return;
        }
    } catch (const std::exception&) {
        // Out of memory while decoding: start again with the platform's
        // reader, which may still cope.
        for (const KeyAndSet& list : lists) {
            list.set.clear();
        }
    }
    for (const KeyAndSet& list : lists) {
        InsertItems(ReadPlatformProfileValue(vorlent::config::kSection, list.key, iniPath),
                    list.set);
    }
}
