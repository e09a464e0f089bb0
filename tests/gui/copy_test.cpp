// The copy engine against the real LZ expansion library under Wine: errors,
// their messages, what is left on disk, and the time-stamp tests.
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "szdd.h"
#include "copy.h"
#include "host.h"

namespace {

void Write(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::vector<uint8_t> Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<uint8_t> Sample(size_t n) {
    std::vector<uint8_t> v(n);
    uint32_t s = 7;
    for (size_t i = 0; i < n; i++) v[i] = uint8_t(i % 97 < 40 ? 'a' + i % 26 : (s = s * 69069 + 1) >> 24);
    return v;
}

std::vector<uint8_t> Packed(const std::vector<uint8_t>& data) {
    std::vector<uint8_t> out;
    szdd::Compress(data, 'f', &out);
    return out;
}

// Temporary files the copy engine may have left in a directory.
int Leftovers(const std::string& dir) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "ows*.tmp").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return 0;
    int n = 0;
    do n++; while (FindNextFileA(h, &fd));
    FindClose(h);
    return n;
}

class Copy : public ::testing::Test {
protected:
    ScratchDir scratch{"owcopy"};  // a failed run may have left temporaries
    std::string dir = scratch.path;
    std::string src = dir + "vxfila32._bf", dest = dir + "vxfila32.8bf";
    std::vector<uint8_t> old = {'o', 'l', 'd'};
    void SetUp() override {
        ghInst = GetModuleHandleA(nullptr);
        Write(dest, old);
    }
    // Copies as MyLZCopy does, without its window: the result as MyLZCopy
    // returns it, and the text its alert would show.
    int Run(const std::string& from, const std::string& to, std::vector<std::string>* texts) {
        char failed[MAX_PATH], message[256];
        int code = ExpandFile(from.c_str(), to.c_str(), failed);
        if (code >= 0) return code;
        int mapped = LZErrorText(code, failed, message);
        texts->push_back(message);
        return mapped;
    }
    // A damaged source is refused as corrupt data, the old file kept, nothing left over.
    void ExpectRefusedAsCorrupt(const std::vector<uint8_t>& packed) {
        Write(src, packed);
        std::vector<std::string> alerts;
        EXPECT_EQ(Run(src, dest, &alerts), -3);
        ASSERT_EQ(alerts.size(), 1u);
        EXPECT_EQ(alerts[0], "Internal error (-3)");
        EXPECT_EQ(Read(dest), old);
        EXPECT_EQ(Leftovers(dir), 0);
    }
};

TEST_F(Copy, CompressedSourceExpandsOverTheOldFile) {
    std::vector<uint8_t> data = Sample(70000);
    Write(src, Packed(data));
    std::vector<std::string> alerts;
    EXPECT_EQ(Run(src, dest, &alerts), 1);
    EXPECT_TRUE(alerts.empty());
    EXPECT_EQ(Read(dest), data);
    EXPECT_EQ(Leftovers(dir), 0);
}

TEST_F(Copy, UncompressedSourceIsCopiedUnchanged) {
    std::vector<uint8_t> data = Sample(5000);
    Write(src, data);
    std::vector<std::string> alerts;
    EXPECT_EQ(Run(src, dest, &alerts), 1);
    EXPECT_EQ(Read(dest), data);
}

TEST_F(Copy, MissingSourceNamesTheSource) {
    std::vector<std::string> alerts;
    EXPECT_EQ(Run(src, dest, &alerts), -1);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0], "Cannot open \"" + src + "\"");
    EXPECT_EQ(Read(dest), old);
}

TEST_F(Copy, UnknownCompressionIsAnInternalErrorMinusThree) {
    std::vector<uint8_t> packed = Packed(Sample(3000));
    packed[8] = 'B';  // an algorithm LZ32 does not know: its own code is -8
    ExpectRefusedAsCorrupt(packed);
}

TEST_F(Copy, TruncatedSourceIsCorruptNotAShortFileNorAFullDisk) {
    std::vector<uint8_t> packed = Packed(Sample(30000));
    packed.resize(packed.size() / 2);
    ExpectRefusedAsCorrupt(packed);
}

TEST_F(Copy, ReadOnlyDestinationIsReportedAndKept) {
    Write(src, Packed(Sample(2000)));
    SetFileAttributesA(dest.c_str(), FILE_ATTRIBUTE_READONLY);
    std::vector<std::string> alerts;
    EXPECT_EQ(Run(src, dest, &alerts), -1);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0], "Cannot open \"" + dest + "\"");
    EXPECT_EQ(Read(dest), old);
    EXPECT_EQ(Leftovers(dir), 0);
    SetFileAttributesA(dest.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Copy, SourceThatIsADirectoryCannotBeOpened) {
    std::vector<std::string> alerts;
    EXPECT_EQ(Run(dir, dest, &alerts), -1);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(Read(dest), old);
}

// The test bed links drive T: to a 64 KB tmpfs when it may mount one.
bool TinyDisk() {
    ULARGE_INTEGER total;
    return GetDiskFreeSpaceExA("T:\\", nullptr, &total, nullptr) && total.QuadPart <= 1024 * 1024;
}

TEST_F(Copy, FullDiskKeepsTheEarlierFileAndLeavesNoTemporary) {
    if (!TinyDisk()) GTEST_SKIP() << "no 64 KB drive T: (mounting a tmpfs was refused here)";
    RemoveTree("T:");  // the tiny disk's files, whatever an earlier run left there
    std::string tinyDest = "T:\\vxfila32.8bf";
    Write(tinyDest, old);
    Write(src, Packed(Sample(200000)));
    std::vector<std::string> alerts;
    EXPECT_EQ(Run(src, tinyDest, &alerts), -4);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0], "Disk full when copying \"" + src + "\"");
    EXPECT_EQ(Read(tinyDest), old);
    EXPECT_EQ(Leftovers("T:\\"), 0);
    DeleteFileA(tinyDest.c_str());
}

void Stamp(const std::string& path, WORD y, WORD mo, WORD d, WORD h, WORD mi, WORD s) {
    SYSTEMTIME st = {y, mo, 0, d, h, mi, s, 0};
    FILETIME local, utc;
    SystemTimeToFileTime(&st, &local);
    LocalFileTimeToFileTime(&local, &utc);
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(f, nullptr, nullptr, &utc);
    CloseHandle(f);
}

TEST_F(Copy, FileNewerComparesWholeStamps) {
    EXPECT_EQ(FileNewer((dir + "absent._bf").c_str(), (dir + "absent.8bf").c_str()), 1);  // source never opened
    Write(src, old);
    const struct {
        WORD s[6], d[6];
        int newer;
    } cases[] = {
        {{1996, 3, 4, 10, 0, 0}, {1996, 3, 4, 10, 0, 0}, 0},    // equal
        {{1996, 3, 5, 8, 0, 0}, {1996, 3, 4, 20, 0, 0}, 1},     // a day later, earlier in the day
        {{1996, 2, 1, 8, 0, 0}, {1996, 1, 31, 20, 0, 0}, 1},    // across a month's end
        {{1996, 1, 31, 20, 0, 0}, {1996, 2, 1, 8, 0, 0}, 0},
        {{1996, 3, 4, 10, 0, 2}, {1996, 3, 4, 10, 0, 0}, 1},    // one two-second step
        {{1995, 12, 31, 23, 59, 58}, {1996, 1, 1, 0, 0, 0}, 0},
    };
    for (auto& c : cases) {
        Stamp(src, c.s[0], c.s[1], c.s[2], c.s[3], c.s[4], c.s[5]);
        Stamp(dest, c.d[0], c.d[1], c.d[2], c.d[3], c.d[4], c.d[5]);
        EXPECT_EQ(FileNewer(src.c_str(), dest.c_str()), c.newer)
            << c.s[0] << "-" << c.s[1] << "-" << c.s[2] << " vs " << c.d[0] << "-" << c.d[1] << "-" << c.d[2];
    }
}

TEST_F(Copy, FileExistAndWriteable) {
    EXPECT_EQ(FileExist(dest.c_str()), 1);
    EXPECT_EQ(FileExist((dir + "absent.8bf").c_str()), 0);
    EXPECT_EQ(FileWriteable((dir + "absent.8bf").c_str()), 1);
    EXPECT_EQ(FileWriteable(dest.c_str()), 1);
    SetFileAttributesA(dest.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(FileWriteable(dest.c_str()), 0);
    SetFileAttributesA(dest.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
