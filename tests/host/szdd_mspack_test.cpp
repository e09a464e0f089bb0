// The compressor's output expanded by an independent implementation, libmspack.
#include <gtest/gtest.h>
#include <mspack.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "szdd.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ThroughMspack(const Bytes& data, char lastChar, char* missing) {
    Bytes packed;
    EXPECT_TRUE(szdd::Compress(data, lastChar, &packed));
    // Named for this process too: two checkouts may test side by side.
    std::string base = testing::TempDir() + "owsz_" + std::to_string(getpid()) + "_" +
                       testing::UnitTest::GetInstance()->current_test_info()->name();
    std::string in = base + ".in", out = base + ".out";
    std::ofstream(in, std::ios::binary).write(reinterpret_cast<const char*>(packed.data()), packed.size());
    msszdd_decompressor* d = mspack_create_szdd_decompressor(nullptr);
    msszddd_header* h = d->open(d, const_cast<char*>(in.c_str()));
    EXPECT_NE(h, nullptr);
    Bytes back;
    if (h) {
        EXPECT_EQ(h->length, off_t(data.size()));
        *missing = h->missing_char;
        EXPECT_EQ(d->extract(d, h, const_cast<char*>(out.c_str())), MSPACK_ERR_OK);
        d->close(d, h);
        std::ifstream f(out, std::ios::binary);
        back.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    }
    mspack_destroy_szdd_decompressor(d);
    std::remove(in.c_str());  // written anew by every call: nothing of one run reaches the next
    std::remove(out.c_str());
    return back;
}

Bytes Random(size_t n, uint32_t seed) {
    Bytes v(n);
    for (auto& b : v) b = uint8_t((seed = seed * 1664525u + 1013904223u) >> 24);
    return v;
}

void Check(const Bytes& data, const char* what) {
    char missing = 0;
    EXPECT_EQ(ThroughMspack(data, 'l', &missing), data) << what << ", " << data.size() << " bytes";
    EXPECT_EQ(missing, 'l');
}

TEST(SzddMspack, EverySizeFromZeroToForty) {
    for (size_t n = 0; n <= 40; n++) {
        Bytes data = Random(n, uint32_t(n) + 100);
        for (size_t i = n / 2; i < n; i++) data[i] = data[i - n / 2];
        Check(data, "small");
    }
}

TEST(SzddMspack, RunsRepeatsAndRandomData) {
    Check(Bytes(100, ' '), "spaces");
    Check(Bytes(1000, 'a'), "1000 a");
    Bytes abab, period = Random(4096, 9);
    for (int i = 0; i < 5000; i++) abab.push_back("ab"[i % 2]);
    Check(abab, "abab");
    for (int i = 0; i < 3 * 4096; i++) period.push_back(period[i]);
    Check(period, "period 4096");
    Check(Random(65536, 5), "random");
    Bytes big;
    while (big.size() < (4u << 20)) {
        Bytes chunk = Random(300, uint32_t(big.size()));
        big.insert(big.end(), chunk.begin(), chunk.end());
        big.insert(big.end(), chunk.begin(), chunk.begin() + 150);
    }
    Check(big, "4 MB");
}

}  // namespace

namespace {

// The match finder's shortcuts must find what an exhaustive search finds:
// the parse is optimal either way, so the sizes are equal.
TEST(SzddParse, ShortcutsLoseNothing) {
    Bytes text;
    const char* words[] = {"weave ", "weaver ", "woven ", "orb ", "orbit ", "\r\n", "  "};
    uint32_t s = 3;
    while (text.size() < 300000) {
        s = s * 69069 + 1;
        const char* w = words[(s >> 12) % 7];
        text.insert(text.end(), w, w + strlen(w));
        if ((s >> 28) == 0) text.push_back(uint8_t(s >> 8));
    }
    Bytes binary = Random(200000, 77);
    for (size_t i = 0; i < binary.size(); i++)
        if (i % 7 < 4) binary[i] = uint8_t(i % 256 / 16);
    for (const Bytes* data : {&text, &binary}) {
        Bytes fast, full;
        szdd::Compress(*data, 'x', &fast);
        szdd::Compress(*data, 'x', &full, true);
        EXPECT_EQ(fast.size(), full.size());
    }
}

}  // namespace

namespace {

// A reference encoder written for this test, sharing nothing with the
// compressor's parse: at every position it takes the longest match the
// decoder's ring allows (searched by brute force over all 4,096 places, the
// initial spaces and overlapping copies included), else a literal. The
// compressor's parse is optimal, so it is never larger than this one.
size_t GreedySize(const Bytes& data, Bytes* stream) {
    uint8_t ring[4096];
    memset(ring, ' ', sizeof ring);
    size_t at = 4096 - 16, i = 0;
    stream->clear();
    size_t flagAt = 0;
    int item = 8;
    while (i < data.size()) {
        if (item == 8) {
            flagAt = stream->size();
            stream->push_back(0);
            item = 0;
        }
        size_t best = 0, bestPlace = 0;
        size_t most = std::min<size_t>(18, data.size() - i);
        for (size_t p = 0; p < 4096; p++) {
            size_t n = 0;
            while (n < most) {
                // A place the copy itself has written reads what it wrote.
                size_t ahead = (p + n - at) & 4095;
                uint8_t b = ahead < n ? data[i + ahead] : ring[(p + n) & 4095];
                if (b != data[i + n]) break;
                n++;
            }
            if (n > best) best = n, bestPlace = p;
        }
        size_t take = best >= 3 ? best : 1;
        if (take == 1) {
            (*stream)[flagAt] |= uint8_t(1 << item);
            stream->push_back(data[i]);
        } else {
            stream->push_back(uint8_t(bestPlace));
            stream->push_back(uint8_t(((bestPlace >> 4) & 0xF0) | (take - 3)));
        }
        item++;
        for (size_t k = 0; k < take; k++) ring[(at + k) & 4095] = data[i + k];
        at = (at + take) & 4095;
        i += take;
    }
    return stream->size();
}

Bytes Words(size_t n, uint32_t s) {
    const char* words[] = {"filter ", "weave ", "woven ", "orb ", "pixel ", "\r\n", "channel ", "mask "};
    Bytes text;
    while (text.size() < n) {
        s = s * 69069 + 1;
        const char* w = words[(s >> 12) % 8];
        text.insert(text.end(), w, w + strlen(w));
        if ((s >> 27) == 0) text.push_back(uint8_t(s >> 8));
    }
    text.resize(n);
    return text;
}

Bytes Tables(size_t n, uint32_t s) {
    Bytes v = Random(n, s);
    for (size_t i = 0; i < n; i++)
        if (i % 8 < 5) v[i] = uint8_t((i / 8) % 64);
    return v;
}

// Any loss of ratio fails here: against the reference, and against the sizes
// this compressor reaches today on a corpus made here (a better parse may
// lower them; then they are pinned again).
TEST(SzddParse, NeverLargerThanAGreedyLongestMatchAndPinned) {
    const struct {
        const char* what;
        Bytes data;
        size_t pinned;
    } corpus[] = {
        {"words", Words(40000, 5), 6221},
        {"tables", Tables(40000, 6), 27253},
        {"spaces and runs", Bytes(3000, ' '), 369},
    };
    for (auto& c : corpus) {
        Bytes packed, reference, back;
        ASSERT_TRUE(szdd::Compress(c.data, 'x', &packed));
        size_t greedy = GreedySize(c.data, &reference);
        Bytes file(szdd::kHeaderSize + reference.size());  // the compressor's header, the reference's stream
        std::copy(packed.begin(), packed.begin() + szdd::kHeaderSize, file.begin());
        std::copy(reference.begin(), reference.end(), file.begin() + szdd::kHeaderSize);
        ASSERT_TRUE(szdd::Expand(file, &back)) << c.what;
        ASSERT_EQ(back, c.data) << c.what << ": the reference itself is wrong";
        EXPECT_LE(packed.size() - szdd::kHeaderSize, greedy) << c.what;
        EXPECT_EQ(packed.size(), c.pinned) << c.what;
        printf("%-16s %6zu bytes: compressor %6zu, greedy reference %6zu\n", c.what, c.data.size(),
               packed.size() - szdd::kHeaderSize, greedy);
    }
}

}  // namespace
