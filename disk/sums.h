// The disk's list of what each of its files expands to, its size and CRC-32,
// in a text a person can read ("filesums.txt" beside the files). mkdisk
// writes it from the payload; setup.exe checks each file it expands against
// it before putting the file in place. The list ends with the CRC-32 of the
// lines before, so that a damaged list is told from a damaged file:
//
//   ; Orb Weave 2.0 distribution disk: what each file expands to.
//   ; name, size in bytes, CRC-32 (hexadecimal)
//   msvcrt20._ll 100000 5d0a8c3e
//   ...
//   ; the CRC-32 of the lines above
//   end 1f2e3d4c
//
// Plain code with no library calls: the program has no C runtime.
#pragma once
#include <cstdint>

const char kSumsName[] = "filesums.txt";
const int kSumsMaxBytes = 4096;  // a list longer than this is no list of ours

// The CRC-32 of zip and PNG, continued from crc (0 to start).
uint32_t Crc32(uint32_t crc, const void* data, unsigned n);

struct DiskSum {
    char name[13];  // 8.3, as on the disk
    uint32_t size;
    uint32_t crc;
};

// Reads a list: its entries into out (at most max), and their number; -1
// when the text is not a whole list (a line that does not read, more entries
// than max, no last line, or the last line's CRC not that of the lines before).
int ParseSums(const char* text, unsigned len, DiskSum* out, int max);
// The entry for name, its case ignored, or null.
const DiskSum* FindSum(const DiskSum* sums, int count, const char* name);
