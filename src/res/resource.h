#pragma once

// String table ids, shared by the resource script and the code.
#define IDS_PLUGIN_NAME 1
#define IDS_PLUGIN_DESCRIPTION 2
#define IDS_PLUGIN_VERSION 3
#define IDS_PLUGIN_VENDOR 4
#define IDS_FOUND_PROMPT 5
#define IDS_SETUP_NOTICE 6
