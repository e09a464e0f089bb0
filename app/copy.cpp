#include "copy.h"

#include <lzexpand.h>

#include "../controls/core/chars.h"
#include "alert.h"
#include "compat.h"
#include "dialogs.h"
#include "sums.h"
#include "szdd.h"

int MapLZError(int code) {
    switch (code) {
    case LZERROR_GLOBLOCK: return LZERROR_GLOBALLOC;  // both are "Insufficient memory"
    case LZERROR_BADINHANDLE:
    case LZERROR_WRITE:
    case LZERROR_GLOBALLOC:
    case kDiskDamaged: return code;
    default: return LZERROR_READ;  // shown as an internal error
    }
}

int LZErrorText(int code, const char* name, char* message) {
    int mapped = MapLZError(code);
    char format[96] = "";
    LoadStringA(ghInst, LOWORD(mapped), format, sizeof format - 1);
    char shown[160];  // with the longest format, within the message
    ControlText(name, shown, sizeof shown);
    if (mapped == LZERROR_READ)
        wsprintfA(message, format, mapped);
    else
        wsprintfA(message, format, shown);
    return mapped;
}

int ShowLZError(int code, const char* name) {
    char message[256];
    int mapped = LZErrorText(code, name, message);
    EndsWith(mapped == LZERROR_WRITE ? EXIT_DISK_FULL : mapped == kDiskDamaged ? EXIT_DAMAGED : EXIT_NOT_INSTALLED);
    ShowAlertStr(message);
    return mapped;
}

int ShortCopyError(long long expected, long long written, long long freeBytes) {
    // Free space that cannot be read (-1) says nothing of a full disk.
    return written < expected && freeBytes >= 0 && freeBytes < expected - written ? LZERROR_WRITE : LZERROR_READ;
}

// The length a source promises when expanded: the SZDD header's, or the
// file's own size when it is not compressed. -1 when it cannot be read.
static long long PromisedSize(const char* source) {
    HANDLE h = CreateFileA(source, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return -1;
    BYTE header[szdd::kHeaderSize];
    DWORD got = 0;
    BOOL read = ReadFile(h, header, sizeof header, &got, nullptr);
    DWORD size = GetFileSize(h, nullptr);
    CloseHandle(h);
    if (!read || size == INVALID_FILE_SIZE) return -1;
    long long promised = szdd::PromisedLength(header, got);
    return promised >= 0 ? promised : size;
}

// The whole file gets its source's date, the disk's release date, before it
// is moved in (a move keeps it): the next installation then compares release
// dates, not the days they were installed. A date that cannot be set costs
// nothing but that comparison.
static void TakeDate(const char* source, const char* dest) {
    HANDLE src = CreateFileA(source, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (src == INVALID_HANDLE_VALUE) return;
    FILETIME written;
    bool read = GetFileTime(src, nullptr, nullptr, &written);
    CloseHandle(src);
    if (!read) return;
    HANDLE dst = CreateFileA(dest, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (dst == INVALID_HANDLE_VALUE) return;
    SetFileTime(dst, nullptr, nullptr, &written);
    CloseHandle(dst);
}

// The disk's list of sums, or -1 entries while there is none.
static DiskSum gSums[32];
static int gSumCount = -1;

int LoadDiskSums(const char* sourceDir) {
    ForgetDiskSums();
    char path[MAX_PATH];
    if (lstrlenA(sourceDir) + lstrlenA(kSumsName) >= MAX_PATH) return -1;
    lstrcpyA(path, sourceDir);
    lstrcatA(path, kSumsName);
    QuietDriveProbe quiet;
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND ? 0 : -1;
    char text[kSumsMaxBytes + 1];
    DWORD got = 0;
    BOOL read = ReadFile(h, text, sizeof text, &got, nullptr);
    CloseHandle(h);
    int count = read && got <= DWORD(kSumsMaxBytes) ? ParseSums(text, got, gSums, 32) : -1;
    if (count < 0) return -1;
    gSumCount = count;
    return 1;
}

void ForgetDiskSums() { gSumCount = -1; }

// Whether temp, expanded from source, is what the disk's list says source
// expands to: its size, then its CRC-32, read back from where it was written.
// A file the list does not name is not of this disk. True with no list.
static bool AsListed(const char* source, const char* temp, LONG size) {
    if (gSumCount < 0) return true;
    const char* slash = LastCharOf(const_cast<char*>(source), '\\');
    const DiskSum* sum = FindSum(gSums, gSumCount, slash ? slash + 1 : source);
    if (!sum || sum->size != DWORD(size)) return false;
    HANDLE h = CreateFileA(temp, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    char block[32768];
    DWORD got = 0, total = 0;
    uint32_t crc = 0;
    while (ReadFile(h, block, sizeof block, &got, nullptr) && got) {
        crc = Crc32(crc, block, got);
        total += got;
    }
    CloseHandle(h);
    return total == sum->size && crc == sum->crc;
}

int MyLZCopy(const char* source, const char* dest) {
    char failed[MAX_PATH];
    int code = ExpandFile(source, dest, failed);
    return code < 0 ? ShowLZError(code, failed) : 1;
}

// The code of a failure, with the name it concerns.
static int Failed(int code, const char* name, char* failed) {
    lstrcpynA(failed, name, MAX_PATH);
    return code;
}

int ExpandFile(const char* source, const char* dest, char* failed) {
    failed[0] = '\0';
    int started = LZStart();
    if (started < 0) return started;
    OFSTRUCT ofs;
    INT in = LZOpenFileA(const_cast<char*>(source), &ofs, OF_READ);
    if (in < 0) {
        LZDone();
        return Failed(LZERROR_BADINHANDLE, source, failed);
    }
    // Expand beside the destination and put the result in place only when it
    // is whole, so a failure never leaves a partial file or loses the old one.
    char dir[MAX_PATH], temp[MAX_PATH];
    DirectoryOf(dest, dir, sizeof dir);
    // A read-only destination stays as it is, whoever runs the program.
    DWORD attributes = GetFileAttributesA(dest);
    bool locked = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    bool made = !locked && GetTempFileNameA(dir, "ows", 0, temp) != 0;
    INT out = made ? LZOpenFileA(temp, &ofs, OF_CREATE) : -1;
    if (out < 0) {
        LZClose(in);
        LZDone();
        if (made) DeleteFileA(temp);
        // The file the user asked for: Wine hands out a temporary's name even
        // where none can be made (a directory the user may not write in).
        return Failed(LZERROR_BADINHANDLE, dest, failed);
    }
    LONG copied = CopyLZFile(in, out);
    LZClose(in);
    LZClose(out);
    LZDone();

    int error = 0;
    const char* named = source;
    if (copied < 0) {
        error = copied;
    } else {
        long long expected = PromisedSize(source);
        if (expected < 0) error = LZERROR_BADINHANDLE;
        else if (copied != expected) error = ShortCopyError(expected, copied, KnownFreeBytes(dir));
        else if (!AsListed(source, temp, copied)) error = kDiskDamaged;
        else {
            TakeDate(source, temp);
            if (!ReplaceWith(temp, dest)) {
                error = LZERROR_BADINHANDLE;  // the destination cannot be written
                named = dest;
            }
        }
    }
    // A source that does not expand as it should (its stream or header
    // broken, short or long of what it promises) is, where the disk lists its
    // files, a damaged disk: said so, with the file.
    if ((error == LZERROR_READ || error == LZERROR_UNKNOWNALG) && gSumCount >= 0) error = kDiskDamaged;
    if (error) {
        DeleteFileA(temp);
        return Failed(error, named, failed);
    }
    return 1;
}

bool IsOwnTemporary(const char* name) {
    // GetTempFileNameA makes "ows", the unique number in hexadecimal, ".tmp".
    if ((name[0] | 0x20) != 'o' || (name[1] | 0x20) != 'w' || (name[2] | 0x20) != 's') return false;
    int digits = 0;
    const char* p = name + 3;
    for (; digits < 5; p++, digits++) {
        char c = char(*p | 0x20);
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) break;
    }
    return digits >= 1 && digits <= 4 && !lstrcmpiA(p, ".tmp");
}

void RemoveStaleTemporaries(const char* dir) {
    char pattern[MAX_PATH];
    if (lstrlenA(dir) + sizeof "owsffff.tmp" > MAX_PATH) return;  // room for the longest name
    lstrcpyA(pattern, dir);
    lstrcatA(pattern, "ows*.tmp");
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA(pattern, &found);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY || !IsOwnTemporary(found.cFileName)) continue;
        char path[MAX_PATH];
        lstrcpyA(path, dir);
        lstrcatA(path, found.cFileName);
        // One that another copy is writing is open, and stays. Windows 95
        // deletes an open file, so only one that nobody has open goes.
        HANDLE h = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) continue;
        CloseHandle(h);
        DeleteFileA(path);
    } while (FindNextFileA(h, &found));
    FindClose(h);
}

int FileExist(const char* path) {
    OFSTRUCT ofs;
    return OpenFile(path, &ofs, OF_EXIST) != HFILE_ERROR;
}

bool DosStampLater(WORD dateA, WORD timeA, WORD dateB, WORD timeB) {
    // Year, month and day lie in the date from the top down, hours, minutes
    // and two-second units in the time: together they order as one number.
    DWORD a = DWORD(dateA) << 16 | timeA, b = DWORD(dateB) << 16 | timeB;
    return a > b;
}

// The last-write time of an open file as a local DOS date and time.
static bool DosStamp(HANDLE h, WORD* date, WORD* time) {
    FILETIME written, local;
    return GetFileTime(h, nullptr, nullptr, &written) && FileTimeToLocalFileTime(&written, &local) &&
           FileTimeToDosDateTime(&local, date, time);
}

// Both files' stamps (source's date and time, then dest's); false when
// either cannot be read.
static bool BothStamps(const char* source, const char* dest, WORD stamps[4]) {
    HANDLE src = CreateFileA(source, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (src == INVALID_HANDLE_VALUE) return false;
    HANDLE dst = CreateFileA(dest, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                             nullptr);
    if (dst == INVALID_HANDLE_VALUE) {
        CloseHandle(src);
        return false;
    }
    bool read = DosStamp(src, &stamps[0], &stamps[1]) && DosStamp(dst, &stamps[2], &stamps[3]);
    CloseHandle(src);
    CloseHandle(dst);
    return read;
}

int FileNewer(const char* source, const char* dest) {
    if (!FileExist(dest)) return 1;
    WORD s[4];
    return BothStamps(source, dest, s) && DosStampLater(s[0], s[1], s[2], s[3]);
}

bool PresentAsNew(const char* source, const char* dest) {
    WORD s[4];
    return FileExist(dest) && BothStamps(source, dest, s) && !DosStampLater(s[0], s[1], s[2], s[3]);
}

int FileWriteable(const char* path) {
    if (!FileExist(path)) return 1;
    DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return 0;
    OFSTRUCT ofs;
    HFILE h = OpenFile(path, &ofs, OF_READWRITE);
    if (h == HFILE_ERROR) return 0;
    _lclose(h);
    return 1;
}

void AddBackslash(char* path) {
    if (*LastChar(path) != '\\') lstrcatA(path, "\\");
}

void PreparePath(char* path) {
    AddBackslash(path);
    // Only A to Z: a double-byte character whose second byte is a capital
    // is another character, and so another directory, once lowered.
    LowerLetters(path);
}
