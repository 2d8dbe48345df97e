#pragma once

#include <string>

namespace vorlent::tool {

// The folder of the running program, where the checker looks for Vorlent.ini
// as the plug-in does beside its own file; empty when it cannot be told.
std::string ExecutableFolder();

}  // namespace vorlent::tool
