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
