#pragma once
#include <string>
#include <vector>

namespace kardel::bench {

// One run of another program, measured from outside: wall time from its start to
// its end and its peak resident memory, its own alone (see PeakRun.cpp).
struct MeasuredRun {
    double seconds = 0;
    double peakBytes = 0;
    bool ok = false; // started and exited with status 0
};
MeasuredRun RunMeasured(const std::vector<std::string>& argv);

// The programs built beside the benchmarks.
const char* KardelCliPath();
const char* KardelPath(); // empty when the window was not built

// A folder of this process's own under TMPDIR (or /tmp), made on first use and
// removed with everything in it at exit.
const std::string& ScratchFolder();

} // namespace kardel::bench
