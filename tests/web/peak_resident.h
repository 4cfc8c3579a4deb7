// The process's peak resident memory so far, for tests that check a transfer
// does not grow it past a bound.
#ifndef RUZIDUZ_TESTS_WEB_PEAK_RESIDENT_H_
#define RUZIDUZ_TESTS_WEB_PEAK_RESIDENT_H_

#include <sys/resource.h>

// Peak resident set size in KiB (Linux counts ru_maxrss in KiB).
inline long PeakResidentKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

#endif  // RUZIDUZ_TESTS_WEB_PEAK_RESIDENT_H_
