#include "szdd.h"

#include <algorithm>
#include <cstring>
#include <memory>
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
// Hash bits: the chains hold at most a window's positions, so more buckets
// than that only cost clearing them; the 3-byte chain, probed first at every
// position, gets more so that a miss (most of noise) is seen at once.
const int kHashBits = 12, kHashBits3 = 13;

// Hash chains over the window, one per key length: a match of at least
// kKeys[k] bytes is on chain k, so the longest match is found by searching the
// chain of the longest key first and shorter keys only while nothing that long
// turned up. A shorter chain is searched only for lengths below the previous
// key, and stops as soon as it finds the longest such length. Nothing is
// skipped: the result is exact.
const int kKeys[] = {16, 12, 9, 7, 6, 5, 4, 3};
const int kLevels = 8;

struct Chains {
    std::unique_ptr<int32_t[]> head[kLevels];
    std::unique_ptr<int32_t[]> prev[kLevels];
    int bits[kLevels];
    // For total positions: a small file clears small tables, once each (-1
    // in every byte is -1).
    explicit Chains(size_t total) {
        int fit = 6;
        while (fit < kHashBits3 && (size_t(1) << fit) < total) fit++;
        size_t ring = std::min<size_t>(kRing, total);
        for (int k = 0; k < kLevels; k++) {
            bits[k] = std::min(fit, k == kLevels - 1 ? kHashBits3 : kHashBits);
            size_t buckets = size_t(1) << bits[k];
            head[k].reset(new int32_t[buckets]);
            prev[k].reset(new int32_t[ring]);
            memset(head[k].get(), 0xFF, buckets * sizeof(int32_t));
            memset(prev[k].get(), 0xFF, ring * sizeof(int32_t));
        }
    }
};

inline uint64_t Load64(const uint8_t* p) {
    uint64_t v;
    memcpy(&v, p, sizeof v);
    return v;
}

// The first n bytes (at most 16) hashed to bits bits; the buffer has padding
// for the loads.
inline uint32_t Hash(const uint8_t* p, int n, int bits) {
    uint64_t v = Load64(p);
    if (n < 8) v &= (uint64_t(1) << (8 * n)) - 1;
    if (n > 8) {
        uint64_t high = n >= 16 ? Load64(p + 8) : Load64(p + 8) & ((uint64_t(1) << (8 * (n - 8))) - 1);
        v ^= high * 0x9E3779B97F4A7C15ull;
    }
    return uint32_t((v * 0xFF51AFD7ED558CCDull) >> (64 - bits));
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
void FindMatches(const uint8_t* buf, size_t n, size_t first, size_t end, bool exhaustive,
                 uint8_t* len, uint16_t* from) {
    size_t total = kPrefix + n;
    Chains chains(total);
    uint32_t hash[kLevels];
    auto hashes = [&](size_t p) {
        for (int k = 0; k < kLevels; k++) hash[k] = Hash(&buf[p], kKeys[k], chains.bits[k]);
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
        // Without a match to go on, the 3-byte chain first: where it has no
        // match (most of noise), no chain has one.
        bool any = true;
        if (best < kMinMatch && !exhaustive) {
            const int k = kLevels - 1;
            for (int32_t c = chains.head[k][hash[k]]; c >= 0 && size_t(c) >= oldest;
                 c = chains.prev[k][c & (kRing - 1)]) {
                int l = CommonLength(&buf[c], &buf[p], int(limit));
                if (l >= kMinMatch) {
                    best = l;
                    bestFrom = c;
                    break;
                }
            }
            any = best >= kMinMatch;
        }
        for (int k = exhaustive ? kLevels - 1 : 0; any && k < kLevels && size_t(best) < limit; k++) {
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

// The same, in slices run side by side: each slice rebuilds the window
// before it. Where a slice starts, a match may be taken from elsewhere in the
// window than one byte on from the last, so the count of slices follows the
// size alone, not the machine's cores: every machine writes the same bytes.
void FindAllMatches(const uint8_t* buf, size_t n, bool exhaustive, uint8_t* len, uint16_t* from) {
    const size_t kMinSlice = size_t(1) << 16;
    size_t slices = std::max<size_t>(1, std::min<size_t>(8, n / kMinSlice));
    std::vector<std::thread> workers;
    for (size_t s = 1; s < slices; s++)
        workers.emplace_back(FindMatches, buf, n, n * s / slices, n * (s + 1) / slices, exhaustive, len, from);
    FindMatches(buf, n, 0, n / slices, exhaustive, len, from);
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
    // Not cleared first: every byte is written before it is read.
    std::unique_ptr<uint8_t[]> buf(new uint8_t[kPrefix + n + 16]);
    memset(buf.get(), ' ', kPrefix);
    if (n) memcpy(buf.get() + kPrefix, data.data(), n);
    memset(buf.get() + kPrefix + n, 0, 16);
    std::unique_ptr<uint8_t[]> len(new uint8_t[n]);
    std::unique_ptr<uint16_t[]> from(new uint16_t[n]);
    FindAllMatches(buf.get(), n, exhaustive, len.get(), from.get());

    // Cheapest cost from each position to the end, and the step taken there
    // (0 for a literal, else a match of that length from the longest match's
    // start), worked backwards. Only the next kMaxMatch costs are ever needed.
    // The step takes the place of the longest match, read only here.
    uint8_t* step = len.get();
    const size_t kCosts = 32;  // a ring of the costs from i on, at least kMaxMatch + 1
    uint64_t cost[kCosts] = {};
    for (size_t i = n; i-- > 0;) {
        uint64_t c = cost[(i + 1) % kCosts] + 9;
        uint8_t taken = 0;
        for (int l = kMinMatch; l <= len[i]; l++) {
            if (cost[(i + l) % kCosts] + 17 < c) {
                c = cost[(i + l) % kCosts] + 17;
                taken = uint8_t(l);
            }
        }
        step[i] = taken;
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
