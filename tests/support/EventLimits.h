#ifndef EVENTLIMITS_H
#define EVENTLIMITS_H

// How long a test waits for an event it needs (a signal, a window shown or
// gone, a worker's result) before giving up: far beyond what the slowest
// build (with sanitizers, beside other work on two cores) takes, so that only
// an event that never comes fails a test. No test waits for time to pass.
namespace EventLimits {

// A window shown, resized or closed; a reply from a program a test started.
constexpr int EVENT_MS = 120000;
// Long work: a printer profile fitted on a worker thread at the lowest
// quality, or a profiling chart of 1,500 patches sampled (each about a
// minute in the sanitizer build on a loaded machine); within the five
// minutes Qt Test gives a test function.
constexpr int FIT_MS = 240000;

} // namespace EventLimits

#endif
