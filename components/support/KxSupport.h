#ifndef KXSUPPORT_H
#define KXSUPPORT_H

// Start-up of the support library. main() calls these once, in this order:
// Kx_InitSubSystems, LogErrorLogtofile, KxInitGlobals, KxInitStorageClasses.

// Resets the library's process state (allocation diagnostics, error log).
// Returns 0.
int Kx_InitSubSystems(int flags);

// Records whether diagnostics should go to a log file (non-zero) or to
// standard error (zero) and returns the previous choice. The library keeps
// the call for the start-up sequence; it writes no diagnostics of its own.
int LogErrorLogtofile(int toFile);

// Sets up the process-wide values the library needs. Non-zero on success.
int KxInitGlobals();

// Registers the record classes that KxPacketFreeItem can release.
// Zero on success.
int KxInitStorageClasses();

#endif
