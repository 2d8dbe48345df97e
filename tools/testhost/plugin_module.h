#pragma once

#include <windows.h>

#include <string>

// The plug-in DLL while the host has it loaded; unloaded when it goes.
class PluginModule {
  public:
    PluginModule() = default;
    PluginModule(const PluginModule&) = delete;
    PluginModule& operator=(const PluginModule&) = delete;
    ~PluginModule() { Unload(); }

    // LoadLibraryW, which takes paths past MAX_PATH; 0 or GetLastError().
    DWORD Load(const std::wstring& path);
    // FreeLibrary's result, or FALSE when nothing is loaded.
    BOOL Unload();

    bool Loaded() const { return module_ != nullptr; }
    FARPROC Find(const char* name) const;

  private:
    HMODULE module_ = nullptr;
};
