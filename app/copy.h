// Moving one file from the distribution disk to its destination: expansion
// with the LZ library, the tests that decide whether a copy is needed, and the
// messages for the library's errors.
#pragma once
#include <windows.h>

// Expands source into dest. 1 on success, else a negative code (-1, -3, -4 or
// -5) after the error has been shown. dest changes only when the copy succeeds.
int MyLZCopy(const char* source, const char* dest);
// The same with no window: 1, or the LZ library's negative code (unmapped)
// with the name it concerns in failed (MAX_PATH bytes; empty when none does).
int ExpandFile(const char* source, const char* dest, char* failed);
// A file expanded whole that is not what the disk's list of sums says it
// expands to: said as a damaged disk, with the file's name.
const int kDiskDamaged = -10;
// Reads the disk's list of sums (filesums.txt in sourceDir, which ends in a
// backslash): from then on every file expanded is checked against it before
// it is put in place. 1 when read; 0 when the disk has none, and then nothing
// is checked (a disk made before the list); -1 when it is there but damaged
// or cannot be read, and then nothing may be installed from the disk.
int LoadDiskSums(const char* sourceDir);
// Forgets the list: nothing is checked.
void ForgetDiskSums();
// Shows the message for an LZ library error and returns the code as mapped.
int ShowLZError(int code, const char* name);
// That message, into 256 bytes; returns the code as mapped.
int LZErrorText(int code, const char* name, char* message);
// Whether a file name is one the copy gives its temporaries ("ows1a2.tmp").
bool IsOwnTemporary(const char* name);
// Deletes what an interrupted copy (the machine lost power, the program was
// killed) left in dir (ending in a backslash): its temporaries, no other file.
void RemoveStaleTemporaries(const char* dir);
int FileExist(const char* path);
// 1 when dest must be (re)written: it is missing, or source is dated later.
int FileNewer(const char* source, const char* dest);
// dest exists and is at least as new as source, both dates read.
bool PresentAsNew(const char* source, const char* dest);
int FileWriteable(const char* path);
// Appends a backslash if the last character is none; the buffer needs room
// for one more character.
void AddBackslash(char* path);
// The same, and lower-cases A to Z.
void PreparePath(char* path);

// Whether the DOS date and time (a, as source) are later than (b).
bool DosStampLater(WORD dateA, WORD timeA, WORD dateB, WORD timeB);
// The error code LZ32's messages use for a library code.
int MapLZError(int code);
// Why an expansion that reported success came out short (or long): the disk
// was full (-4) when it has no room for the rest, else the source was cut (-3);
// freeBytes -1 is free space that could not be read.
int ShortCopyError(long long expected, long long written, long long freeBytes);
