#include "plugin_module.h"

DWORD PluginModule::Load(const std::wstring& path) {
    Unload();
    module_ = ::LoadLibraryW(path.c_str());
    return module_ != nullptr ? 0 : ::GetLastError();
}

BOOL PluginModule::Unload() {
    if (module_ == nullptr) {
        return FALSE;
    }
    const BOOL freed = ::FreeLibrary(module_);
    module_ = nullptr;
    return freed;
}

FARPROC PluginModule::Find(const char* name) const {
    return module_ != nullptr ? ::GetProcAddress(module_, name) : nullptr;
}
