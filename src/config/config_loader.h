#pragma once

#include <windows.h>

#include "check/string_set.h"

// Reads the two lists of the configuration file named after the module, in its
// folder, into the sets. A missing file, section or key leaves a set empty; a
// module path too long to name the file leaves both empty. The file is never
// written.
void LoadConfiguration(HMODULE module, char (&iniPath)[MAX_PATH], vorlent::StringSet& checkStrings,
                       vorlent::StringSet& ignorePrefixes);
