#ifndef KXFILE_H
#define KXFILE_H

#include "KxWriteResult.h"

#include <cstddef>
#include <ctime>
#include <string>

// Files written by the program. A file opened for writing ("w") is written
// to a temporary file beside its final name and renamed into place by
// Kx_fclose only when every write and the close succeeded, so a failure
// never leaves a half-written file and never destroys the previous one.
// - The temporary has no name while it is written, so a process killed
//   while writing leaves nothing behind. Kx_fclose gives a new file its name
//   at once; a file that replaces another is first named
//   "<name>.tmp-<process id>-<number>" and renamed over it at once, with
//   every signal that can be held held back. Where the file system cannot
//   make an unnamed temporary, the text is gathered in memory and Kx_fclose
//   writes it to such a named temporary and renames it, signals held.
//   Only SIGKILL (or a crash) in those last steps leaves a temporary; the
//   next write to the same name removes those of the user's own whose
//   process is gone.
// - A symbolic link is followed: the file it points to is replaced and the
//   link stays.
// - The replacement keeps the old file's permission bits; a new file gets
//   0666 under the umask.
// - A target that is not a regular file (a FIFO, a device, a folder) or is
//   not writable is refused at once; a file with no write permission bit at
//   all counts as not writable, even for the superuser.
// - Where the folder cannot take the temporary but the file itself is
//   writable, the text is gathered in memory and written over the file by
//   Kx_fclose.
// - Any path that names a file can be written: the temporary's name is no
//   longer than the file's own.
// Every failure leaves errno saying why: EISDIR for a folder, EINVAL for
// another file that is not a regular one, EACCES for a protected file, and
// otherwise the system's own answer (ENOSPC, EROFS, ...).
struct KxFILE;

// Mode "w" (replace, as described above); null on failure, with errno set.
KxFILE* Kx_fopen(const char* path, const char* mode);
std::size_t Kx_fwrite(const void* data, std::size_t size, std::size_t count, KxFILE* file);
// Formats with the C library's rules in the "C" locale (a '.' decimal point
// whatever the user's locale), like Kx_snprintf.
int Kx_fprintf(KxFILE* file, const char* format, ...) __attribute__((format(printf, 2, 3)));
// Completes and closes the file. 0 on success; -1 when anything failed, in
// which case a file opened with "w" leaves its final name untouched and
// errno holds the error of the first failure since it was opened.
int Kx_fclose(KxFILE* file);
// Closes without completing: the file is discarded. errno is
// left as it was, so that it still says why the caller gave up.
void Kx_fabandon(KxFILE* file);

// Whether a file could be written at path now, answered by opening it as
// Kx_fopen does and discarding it: a folder that is missing, a folder or
// device in the file's place and a protected file are found before any
// long work, in the words the write itself would give. False with errno set.
bool Kx_canWrite(const char* path);
// Whether the two paths name one file (the same device and inode, symbolic
// links followed); false when either names nothing.
bool Kx_sameFile(const char* first, const char* second);

// Writes size bytes as the whole new content of the file at path, as
// Kx_fopen with "w" and Kx_fclose do.
KxWriteResult Kx_writeFile(const char* path, const void* data, std::size_t size);

// snprintf in the "C" locale.
int Kx_snprintf(char* buffer, std::size_t size, const char* format, ...) __attribute__((format(printf, 3, 4)));

// The time as the C library's ctime() gives it ("Tue Dec  8 08:15:32 2026\n"),
// written into buffer (at least 26 bytes). Returns buffer, or null.
char* Kx_ctime(const std::time_t* time, char* buffer);
// The same time without its line end, as the CREATED keyword of the CGATS
// files we write holds it; empty when the time cannot be written.
std::string Kx_createdText(std::time_t time);

#endif
