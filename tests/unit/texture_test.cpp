// Texture arithmetic without windows: tones, tile ranges, formats, bevels.
#include <gtest/gtest.h>

#include <vector>

#include "../../controls/image/dibtex.h"
#include "../../controls/image/texdlg.h"

namespace {

TEST(Tones, HighlightAndShadowOfTheStatedComponents) {
    const int in[] = {0, 100, 143, 144, 255};
    const int light[] = {40, 190, 254, 255, 255};
    const int dark[] = {0, 40, 83, 84, 195};
    for (int i = 0; i < 5; i++) {
        EXPECT_EQ(HilightValue(in[i], 40, 2), light[i]) << in[i];
        EXPECT_EQ(ShadowValue(in[i], 60), dark[i]) << in[i];
    }
    EXPECT_EQ(ShadowValue(60, 60), 0);
}

// A colour table whose entry i is (i, 255 - i, i / 2) with reserved byte i ^ 0x5A.
std::vector<BYTE> Table() {
    std::vector<BYTE> block(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* info = reinterpret_cast<BITMAPINFO*>(block.data());
    info->bmiHeader.biSize = 40;
    info->bmiHeader.biWidth = 128;
    info->bmiHeader.biBitCount = 8;
    for (int i = 0; i < 256; i++)
        info->bmiColors[i] = {BYTE(i / 2), BYTE(255 - i), BYTE(i), BYTE(i ^ 0x5A)};
    return block;
}

TEST(Tones, DerivedTablesChangeEveryColourAndKeepReservedBytes) {
    std::vector<BYTE> block = Table();
    auto* src = reinterpret_cast<BITMAPINFO*>(block.data());
    BITMAPINFO* light = DIBTex::HilightPal(src, 40, 2);
    BITMAPINFO* dark = DIBTex::ShadowPal(src, 60);
    ASSERT_TRUE(light && dark);
    EXPECT_EQ(light->bmiHeader.biWidth, 128);  // header copied
    for (int i = 0; i < 256; i++) {
        const RGBQUAD &s = src->bmiColors[i], &l = light->bmiColors[i], &d = dark->bmiColors[i];
        EXPECT_EQ(l.rgbRed, HilightValue(s.rgbRed, 40, 2));
        EXPECT_EQ(l.rgbGreen, HilightValue(s.rgbGreen, 40, 2));
        EXPECT_EQ(l.rgbBlue, HilightValue(s.rgbBlue, 40, 2));
        EXPECT_EQ(d.rgbRed, ShadowValue(s.rgbRed, 60));
        EXPECT_EQ(d.rgbBlue, ShadowValue(s.rgbBlue, 60));
        EXPECT_EQ(l.rgbReserved, s.rgbReserved);
        EXPECT_EQ(d.rgbReserved, s.rgbReserved);
    }
    BITMAPINFO* tables[3] = {dark, src, light};
    HPALETTE pal = DIBTex::CreateBestPalette(tables);
    ASSERT_NE(pal, nullptr);
    PALETTEENTRY e;
    ASSERT_EQ(GetPaletteEntries(pal, 200, 1, &e), 1u);
    EXPECT_EQ(e.peRed, 200);  // from the normal table, red and blue in their places
    EXPECT_EQ(e.peGreen, 55);
    EXPECT_EQ(e.peBlue, 100);
    DeleteObject(pal);
    DIBTex::FreeBMInfo(light);
    DIBTex::FreeBMInfo(dark);
}

TEST(Tiles, RangesForTheStatedAreas) {
    const struct {
        int lo, hi, offset, first, end;
    } cases[] = {
        {0, 200, 10, 0, 2},  // columns for offset 10, area 0..200: tiles at -10 and 118
        {0, 50, 30, 0, 1},   // rows for offset 30, area 0..50
        {0, 128, 0, 0, 1},   {0, 129, 0, 0, 2},
        {0, 0, 0, 0, 0},     // an empty area at the origin: nothing
        {10, 10, 0, 0, 1},   // never tested for emptiness: widened to the tile
        {-1, 5, 0, -1, 1},   // floor division below zero
        {0, 10, -130, -2, 0},
    };
    for (auto& c : cases) {
        int first, end;
        TileRange(c.lo, c.hi, c.offset, 128, &first, &end);
        EXPECT_EQ(first, c.first) << c.lo << ".." << c.hi << " +" << c.offset;
        EXPECT_EQ(end, c.end) << c.lo << ".." << c.hi << " +" << c.offset;
    }
}

TEST(Tiles, OnlyFullPaletteUncompressedEightBitDibsMakeTextures) {
    std::vector<BYTE> block = Table();
    block.resize(block.size() + 128 * 4);
    auto* info = reinterpret_cast<BITMAPINFO*>(block.data());
    info->bmiHeader.biHeight = 4;
    DWORD size = DWORD(block.size());
    EXPECT_TRUE(IsTextureDib(info, size));
    EXPECT_FALSE(IsTextureDib(info, size - 1));  // pixels cut short
    info->bmiHeader.biClrUsed = 16;
    EXPECT_FALSE(IsTextureDib(info, size));
    info->bmiHeader.biClrUsed = 256;
    EXPECT_TRUE(IsTextureDib(info, size));
    info->bmiHeader.biCompression = BI_RLE8;
    EXPECT_FALSE(IsTextureDib(info, size));
    info->bmiHeader.biCompression = BI_RGB;
    info->bmiHeader.biBitCount = 4;
    EXPECT_FALSE(IsTextureDib(info, size));
    info->bmiHeader.biBitCount = 8;
    info->bmiHeader.biSize = 108;  // a V4 header
    EXPECT_FALSE(IsTextureDib(info, size));
}

TEST(Tiles, MissingResourceGivesAnEmptyTextureThatDrawsNothing) {
    char name[] = "NoSuchTexture";
    DIBTex tex(GetModuleHandleA(nullptr), name);
    EXPECT_EQ(tex.nWidth, 0);
    EXPECT_EQ(tex.hPalette, nullptr);
    EXPECT_EQ(tex.hTiles[1], nullptr);
    RECT area = {0, 0, 10, 10};
    EXPECT_EQ(tex.TexMap(nullptr, 0, 0, area, TONE_NORMAL, SRCCOPY), 0);
}

TEST(Bevels, WidthIsHalfTheFrameAndTrapezoidsMeetOnTheDiagonals) {
    EXPECT_EQ(BevelWidth(300, 292), 4);
    EXPECT_EQ(BevelWidth(300, 291), 4);
    POINT p[4][4];
    BevelPolygons(300, 200, 4, p);
    const POINT top[4] = {{0, 0}, {4, 4}, {296, 4}, {300, 0}};
    const POINT bottom[4] = {{0, 200}, {300, 200}, {296, 196}, {4, 196}};
    const POINT left[4] = {{0, 0}, {4, 4}, {4, 196}, {0, 200}};
    const POINT right[4] = {{300, 0}, {300, 200}, {296, 196}, {296, 4}};
    const POINT* want[4] = {top, bottom, left, right};
    for (int i = 0; i < 4; i++)
        for (int j = 0; j < 4; j++) {
            EXPECT_EQ(p[i][j].x, want[i][j].x) << i << "," << j;
            EXPECT_EQ(p[i][j].y, want[i][j].y) << i << "," << j;
        }
}

}  // namespace
