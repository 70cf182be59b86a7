#ifndef KXSUPPORT_H
#define KXSUPPORT_H

// Start-up of the support library. main() calls these once, in this order:
// Kx_InitSubSystems, LogErrorLogtofile, KxInitGlobals, KxInitStorageClasses.

// Resets the library's process state (allocation diagnostics, error log).
// Returns 0.
int Kx_InitSubSystems(int flags);

// Chooses where KxLogError writes: non-zero appends to a log file in the
// user's configuration folder, zero writes to standard error. Returns the
// previous choice.
int LogErrorLogtofile(int toFile);

// Sets up the process-wide values the library needs. Non-zero on success.
int KxInitGlobals();

// Registers the record classes that KxPacketFreeItem can release.
// Zero on success.
int KxInitStorageClasses();

// Writes one diagnostic line (printf-style) where LogErrorLogtofile chose.
void KxLogError(const char* format, ...) __attribute__((format(printf, 1, 2)));

#endif
