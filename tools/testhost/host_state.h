#pragma once

#include <optional>
#include <set>
#include <string>

// What the host offers the plug-in, and what it has lent out and not got back.
struct HostState {
    // The text BKA_GetVersion reports.
    std::string versionText = "2.00.06";
    // The body BKA_CompGetText hands out; none makes it return a null pointer.
    std::optional<std::string> body = std::string();
    // Blocks handed out by BKA_CompGetText and not yet released with BKA_Free.
    std::set<const void*> outstandingBlocks;
    // Message boxes shown since the current callback began.
    int boxesInCallback = 0;
};

HostState& Host();
