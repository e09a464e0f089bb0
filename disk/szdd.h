// The "SZDD" compressed file format that the Windows LZ expansion library
// reads: a 14-byte header, then an LZSS stream over a 4096-byte ring that
// starts filled with spaces. Plain C++, so both the host tools and the tests
// (cross-built) use it.
#pragma once
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace szdd {

const size_t kHeaderSize = 14;
const uint64_t kMaxInput = 0x7FFFFFFF;  // LZ32 reports sizes as signed 32-bit

// Compresses data with an optimal parse (every literal costs 9 bits and every
// match 17, so the cheapest parse is exact). lastChar is the original file
// name's last character, kept in the header. Returns false (out empty) when
// the input is too large for LZ32.
// exhaustive searches every earlier occurrence of every 3-byte string, with no
// shortcut: slower, for checking that the shortcuts lose nothing.
bool Compress(const std::vector<uint8_t>& data, char lastChar, std::vector<uint8_t>* out, bool exhaustive = false);

// Expands a whole SZDD file; false when it is not one or its stream is damaged
// or ends early. For tests and tools: the program itself expands with LZ32.
bool Expand(const std::vector<uint8_t>& file, std::vector<uint8_t>* out);

const uint8_t kMagic[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};

// The expanded length an SZDD file promises, or -1 when the bytes are not an
// SZDD file of the kind LZ32 expands.
inline int64_t PromisedLength(const uint8_t* file, size_t size) {
    if (size < kHeaderSize || memcmp(file, kMagic, 8) != 0 || file[8] != 'A') return -1;
    return int64_t(file[10]) | int64_t(file[11]) << 8 | int64_t(file[12]) << 16 | int64_t(file[13]) << 24;
}

}  // namespace szdd
