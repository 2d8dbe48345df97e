#include "plugin/plugin_app.h"

#include <exception>

#include "config/config_loader_win32.h"
#include "plugin/module_file.h"

// Constructed in this order before start-up and destroyed in reverse after
// shutdown; keep them together in this one file so the order holds.
CHostApi g_hostApi;
vorlent::StringSet g_checkStrings;
vorlent::StringSet g_ignorePrefixes;
vorlent::StringSet g_stopPrefixes;
// Views into g_checkStrings, so destroyed before it.
std::unique_ptr<const vorlent::CheckIndex> g_checkIndex;
CPlugInApp theApp;

HINSTANCE g_hInstance = nullptr;
char g_iniPath[MAX_PATH] = {};

BOOL CPlugInApp::InitInstance() {
    if (!g_hostApi.InitApi()) {
        return FALSE;
    }
    g_hInstance = m_hInstance;
    LoadConfiguration(GetModuleFilePath(m_hInstance), g_iniPath,
                      {g_checkStrings, g_ignorePrefixes, g_stopPrefixes});
    // Compiled once here, the strings cost a send nothing until one is found.
    try {
        g_checkIndex = std::make_unique<const vorlent::CheckIndex>(g_checkStrings);
    } catch (const std::exception&) {
        g_checkIndex.reset();
    }
    return CWinApp::InitInstance();
}
