// The disk builder's compressor against the real LZ expansion library: every
// output must expand byte for byte, and random data may grow only by its flags.
#include <gtest/gtest.h>
#include <windows.h>
#include <lzexpand.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "scratch.h"
#include "szdd.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Compresses, writes, expands with LZ32 and reads the result back.
Bytes ThroughLZ32(const Bytes& data, Bytes* packed) {
    szdd::Compress(data, 'x', packed);
    ScratchDir scratch("owsz");
    std::string in = scratch / "data._x_", out = scratch / "data.x";
    std::ofstream(in, std::ios::binary).write(reinterpret_cast<const char*>(packed->data()), packed->size());
    OFSTRUCT ofs;
    INT src = LZOpenFileA(const_cast<char*>(in.c_str()), &ofs, OF_READ);
    INT dst = LZOpenFileA(const_cast<char*>(out.c_str()), &ofs, OF_CREATE);
    EXPECT_GE(src, 0);
    EXPECT_GE(dst, 0);
    LONG n = CopyLZFile(src, dst);
    LZClose(src);
    LZClose(dst);
    EXPECT_EQ(n, LONG(data.size()));
    std::ifstream back(out, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(back), std::istreambuf_iterator<char>());
}

void RoundTrip(const Bytes& data, const char* what) {
    Bytes packed;
    EXPECT_EQ(ThroughLZ32(data, &packed), data) << what << ", " << data.size() << " bytes";
    Bytes mine;
    EXPECT_TRUE(szdd::Expand(packed, &mine)) << what;
    EXPECT_EQ(mine, data) << what;
    EXPECT_EQ(szdd::PromisedLength(packed.data(), packed.size()), int64_t(data.size()));
}

Bytes Random(size_t n, uint32_t seed) {
    Bytes v(n);
    for (auto& b : v) b = uint8_t((seed = seed * 1664525u + 1013904223u) >> 24);
    return v;
}

TEST(Szdd, EverySizeFromZeroToForty) {
    for (size_t n = 0; n <= 40; n++) {
        Bytes data = Random(n, uint32_t(n));
        for (size_t i = n / 2; i < n; i++) data[i] = data[i - n / 2];  // something to match
        RoundTrip(data, "small");
    }
}

TEST(Szdd, HeaderKeepsTheNameCharacterAndLength) {
    Bytes packed;
    szdd::Compress(Bytes(300, 'q'), 'l', &packed);
    ASSERT_GE(packed.size(), szdd::kHeaderSize);
    EXPECT_EQ(std::string(packed.begin(), packed.begin() + 4), "SZDD");
    EXPECT_EQ(packed[8], 'A');
    EXPECT_EQ(packed[9], 'l');
    EXPECT_EQ(szdd::PromisedLength(packed.data(), packed.size()), 300);
}

TEST(Szdd, RunsSpacesAndRepeats) {
    RoundTrip(Bytes(100, ' '), "leading spaces");
    Bytes spaces(40, ' ');
    spaces.push_back('x');
    Bytes tail = Random(500, 3);
    spaces.insert(spaces.end(), tail.begin(), tail.end());
    RoundTrip(spaces, "spaces then data");
    RoundTrip(Bytes(1000, 'a'), "1000 a");
    Bytes abab;
    for (int i = 0; i < 5000; i++) abab.push_back("ab"[i % 2]);
    RoundTrip(abab, "abab");
    Bytes period = Random(4096, 9);
    for (int i = 0; i < 3 * 4096; i++) period.push_back(period[i]);
    RoundTrip(period, "period 4096");
    Bytes ring = Random(4090, 11);  // repeats whose source straddles the ring's wrap
    for (int i = 0; i < 8000; i++) ring.push_back(ring[ring.size() - 4093]);
    RoundTrip(ring, "across the ring");
}

TEST(Szdd, RandomDataGrowsOnlyByItsFlagBytes) {
    Bytes data = Random(65536, 5);
    Bytes packed;
    EXPECT_EQ(ThroughLZ32(data, &packed), data);
    EXPECT_LE(packed.size(), 14 + data.size() + (data.size() + 7) / 8);
}

TEST(Szdd, MultiMegabyteFile) {
    Bytes data;
    const char* words[] = {"orb ", "weave ", "plug-in ", "filter ", "\r\n"};
    uint32_t s = 1;
    while (data.size() < 3 * 1024 * 1024) {
        s = s * 69069 + 1;
        if (s >> 31) {
            const char* w = words[(s >> 8) % 5];
            data.insert(data.end(), w, w + strlen(w));
        } else {
            data.push_back(uint8_t(s >> 16));
        }
    }
    Bytes packed;
    EXPECT_EQ(ThroughLZ32(data, &packed), data);
    EXPECT_LT(packed.size(), data.size() * 3 / 4);
}

TEST(Szdd, InputsBeyondLZ32sSignedSizesAreRefused) {
    EXPECT_EQ(szdd::kMaxInput, 0x7FFFFFFFu);
}

TEST(Szdd, DamagedStreamsDoNotExpand) {
    Bytes packed;
    szdd::Compress(Random(3000, 1), 'x', &packed);
    Bytes cut(packed.begin(), packed.begin() + packed.size() / 2), out;
    EXPECT_FALSE(szdd::Expand(cut, &out));
    packed[8] = 'B';
    EXPECT_FALSE(szdd::Expand(packed, &out));
    EXPECT_EQ(szdd::PromisedLength(packed.data(), packed.size()), -1);
}

}  // namespace
