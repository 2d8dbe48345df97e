#include "host_state.h"

HostState& Host() {
    static HostState state;
    return state;
}
