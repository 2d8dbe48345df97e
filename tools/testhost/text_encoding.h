#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The bytes of a hex text (as vorlent::tool::ToHex writes it); nullopt if it
// is not one.
std::optional<std::string> FromHex(std::string_view hex);

// A text in the process's ANSI code page (932 in the tests), for the transcript.
std::string Utf8FromAnsi(std::string_view bytes);

std::string PointerText(const void* pointer);
std::string NumberText(std::uintptr_t value);
