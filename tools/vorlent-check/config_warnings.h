#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "configuration.h"
#include "display_text.h"
#include "texts.h"

namespace vorlent::tool {

// Slips in a configuration file that leave the user without the protection
// they meant, each with the line it stands on (0: the file as a whole).
enum class ConfigProblem {
    kNoConfigSection,
    kMisspeltSection,        // name; nearest
    kSecondConfigSection,    // otherLine: the section that is read
    kKeyOutsideSection,      // key: stands where the plug-in does not look
    kUnknownKey,             // name; nearest
    kRepeatedKey,            // key; otherLine: the line that is read
    kBlanksAroundItem,       // key, item, text
    kWideCommaInItem,        // key, item, text; other: the comma
    kSemicolonInValue,       // key
    kWholeValueQuoted,       // key
    kContainedCheckString,   // item, text; other: the check string holding it
    kLeftOutItem,            // key, item, text; missing
    kSignatureWithoutBlank,  // key, item: "--", the separator without its blank
};

struct ConfigWarning {
    ConfigProblem problem;
    std::size_t line = 0;
    std::string key = {};    // the key's name as the plug-in spells it
    std::size_t item = 0;    // 1-based place in the list
    std::string text = {};   // code page 932: an item, or a name as written
    std::string other = {};  // code page 932: see ConfigProblem
    std::size_t otherLine = 0;
    std::vector<char32_t> missing = {};
};

// The warnings in line order; those of the file as a whole first.
std::vector<ConfigWarning> FindConfigWarnings(const CheckerConfiguration& configuration);

// The warning in the user's language.
std::string DescribeConfigWarning(const ConfigWarning& warning, const DisplayText& display,
                                  const Texts& texts);

// The line that a key's value comes from; 0 when the key is not read.
std::size_t ValueLine(const CheckerConfiguration& configuration, const char* key);

}  // namespace vorlent::tool
