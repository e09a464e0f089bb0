// The files the setup program installs: where each comes from on the
// distribution disk, what it is called once installed, where it goes, and for
// which platforms. Plain data, shared with the host tool that makes disks.
#pragma once
#include <cstdint>

struct CopyEntry {
    const char* pszSource;   // compressed, beside the setup program
    const char* pszDest;     // name once installed
    int fSystemDir;          // into the system (or Windows) directory, else the plug-in directory
    int fCheckNewer;         // copy only when missing or older than the source
    uint32_t dwPlatforms;    // mask of platform values
};

extern const CopyEntry gCopy[];
extern const int gFiles;

// The longest path the copy engine opens: LZ32 opens through OpenFile, whose
// OFSTRUCT holds 128 bytes with the terminator.
const int kOpenPathMax = 127;
// The copy engine's temporary name beside a destination: "owsXXXX.tmp".
const int kTempNameLength = 11;
// The longest directory, without its closing backslash, under which every
// name of the table opens: its sources (sources != 0), or its destinations
// and their temporary names.
int MaxDirLength(int sources);
// Whether dir, given with its closing backslash, is within that length. The
// backslash is told by its place, not its value: on a double-byte code page
// a last byte 5C may be the second half of a character.
int DirFits(const char* dir, int sources);
