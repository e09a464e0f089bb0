#include "compat.h"

#include "../controls/core/chars.h"

bool DiskRootOf(const char* path, char* root, int size) {
    if (!path || !path[0]) return false;
    int n = 0;
    if (path[1] == ':') {
        n = 2;
    } else if (path[0] == '\\' && path[1] == '\\') {
        // \\server\share: the root ends with the second name, before any backslash.
        const char* end = path + 1;
        int names = 0;
        for (const char* p = path + 2; *p; p = NextChar(p)) {
            if (*p == '\\' && ++names == 2) break;
            end = *p == '\\' ? p : NextChar(p);
        }
        n = int(end - path);
    } else {
        return false;
    }
    if (n + 2 > size) return false;
    lstrcpynA(root, path, n + 1);
    root[n] = '\\';
    root[n + 1] = '\0';
    return true;
}

unsigned long long ClusterBytes(DWORD clusters, DWORD sectorsPerCluster, DWORD bytesPerSector) {
    return static_cast<unsigned long long>(clusters) * sectorsPerCluster * bytesPerSector;
}

// Free bytes for the caller; false when they cannot be read.
static bool ReadDiskFree(const char* path, DiskFreeSpaceExProc ex, unsigned long long* free) {
    QuietDriveProbe quiet;
    ULARGE_INTEGER avail;
    if (ex && ex(path, &avail, nullptr, nullptr)) {
        *free = avail.QuadPart;
        return true;
    }
    // The first systems accept only a root here.
    char root[MAX_PATH];
    const char* at = DiskRootOf(path, root, sizeof root) ? root : nullptr;
    DWORD sectors, bytes, clusters, total;
    if (!GetDiskFreeSpaceA(at, &sectors, &bytes, &clusters, &total)) return false;
    *free = ClusterBytes(clusters, sectors, bytes);
    return true;
}

unsigned long long DiskFreeBytes(const char* path, DiskFreeSpaceExProc ex) {
    unsigned long long free;
    return ReadDiskFree(path, ex, &free) ? free : 0;
}

static DiskFreeSpaceExProc DiskFreeSpaceEx() {
    return SystemProc<DiskFreeSpaceExProc>("kernel32.dll", "GetDiskFreeSpaceExA");
}

unsigned long long DiskFreeBytes(const char* path) { return DiskFreeBytes(path, DiskFreeSpaceEx()); }

long long KnownFreeBytes(const char* path) {
    unsigned long long free;
    return ReadDiskFree(path, DiskFreeSpaceEx(), &free) ? static_cast<long long>(free) : -1;
}

void DirectoryOf(const char* path, char* dir, int size) {
    CopyChars(dir, path, size);
    char* slash = LastCharOf(dir, '\\');
    if (slash) slash[1] = '\0';
    else lstrcpynA(dir, ".\\", size);
}

bool ReplaceWith(const char* temp, const char* dest, MoveFileExProc ex) {
    if (ex) {
        if (ex(temp, dest, MOVEFILE_REPLACE_EXISTING)) return true;
        if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
    }
    // No move onto a file here: the old one moves aside first and back again
    // should the new one not go in, so that dest always holds one of them. The
    // aside name is not the copy's temporaries' ("ows"), which a later run
    // sweeps: after a crash between the moves it is the only copy left.
    if (GetFileAttributesA(dest) == INVALID_FILE_ATTRIBUTES) return MoveFileA(temp, dest) != 0;
    char dir[MAX_PATH], aside[MAX_PATH];
    DirectoryOf(dest, dir, sizeof dir);
    if (!GetTempFileNameA(dir, "owo", 0, aside)) return false;
    DeleteFileA(aside);  // only its name is wanted: a move does not replace
    if (!MoveFileA(dest, aside)) return false;
    if (MoveFileA(temp, dest)) {
        DeleteFileA(aside);
        return true;
    }
    MoveFileA(aside, dest);
    return false;
}

bool ReplaceWith(const char* temp, const char* dest) {
    return ReplaceWith(temp, dest, SystemProc<MoveFileExProc>("kernel32.dll", "MoveFileExA"));
}
