#include "ProcessorCounters.h"

#include <ctime>

#include <linux/perf_event.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// A user-space-only counter of this thread, or -1 when the kernel (or the
// virtual machine) has no such counter.
int openCounter(uint64_t config)
{
    perf_event_attr attributes{};
    attributes.type = PERF_TYPE_HARDWARE;
    attributes.size = sizeof attributes;
    attributes.config = config;
    attributes.exclude_kernel = 1;
    attributes.exclude_hv = 1;
    long fd = syscall(SYS_perf_event_open, &attributes, 0, -1, -1, 0);
    return int(fd);
}

int64_t readCounter(int fd)
{
    if (fd < 0)
        return -1;
    int64_t value = 0;
    if (::read(fd, &value, sizeof value) != sizeof value)
        return -1;
    return value;
}

}

ProcessorCounters::ProcessorCounters()
{
    cyclesFd = openCounter(PERF_COUNT_HW_CPU_CYCLES);
    instructionsFd = openCounter(PERF_COUNT_HW_INSTRUCTIONS);
}

ProcessorCounters::~ProcessorCounters()
{
    if (cyclesFd >= 0)
        close(cyclesFd);
    if (instructionsFd >= 0)
        close(instructionsFd);
}

CounterReading ProcessorCounters::read() const
{
    CounterReading reading;
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    reading.seconds = double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
    if (hardwareCounts()) {
        reading.cycles = readCounter(cyclesFd);
        reading.instructions = readCounter(instructionsFd);
    }
    return reading;
}

CounterReading difference(const CounterReading& later, const CounterReading& earlier)
{
    CounterReading result;
    result.seconds = later.seconds - earlier.seconds;
    if (later.cycles >= 0 && earlier.cycles >= 0)
        result.cycles = later.cycles - earlier.cycles;
    if (later.instructions >= 0 && earlier.instructions >= 0)
        result.instructions = later.instructions - earlier.instructions;
    return result;
}
