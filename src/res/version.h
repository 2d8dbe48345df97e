#pragma once

// One place for the module's version numbers; read by the version resource.
#define VORLENT_VERSION_NUMBERS 1, 0, 0, 1
#define VORLENT_VERSION_TEXT "1, 0, 0, 1"
