#pragma once

#include <windows.h>

#include <memory>

#include "check/check_index.h"
#include "check/string_set.h"
#include "hostapi/host_api.h"
#include "plugin/app_framework.h"

class CPlugInApp : public CWinApp {
  public:
    CPlugInApp() = default;
    ~CPlugInApp() override = default;

    BOOL InitInstance() override;
};

extern CHostApi g_hostApi;
extern vorlent::StringSet g_checkStrings;
extern vorlent::StringSet g_ignorePrefixes;
// A line that begins with one of these ends the search of a body.
extern vorlent::StringSet g_stopPrefixes;
// The check strings compiled for the search; null if that could not be done,
// and then each send compiles them itself.
extern std::unique_ptr<const vorlent::CheckIndex> g_checkIndex;
extern HINSTANCE g_hInstance;
extern char g_iniPath[MAX_PATH];
