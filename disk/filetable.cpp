#include "filetable.h"

#include <cstring>

// Platform values: 2 Windows NT, 4 Windows 95, 8 Windows 3.1 with Win32s.
const CopyEntry gCopy[] = {
    {"msvcrt20._ll", "msvcrt20.dll", 1, 1, 2 | 4},
    {"msvcrt20._2s", "msvcrt20.dll", 1, 1, 8},
    {"vxbase32._ll", "vxbase32.dll", 0, 0, 2 | 4 | 8},
    {"vxfila32._bf", "vxfila32.8bf", 0, 0, 2 | 4 | 8},
    {"vxfilb32._bf", "vxfilb32.8bf", 0, 0, 2 | 4 | 8},
    {"vxfilc32._bf", "vxfilc32.8bf", 0, 0, 2 | 4 | 8},
    {"vxfild32._bf", "vxfild32.8bf", 0, 0, 2 | 4 | 8},
    {"vxfile32._bf", "vxfile32.8bf", 0, 0, 2 | 4 | 8},
    {"vxfilf32._bf", "vxfilf32.8bf", 0, 0, 2 | 4 | 8},
    {"vxfilg32._bf", "vxfilg32.8bf", 0, 0, 2 | 4 | 8},
    {"vxfilh32._bf", "vxfilh32.8bf", 0, 0, 2 | 4 | 8},
    {"vxfili32._bf", "vxfili32.8bf", 0, 0, 2 | 4 | 8},
    {"vxfilj32._bf", "vxfilj32.8bf", 0, 0, 2 | 4 | 8},
};
const int gFiles = sizeof gCopy / sizeof gCopy[0];

int MaxDirLength(int sources) {
    int longest = sources ? 0 : kTempNameLength;
    for (int i = 0; i < gFiles; i++) {
        int n = int(strlen(sources ? gCopy[i].pszSource : gCopy[i].pszDest));
        if (n > longest) longest = n;
    }
    return kOpenPathMax - 1 - longest;  // the directory, its backslash, the name
}

int DirFits(const char* dir, int sources) {
    int n = int(strlen(dir));
    return (n ? n - 1 : 0) <= MaxDirLength(sources);
}
