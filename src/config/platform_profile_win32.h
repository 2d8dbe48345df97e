#pragma once

#include <string>

// One value as the platform's GetPrivateProfileStringA reads it from the file
// at path (a full path), whole however long it is; the empty default when the
// file, the section or the key is missing.
std::string ReadPlatformProfileValue(const char* section, const char* key, const char* path);
