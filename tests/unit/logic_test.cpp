// Logic that needs no window: the template-text splitter, LZ error mapping,
// paths and their limits, free-space text and the progress graph's geometry.
#include <gtest/gtest.h>

#include <string>

#include "../../controls/controls.h"
#include "compat.h"
#include "copy.h"
#include "filetable.h"
#include "pathdlg.h"
#include "sums.h"

namespace {

TEST(PickOff, SplitsFieldsAtTheDelimiter) {
    char text[] = "1,Hel";
    char field[63];
    char* next = MyControlCtl::pickOff(text, ',', field, sizeof field);
    EXPECT_STREQ(field, "1");
    EXPECT_EQ(next, text + 2);
    next = MyControlCtl::pickOff(next, ',', field, sizeof field);
    EXPECT_STREQ(field, "Hel");
    EXPECT_EQ(next, text + 5);
}

TEST(PickOff, KeepsSizeMinusTwoCharactersAndSkipsTheRest) {
    char text[] = "abcdef,g";
    char field[4] = "xyz";
    char* next = MyControlCtl::pickOff(text, ',', field, 4);
    EXPECT_STREQ(field, "ab");
    EXPECT_EQ(next, text + 7);
}

TEST(PickOff, EmptyTextGivesEmptyFieldAndSamePosition) {
    char text[] = "";
    char field[8] = "junk";
    EXPECT_EQ(MyControlCtl::pickOff(text, ',', field, 8), text);
    EXPECT_STREQ(field, "");
}

TEST(LZErrors, MappingAndShortCopies) {
    const int in[] = {-1, -2, -3, -4, -5, -6, -7, -8, -99};
    const int out[] = {-1, -3, -3, -4, -5, -5, -3, -3, -3};
    for (int i = 0; i < 9; i++) EXPECT_EQ(MapLZError(in[i]), out[i]) << in[i];
    EXPECT_EQ(ShortCopyError(1000, 400, 0), -4);
    EXPECT_EQ(ShortCopyError(1000, 400, 599), -4);
    EXPECT_EQ(ShortCopyError(1000, 400, 600), -3);
    EXPECT_EQ(ShortCopyError(1000, 1200, 0), -3);  // longer than promised: the data is wrong
    EXPECT_EQ(ShortCopyError(1000, 400, -1), -3);  // free space unknown: not a full disk
}

TEST(Paths, PreparePathAddsBackslashAndLowerCases) {
    char a[32] = "C:\\Plugins";
    PreparePath(a);
    EXPECT_STREQ(a, "c:\\plugins\\");
    char b[32] = "c:\\plugins\\";
    PreparePath(b);
    EXPECT_STREQ(b, "c:\\plugins\\");
}

// A "~" string number, read as the C runtime's atol reads it.
TEST(StringNumber, AsAtolReadsIt) {
    const struct {
        const char* text;
        long n;
    } cases[] = {{"5000", 5000},   {" \t5000", 5000},  {"+5000", 5000},         {"-5", -5},
                 {"12ab", 12},     {"x1", 0},          {"", 0},                {"- 5", 0},
                 {"2147483647", 2147483647L}, {"99999999999", 2147483647L}, {"-2147483648", -2147483647L - 1},
                 {"-99999999999", -2147483647L - 1}};
    for (auto& c : cases) EXPECT_EQ(StringNumber(c.text), c.n) << '"' << c.text << '"';
}

TEST(GraphLogic, ClampsIntoTheRange) {
    EXPECT_EQ(ClampPosition(-5, 0, 100), 0);
    EXPECT_EQ(ClampPosition(250, 0, 100), 100);
    EXPECT_EQ(ClampPosition(37, 0, 100), 37);
    EXPECT_EQ(ClampPosition(7, 10, 5), 5);  // upside down: the maximum
}

TEST(GraphLogic, BarEndsAtTwoAndWidthMinusTwo) {
    EXPECT_EQ(PositionToX(0, 0, 100, 200), 2);
    EXPECT_EQ(PositionToX(100, 0, 100, 200), 198);
    EXPECT_EQ(PositionToX(50, 0, 100, 201), 101);  // 98.5 rounds away from zero
    EXPECT_EQ(PositionToPercent(37, 0, 100), 37);
    EXPECT_EQ(PositionToPercent(1, 0, 3), 33);
}

TEST(GraphLogic, EmptyRangeIsAnEmptyBarAtZeroPercent) {
    EXPECT_EQ(PositionToX(5, 5, 5, 200), 2);
    EXPECT_EQ(PositionToPercent(5, 5, 5), 0);
}

TEST(FreeSpace, SizesOfAnyMagnitude) {
    const struct {
        DWORD clusters, sectors, bytes;
        const char* text;
    } cases[] = {
        {0x7FFFFFFF, 1, 1, "2097.151 MB"},      // 2^31 - 1 bytes
        {1 << 15, 1 << 7, 1 << 9, "2097.152 MB"},  // 2^31
        {1 << 16, 1 << 7, 1 << 9, "4194.304 MB"},  // 2^32
        {1 << 26, 1 << 7, 1 << 9, "4294967.296 MB"},  // 2^42
    };
    for (auto& c : cases) {
        char text[32];
        freespacestr(ClusterBytes(c.clusters, c.sectors, c.bytes) / 1024, text);
        EXPECT_STREQ(text, c.text);
    }
    char text[32];
    freespacestr(1300, text);
    EXPECT_STREQ(text, "1.300 MB");
    freespacestr(1050, text);
    EXPECT_STREQ(text, "1.050 MB");
    freespacestr(7, text);
    EXPECT_STREQ(text, "0.007 MB");
}

TEST(FullPath, ADriveOrAShareThenFileNameCharacters) {
    for (const char* good : {"c:\\plugins", "C:\\", "z:\\a b\\c.d\\", "e:\\x/y", "\\\\server\\share",
                             "\\\\server\\share\\plug ins"})
        EXPECT_TRUE(FullPath(good)) << good;
    for (const char* bad : {"plugins", "c:plugins", "ac:1", "\\plugins", "1:\\x", "c:\\a:b", "c:\\plu*gins", "c:\\a?",
                            "c:\\\"q\"", "c:\\<", "c:\\>", "c:\\|", "c:\\tab\there", "", "\\\\server", "\\\\server\\",
                            "\\\\\\share", "\\\\.\\pipe\\x", "\\\\?\\c:\\x", "\\\\server\\sh|are"})
        EXPECT_FALSE(FullPath(bad)) << bad;
}

TEST(TidyPath, AsWindowsTakesIt) {
    const char* cases[][2] = {
        {"c:\\plugins ", "c:\\plugins"},        {"  c:\\plugins. . ", "c:\\plugins"},
        {"c:/plugins/", "c:\\plugins"},           {"c:\\plugins \\ ", "c:\\plugins"},
        {"c:\\", "c:\\"},                        {"c:\\ ", "c:\\"},
        {"c:\\a\\.. ", "c:\\a\\.."},             {"\\\\server\\share\\", "\\\\server\\share"},
        {"//server/share/new ", "\\\\server\\share\\new"}, {"c:\\pl ug.ins", "c:\\pl ug.ins"},
        {"   ", ""},
    };
    for (auto& c : cases) {
        char path[160];
        lstrcpyA(path, c[0]);
        TidyPath(path);
        EXPECT_STREQ(path, c[1]) << '"' << c[0] << '"';
    }
}

TEST(Temporaries, OnlyNamesTheCopyCouldHaveMade) {
    for (const char* own : {"ows1.tmp", "owsBAD.TMP", "OWSffff.tmp", "ows0a2f.Tmp"}) EXPECT_TRUE(IsOwnTemporary(own)) << own;
    for (const char* other : {"ows.tmp", "ows12345.tmp", "owsetup.tmp", "ows12.tmp.bak", "ows1g.tmp", "xows1.tmp",
                              "ows1.tmpx", "ow1.tmp"})
        EXPECT_FALSE(IsOwnTemporary(other)) << other;
}

TEST(FreeSpace, DirectoriesMustLeaveRoomForTheLongestNameOpenFileTakes) {
    // 127 characters at most, with a backslash and a 12-character name; the
    // directory is given with its backslash.
    for (int sources = 0; sources < 2; sources++) {
        std::string dir = "c:\\" + std::string(127 - 1 - 12 - 3, 'a');
        EXPECT_TRUE(DirFits((dir + "\\").c_str(), sources));
        EXPECT_FALSE(DirFits((dir + "a\\").c_str(), sources));
    }
}

TEST(DiskSums, TheCrcIsZips) { EXPECT_EQ(Crc32(0, "123456789", 9), 0xCBF43926u); }

// A list as mkdisk writes it, its last line the CRC-32 of the lines before;
// then the same with one thing wrong, each of which makes it no list.
TEST(DiskSums, AListReadsWholeOrNotAtAll) {
    auto list = [](const std::string& lines, const std::string& after = "") {
        char end[32];
        snprintf(end, sizeof end, "end %08x\r\n", unsigned(Crc32(0, lines.data(), unsigned(lines.size()))));
        return lines + end + after;
    };
    const std::string good = "; a comment\r\nmsvcrt20._ll 100000 4500b7b3\r\nvxfila32._bf 7 0000000A\r\n";
    const struct {
        const char* what;
        std::string text;
        int count;
    } rows[] = {
        {"as written", list(good), 2},
        {"with Unix line ends", list("vxfila32._bf 7 a\n"), 1},
        {"a character changed after its CRC was taken", list(good).replace(20, 1, "2"), -1},
        {"no last line", good, -1},
        {"a line after the last", list(good, "x 1 1\r\n"), -1},
        {"the last line without its end", list(good).substr(0, list(good).size() - 2), -1},
        {"a name longer than 8.3", list("vxfila32._bfx 7 a\r\n"), -1},
        {"a size that is no number", list("vxfila32._bf 7x a\r\n"), -1},
        {"a CRC of more than 32 bits", list("vxfila32._bf 7 100000000\r\n"), -1},
        {"a field missing", list("vxfila32._bf 7\r\n"), -1},
        {"more entries than there is room for", list(good + good), -1},
    };
    for (const auto& r : rows) {
        DiskSum sums[3];
        EXPECT_EQ(ParseSums(r.text.data(), unsigned(r.text.size()), sums, 3), r.count) << r.what;
    }
    DiskSum sums[2];
    std::string text = list(good);
    ASSERT_EQ(ParseSums(text.data(), unsigned(text.size()), sums, 2), 2);
    const DiskSum* found = FindSum(sums, 2, "VXFILA32._BF");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->size, 7u);
    EXPECT_EQ(found->crc, 10u);
    EXPECT_EQ(FindSum(sums, 2, "vxfila32._b"), nullptr);
}

}  // namespace
