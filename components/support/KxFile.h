#ifndef KXFILE_H
#define KXFILE_H

#include <cstddef>
#include <ctime>

// Files written by the program. A file opened for writing ("w") is written
// to a temporary file beside its final name and renamed into place by
// Kx_fclose only when every write and the close succeeded, so a failure
// never leaves a half-written file and never destroys the previous one.
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
// - The temporary's name fits wherever the file's name fits.
struct KxFILE;

// Modes "w" (replace, as described above) and "r" (read a regular file,
// opened without blocking). Null on failure, with errno set.
KxFILE* Kx_fopen(const char* path, const char* mode);
std::size_t Kx_fwrite(const void* data, std::size_t size, std::size_t count, KxFILE* file);
// Formats with the C library's rules in the "C" locale (a '.' decimal point
// whatever the user's locale), like Kx_snprintf.
int Kx_fprintf(KxFILE* file, const char* format, ...) __attribute__((format(printf, 2, 3)));
// Reads up to size * count bytes; returns the number of whole items read.
std::size_t Kx_fread(void* data, std::size_t size, std::size_t count, KxFILE* file);
// Completes and closes the file. 0 on success; -1 when anything failed, in
// which case a file opened with "w" leaves its final name untouched.
int Kx_fclose(KxFILE* file);
// Closes without completing: a file opened with "w" is discarded.
void Kx_fabandon(KxFILE* file);

// snprintf in the "C" locale.
int Kx_snprintf(char* buffer, std::size_t size, const char* format, ...) __attribute__((format(printf, 3, 4)));

// The time as the C library's ctime() gives it ("Tue Dec  8 08:15:32 2026\n"),
// written into buffer (at least 26 bytes). Returns buffer, or null.
char* Kx_ctime(const std::time_t* time, char* buffer);

#endif
