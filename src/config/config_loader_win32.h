#pragma once

#include <windows.h>

#include <string_view>

#include "check/string_set.h"

struct ConfigurationSets {
    vorlent::StringSet& checkStrings;
    vorlent::StringSet& ignorePrefixes;
    vorlent::StringSet& stopPrefixes;
};

// Reads the lists of the configuration file named after the module, in its
// folder, into the sets, and names the file in iniPath. modulePath is the
// module's full path; empty (unknown) or too long to name the file, it leaves
// the sets empty. A missing file, section or key leaves a set empty. The file
// is never written.
void LoadConfiguration(std::string_view modulePath, char (&iniPath)[MAX_PATH],
                       const ConfigurationSets& sets);
