#ifndef CHIRPWELL_BENCH_CHILDPROCESS_H
#define CHIRPWELL_BENCH_CHILDPROCESS_H

#include <string>
#include <vector>

// One run of a program as a whole process, start-up and exit included.
struct CChildRun {
    bool m_bDone = false;      // started, and ended with status 0
    double m_nSeconds = 0;     // from the start to the end, wall clock
    double m_nPeakMiB = 0;     // the most memory it held at once (its peak resident set)
};

// Starts arguments[0], a path, with the arguments, its standard output to /dev/null,
// and waits for it to end.
CChildRun RunChild(const std::vector<std::string>& arguments);

#endif
