// Prints values of a configuration file as the plug-in would receive them,
// one lookup a line, so that the platform's reader (the Windows build, run
// under Wine) and the portable reader (the native build) can be compared
// byte for byte.
//
//   profile-dump RESULT_FILE INI_FILE SECTION KEY [SECTION KEY]...
//
// Each line of RESULT_FILE is "[SECTION] KEY: LENGTH HEX", the value's bytes
// in hexadecimal. The result goes to a file rather than standard output
// because Wine's server keeps a pipe open after the program has ended.

#include <cstdio>
#include <fstream>
#include <string>

#include "hex_text.h"
#include "profile_source.h"

int main(int argc, char** argv) {
    if (argc < 5 || (argc - 3) % 2 != 0) {
        std::fprintf(stderr,
                     "usage: profile-dump RESULT_FILE INI_FILE SECTION KEY [SECTION KEY]...\n");
        return 2;
    }
    std::ofstream result(argv[1], std::ios::binary);
    if (!result) {
        std::fprintf(stderr, "profile-dump: %s: cannot write\n", argv[1]);
        return 2;
    }
    const std::string iniPath = argv[2];
    for (int i = 3; i + 1 < argc; i += 2) {
        // The differential test names its files in ASCII, which UTF-8 and
        // every ANSI code page write alike.
        const std::string value =
            vorlent::tool::ReadProfileValue(iniPath, argv[i], argv[i + 1]).value_or("");
        result << '[' << argv[i] << "] " << argv[i + 1] << ": " << value.size() << ' '
               << vorlent::tool::ToHex(value) << '\n';
    }
    return result.good() ? 0 : 2;
}
