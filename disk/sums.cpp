#include "sums.h"

namespace {

// Made by the compiler: no first call fills it, from whichever thread. Eight
// tables, to take eight bytes a step ("slicing by eight"): the check reads
// every file installed once more, and should cost little beside expanding it.
struct CrcTables {
    uint32_t t[8][256];
    constexpr CrcTables() : t() {
        for (uint32_t i = 0; i < 256; i++) {
            uint32_t c = i;
            for (int k = 0; k < 8; k++) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[0][i] = c;
        }
        for (int k = 1; k < 8; k++)
            for (uint32_t i = 0; i < 256; i++) t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
    }
};
constexpr CrcTables kCrc;

uint32_t Le32(const uint8_t* p) { return p[0] | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

// A number in the given base up to the next blank or the line's end; false
// when there is none or it does not fit 32 bits.
bool Number(const char*& p, const char* end, unsigned base, uint32_t* value) {
    uint64_t v = 0;
    const char* start = p;
    for (; p < end && *p != ' '; p++) {
        char c = Lower(*p);
        unsigned d = c >= '0' && c <= '9' ? unsigned(c - '0') : c >= 'a' && c <= 'f' ? unsigned(c - 'a' + 10) : 99;
        if (d >= base) return false;
        v = v * base + d;
        if (v > 0xFFFFFFFFu) return false;
    }
    *value = uint32_t(v);
    return p > start;
}

}  // namespace

uint32_t Crc32(uint32_t crc, const void* data, unsigned n) {
    const uint8_t* p = static_cast<const uint8_t*>(data);
    const auto& t = kCrc.t;
    crc = ~crc;
    for (; n >= 8; p += 8, n -= 8) {
        uint32_t a = Le32(p) ^ crc, b = Le32(p + 4);
        crc = t[7][a & 0xFF] ^ t[6][(a >> 8) & 0xFF] ^ t[5][(a >> 16) & 0xFF] ^ t[4][a >> 24] ^ t[3][b & 0xFF] ^
              t[2][(b >> 8) & 0xFF] ^ t[1][(b >> 16) & 0xFF] ^ t[0][b >> 24];
    }
    while (n--) crc = t[0][(crc ^ *p++) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

int ParseSums(const char* text, unsigned len, DiskSum* out, int max) {
    const char* end = text + len;
    int count = 0;
    for (const char* line = text; line < end;) {
        const char* eol = line;
        while (eol < end && *eol != '\n') eol++;
        if (eol == end) return -1;  // every line ends, the last one too
        const char* stop = eol > line && eol[-1] == '\r' ? eol - 1 : eol;
        const char* p = line;
        if (stop - p >= 4 && p[0] == 'e' && p[1] == 'n' && p[2] == 'd' && p[3] == ' ') {
            p += 4;
            uint32_t crc;
            // The last line: nothing may follow it.
            bool whole = Number(p, stop, 16, &crc) && p == stop && eol + 1 == end;
            return whole && crc == Crc32(0, text, unsigned(line - text)) ? count : -1;
        }
        if (p < stop && *p != ';') {
            if (count == max) return -1;
            DiskSum& s = out[count];
            int n = 0;
            for (; p < stop && *p != ' '; p++) {
                if (n == 12) return -1;
                s.name[n++] = *p;
            }
            s.name[n] = '\0';
            if (!n || p == stop) return -1;
            p++;
            if (!Number(p, stop, 10, &s.size) || p == stop) return -1;
            p++;
            if (!Number(p, stop, 16, &s.crc) || p != stop) return -1;
            count++;
        }
        line = eol + 1;
    }
    return -1;  // no last line
}

const DiskSum* FindSum(const DiskSum* sums, int count, const char* name) {
    for (int i = 0; i < count; i++) {
        const char *a = sums[i].name, *b = name;
        while (*a && Lower(*a) == Lower(*b)) a++, b++;
        if (!*a && !*b) return &sums[i];
    }
    return nullptr;
}
