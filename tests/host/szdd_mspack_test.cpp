// The compressor's output expanded by an independent implementation, libmspack.
#include <gtest/gtest.h>
#include <mspack.h>

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
    std::string base = testing::TempDir() + "owsz_" + testing::UnitTest::GetInstance()->current_test_info()->name();
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
