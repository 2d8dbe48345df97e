#pragma once

#include <windows.h>

#include <string>

// The full path of a loaded module's file, however long; empty on failure.
std::string GetModuleFilePath(HMODULE module);
