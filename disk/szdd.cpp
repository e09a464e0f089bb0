#include "szdd.h"

#include <algorithm>
#include <cstring>
#include <thread>

namespace szdd {

namespace {

const int kRing = 4096;
const int kRingStart = kRing - 16;  // where the expander writes its first byte
const int kMinMatch = 3, kMaxMatch = 18;
// Matches may reach into the spaces the ring starts with. Any space farther
// back than kMaxMatch gives the same match as one kMaxMatch back, so that
// many spaces before the data stand for all of them.
const int kPrefix = kMaxMatch;
const int kHashBits = 15;

// Hash chains over the window, one per key length: a match of at least
// kKeys[k] bytes is on chain k, so the longest match is found by searching the
// chain of the longest key first and shorter keys only while nothing that long
// turned up. A shorter chain is searched only for lengths below the previous
// key, and stops as soon as it finds the longest such length. Nothing is
// skipped: the result is exact.
const int kKeys[] = {16, 12, 9, 7, 6, 5, 4, 3};
const int kLevels = 8;

struct Chains {
    std::vector<int32_t> head[kLevels];
    std::vector<int32_t> prev[kLevels];
    Chains() {
        for (int k = 0; k < kLevels; k++) {
            head[k].assign(size_t(1) << kHashBits, -1);
            prev[k].assign(kRing, -1);
        }
    }
};

inline uint64_t Load64(const uint8_t* p) {
    uint64_t v;
    memcpy(&v, p, sizeof v);
    return v;
}

// The first n bytes (at most 16) hashed; the buffer has padding for the loads.
inline uint32_t Hash(const uint8_t* p, int n) {
    uint64_t v = Load64(p);
    if (n < 8) v &= (uint64_t(1) << (8 * n)) - 1;
    if (n > 8) {
        uint64_t high = n >= 16 ? Load64(p + 8) : Load64(p + 8) & ((uint64_t(1) << (8 * (n - 8))) - 1);
        v ^= high * 0x9E3779B97F4A7C15ull;
    }
    return uint32_t((v * 0xFF51AFD7ED558CCDull) >> (64 - kHashBits));
}

// Length of the common start of a and b, at most limit.
inline int CommonLength(const uint8_t* a, const uint8_t* b, int limit) {
    int l = 0;
    for (; l + 8 <= limit; l += 8) {
        uint64_t x = Load64(a + l) ^ Load64(b + l);
        if (x) return l + __builtin_ctzll(x) / 8;
    }
    while (l < limit && a[l] == b[l]) l++;
    return l;
}

// For positions first to end - 1, the longest match (length, and where it
// starts, as a position in the prefixed buffer) within the last 4096 bytes.
void FindMatches(const std::vector<uint8_t>& buf, size_t n, size_t first, size_t end, bool exhaustive,
                 uint8_t* len, uint16_t* from) {
    Chains chains;
    size_t total = kPrefix + n;
    uint32_t hash[kLevels];
    auto hashes = [&](size_t p) {
        for (int k = 0; k < kLevels; k++) hash[k] = Hash(&buf[p], kKeys[k]);
    };
    auto insert = [&](size_t p) {
        for (int k = 0; k < kLevels; k++) {
            if (p + kKeys[k] > total) continue;
            chains.prev[k][p & (kRing - 1)] = chains.head[k][hash[k]];
            chains.head[k][hash[k]] = int32_t(p);
        }
    };
    // The window before the first position, spaces included.
    size_t start = kPrefix + first;
    for (size_t p = start > size_t(kRing) ? start - kRing : 0; p < start; p++) {
        hashes(p);
        insert(p);
    }
    int best = 0;
    int32_t bestFrom = 0;
    for (size_t i = first; i < end; i++) {
        size_t p = kPrefix + i;
        size_t limit = std::min<size_t>(kMaxMatch, total - p);
        size_t oldest = p >= size_t(kRing) ? p - kRing : 0;
        // The last position's match, one byte on, is a match here: start from it.
        if (best > kMinMatch && !exhaustive && size_t(bestFrom + 1) >= oldest) {
            best = std::min<int>(best - 1, int(limit));
            bestFrom++;
        } else {
            best = 0;
            bestFrom = 0;
        }
        hashes(p);
        for (int k = exhaustive ? kLevels - 1 : 0; k < kLevels && size_t(best) < limit; k++) {
            if (k > 0 && best >= kKeys[k - 1] && !exhaustive) break;  // every match that long was on the last chain
            if (size_t(kKeys[k]) > limit) continue;
            // The longest this chain can add: anything longer was on the last one.
            int most = k > 0 && !exhaustive ? std::min<int>(kKeys[k - 1] - 1, int(limit)) : int(limit);
            if (best >= most) continue;
            int32_t c = chains.head[k][hash[k]];
            for (; c >= 0 && size_t(c) >= oldest; c = chains.prev[k][c & (kRing - 1)]) {
                if (buf[c + best] != buf[p + best]) continue;  // cannot beat best
                int l = CommonLength(&buf[c], &buf[p], int(limit));
                if (l > best) {
                    best = l;
                    bestFrom = c;
                    if (best >= most) break;
                }
            }
        }
        len[i] = uint8_t(best >= kMinMatch ? best : 0);
        // Where the match starts in the expander's ring: byte i lands at
        // (i + kRingStart) % kRing, and the spaces before the data below it.
        from[i] = uint16_t((long(bestFrom) - kPrefix + kRingStart + kRing) % kRing);
        insert(p);
    }
}

// The same, in slices on every core: each slice rebuilds the window before
// it, so the result does not depend on the split.
void FindAllMatches(const std::vector<uint8_t>& buf, size_t n, bool exhaustive, std::vector<uint8_t>* len,
                    std::vector<uint16_t>* from) {
    const size_t kMinSlice = size_t(1) << 18;
    size_t slices = std::min<size_t>(std::max(1u, std::thread::hardware_concurrency()), 8);
    slices = std::max<size_t>(1, std::min(slices, n / kMinSlice));
    std::vector<std::thread> workers;
    for (size_t s = 1; s < slices; s++)
        workers.emplace_back(FindMatches, std::cref(buf), n, n * s / slices, n * (s + 1) / slices, exhaustive,
                             len->data(), from->data());
    FindMatches(buf, n, 0, n / slices, exhaustive, len->data(), from->data());
    for (std::thread& t : workers) t.join();
}

}  // namespace

bool Compress(const std::vector<uint8_t>& data, char lastChar, std::vector<uint8_t>* out, bool exhaustive) {
    out->clear();
    if (data.size() > kMaxInput) return false;
    size_t n = data.size();
    uint8_t header[kHeaderSize] = {kMagic[0], kMagic[1], kMagic[2], kMagic[3], kMagic[4], kMagic[5], kMagic[6],
                                   kMagic[7], 'A', uint8_t(lastChar), uint8_t(n), uint8_t(n >> 8),
                                   uint8_t(n >> 16), uint8_t(n >> 24)};
    out->reserve(kHeaderSize + n + n / 8 + 1);
    out->assign(header, header + kHeaderSize);

    // The spaces, the data, and room for the word loads at the end.
    std::vector<uint8_t> buf(kPrefix + n + 16, 0);
    memset(buf.data(), ' ', kPrefix);
    if (n) memcpy(buf.data() + kPrefix, data.data(), n);
    std::vector<uint8_t> len(n);
    std::vector<uint16_t> from(n);
    FindAllMatches(buf, n, exhaustive, &len, &from);

    // Cheapest cost from each position to the end, and the step taken there
    // (0 for a literal, else a match of that length from the longest match's
    // start), worked backwards. Only the next kMaxMatch costs are ever needed.
    std::vector<uint8_t> step(n, 0);
    const size_t kCosts = 32;  // a ring of the costs from i on, at least kMaxMatch + 1
    uint64_t cost[kCosts] = {};
    for (size_t i = n; i-- > 0;) {
        uint64_t c = cost[(i + 1) % kCosts] + 9;
        for (int l = kMinMatch; l <= len[i]; l++) {
            if (cost[(i + l) % kCosts] + 17 < c) {
                c = cost[(i + l) % kCosts] + 17;
                step[i] = uint8_t(l);
            }
        }
        cost[i % kCosts] = c;
    }

    size_t flagAt = 0;
    int bit = 8;
    for (size_t i = 0; i < n;) {
        if (bit == 8) {
            flagAt = out->size();
            out->push_back(0);
            bit = 0;
        }
        if (!step[i]) {
            (*out)[flagAt] |= uint8_t(1 << bit);
            out->push_back(data[i]);
            i++;
        } else {
            int ring = from[i];
            out->push_back(uint8_t(ring & 0xFF));
            out->push_back(uint8_t(((ring >> 4) & 0xF0) | (step[i] - kMinMatch)));
            i += step[i];
        }
        bit++;
    }
    return true;
}

bool Expand(const std::vector<uint8_t>& file, std::vector<uint8_t>* out) {
    out->clear();
    int64_t want = PromisedLength(file.data(), file.size());
    if (want < 0) return false;
    uint8_t ring[kRing];
    memset(ring, ' ', sizeof ring);
    int w = kRingStart;
    size_t p = kHeaderSize;
    while (int64_t(out->size()) < want) {
        if (p >= file.size()) return false;
        uint8_t flags = file[p++];
        for (int bit = 0; bit < 8 && int64_t(out->size()) < want; bit++) {
            if (flags & (1 << bit)) {
                if (p >= file.size()) return false;
                ring[w] = file[p++];
                out->push_back(ring[w]);
                w = (w + 1) % kRing;
            } else {
                if (p + 1 >= file.size()) return false;
                int at = file[p] | ((file[p + 1] & 0xF0) << 4);
                int l = (file[p + 1] & 0x0F) + kMinMatch;
                p += 2;
                for (int k = 0; k < l; k++) {
                    ring[w] = ring[(at + k) % kRing];
                    out->push_back(ring[w]);
                    w = (w + 1) % kRing;
                }
            }
        }
    }
    return int64_t(out->size()) == want && p == file.size();
}

}  // namespace szdd
