#pragma once

#include <windows.h>

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
extern HINSTANCE g_hInstance;
extern char g_iniPath[MAX_PATH];
