// What the oldest systems the program runs on lack or only pretend to have:
// looked up at run time, each with a fallback that is right on all of them.
#pragma once
#include <windows.h>

// A function of a system DLL the program has loaded, or null where the
// system lacks it.
template <typename Proc>
Proc SystemProc(const char* module, const char* name) {
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(module), name)));
}

// Free bytes for the caller on the drive that holds path (a directory, or
// null for the current drive); 0 when they cannot be read. Uses
// GetDiskFreeSpaceExA where the system has it (NT 4.0, Windows 95 OSR2),
// otherwise GetDiskFreeSpaceA's figures multiplied out in 64 bits.
unsigned long long DiskFreeBytes(const char* path);
typedef BOOL(WINAPI* DiskFreeSpaceExProc)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
// The same with the system's function given, or null for a system without it.
unsigned long long DiskFreeBytes(const char* path, DiskFreeSpaceExProc ex);
// The same, or -1 when they cannot be read: there 0 means a full disk.
long long KnownFreeBytes(const char* path);
// The bytes in a number of clusters, in 64 bits: a product of the three
// figures overflows 32 bits from 2 GB on.
unsigned long long ClusterBytes(DWORD clusters, DWORD sectorsPerCluster, DWORD bytesPerSector);

// The root GetDiskFreeSpaceA wants for path: "X:\" for a drive path,
// "\\server\share\" for a UNC one; false (use the current drive) otherwise.
bool DiskRootOf(const char* path, char* root, int size);

// The directory part of path with its last backslash, or ".\" for a bare name.
void DirectoryOf(const char* path, char* dir, int size);

// Moves temp into dest's place, replacing it. MoveFileExA is missing or
// answers ERROR_CALL_NOT_IMPLEMENTED on Windows 95 and Win32s: there the old
// file moves aside while the new one moves in, and back should that fail.
bool ReplaceWith(const char* temp, const char* dest);
typedef BOOL(WINAPI* MoveFileExProc)(LPCSTR, LPCSTR, DWORD);
// The same with the system's function given, or null for a system without it.
bool ReplaceWith(const char* temp, const char* dest, MoveFileExProc ex);

// While alive, a probe of a drive without a disk (an empty floppy or CD
// drive) fails quietly instead of raising the system's "no disk" box. The
// process's other error-mode flags stay as they were; all come back at the end.
class QuietDriveProbe {
public:
    QuietDriveProbe() : uPrevious(SetErrorMode(SEM_FAILCRITICALERRORS)) {
        SetErrorMode(uPrevious | SEM_FAILCRITICALERRORS);
    }
    ~QuietDriveProbe() { SetErrorMode(uPrevious); }
    QuietDriveProbe(const QuietDriveProbe&) = delete;
    QuietDriveProbe& operator=(const QuietDriveProbe&) = delete;

private:
    UINT uPrevious;
};
