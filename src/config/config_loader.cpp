#include "config/config_loader.h"

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "config/ini_path.h"
#include "config/quoted_list.h"
#include "plugin/module_file.h"

namespace {

constexpr char kSection[] = "Config";
constexpr char kCheckStringKey[] = "Check String";
constexpr char kIgnoreLinePrefixKey[] = "Ignore Line Prefix";

// The whole value, however long: GetPrivateProfileStringA cuts a value to
// size - 1 bytes without saying so, so a full buffer is read again with more
// room. A cut item would be a check string nobody wrote.
std::string ReadProfileValue(const char* key, const char* iniPath) {
    std::vector<char> buffer(10000);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length =
            ::GetPrivateProfileStringA(kSection, key, "", buffer.data(), size, iniPath);
        // A cut value ends one byte short of the buffer, or two where the cut
        // fell inside a double-byte character; only less than that is whole.
        if (length + 2 < size) {
            return std::string(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2);
    }
}

void InsertItems(const std::string& value, vorlent::StringSet& set) {
    const vorlent::CQuotedList list(value);
    for (std::size_t i = 0; i < list.GetCount(); ++i) {
        set.insert(list.GetAt(i));
    }
}

}  // namespace

void LoadConfiguration(HMODULE module, char (&iniPath)[MAX_PATH], vorlent::StringSet& checkStrings,
                       vorlent::StringSet& ignorePrefixes) {
    static_assert(vorlent::kMaxPathBytes == MAX_PATH);
    const std::string modulePath = GetModuleFilePath(module);
    if (modulePath.empty()) {
        return;
    }
    const std::optional<std::string> path = vorlent::IniPathForModule(modulePath);
    if (!path) {
        return;
    }
    std::memcpy(iniPath, path->c_str(), path->size() + 1);

    InsertItems(ReadProfileValue(kCheckStringKey, iniPath), checkStrings);
    InsertItems(ReadProfileValue(kIgnoreLinePrefixKey, iniPath), ignorePrefixes);
}
