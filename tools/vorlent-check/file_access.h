#pragma once

#include <optional>
#include <string>
#include <variant>

#include "texts.h"

namespace vorlent::tool {

// A whole file's bytes, or why they could not be had. The path is UTF-8;
// Windows opens it through the wide API, so any name the system allows works.
std::variant<std::string, FileProblem> ReadWholeFile(const std::string& path);

}  // namespace vorlent::tool
