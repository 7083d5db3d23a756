#include "platform/MemoryRegistry.h"

// POSIX has no registry: the native build keeps one in memory for the run.
Registry& systemRegistry() {
    static MemoryRegistry registry;
    return registry;
}
