#pragma once

// What a stretch of work cost this thread: processor time always, and the
// processor's own cycle and instruction counts where the kernel offers them
// (not inside most virtual machines). Processor time rather than wall time,
// so the figures stay comparable on a machine that other work shares.

#include <cstdint>

struct CounterReading {
    double seconds = 0;
    int64_t cycles = -1;        // -1: not available
    int64_t instructions = -1;  // -1: not available
};

class ProcessorCounters {
public:
    ProcessorCounters();
    ~ProcessorCounters();
    ProcessorCounters(const ProcessorCounters&) = delete;
    ProcessorCounters& operator=(const ProcessorCounters&) = delete;

    bool hardwareCounts() const { return cyclesFd >= 0 && instructionsFd >= 0; }
    CounterReading read() const;

private:
    int cyclesFd = -1;
    int instructionsFd = -1;
};

// later - earlier, with -1 kept for counts that are not available.
CounterReading difference(const CounterReading& later, const CounterReading& earlier);
