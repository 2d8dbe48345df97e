#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "texts.h"

namespace vorlent::tool {

// What the checker learns from the system it runs on. Texts and paths are
// UTF-8 here; each platform turns them into what its own calls take.

// The command line's arguments after the program name. Windows hands them
// over in UTF-16 (the narrow ones are cut down to the ANSI code page), so
// argv is only used elsewhere.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// The folder of the running program, where the checker looks for Vorlent.ini
// as the plug-in does beside its own file; empty when it cannot be told.
std::string ExecutableFolder();

// The path of a file in a folder, with the platform's separator.
std::string FileInFolder(const std::string& folder, std::string_view name);

// Japanese when the user's language is Japanese, else English.
Language UserLanguage();

enum class Stream { kOut, kError };

// Writes UTF-8 text to a stream that is a console, as the characters
// themselves whatever the console's code page; false when it is no console.
bool WriteToConsole(Stream stream, std::string_view utf8);

// Writes bytes to a stream that is a file or a pipe, with the platform's line
// ends for each '\n'.
void WriteBytes(Stream stream, std::string_view bytes);

// Whether the console belongs to this process alone: the program was
// started from the desktop (double-clicked, or files dropped onto it), and
// its window closes as soon as it ends.
bool OwnsItsConsole();

// Waits until Enter is pressed in the console, or its input ends.
void WaitForEnter();

}  // namespace vorlent::tool
