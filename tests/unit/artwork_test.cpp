// The pictures in the program's resources: sizes, formats, key colours,
// seamless textures, and the loaders the controls use.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>

#include "../../controls/core/resload.h"

namespace {

HINSTANCE Self() { return GetModuleHandleA(nullptr); }

// A packed DIB as a bitmap resource holds it.
struct Dib {
    void* hRes = nullptr;
    BITMAPINFO* info = nullptr;
    explicit Dib(const char* name) { info = SafeLoadDIB(Self(), const_cast<char*>(name), &hRes); }
    ~Dib() {
        if (hRes) SafeDestroyDIB(hRes);
    }
    const BITMAPINFOHEADER& h() const { return info->bmiHeader; }
    int colours() const { return 1 << h().biBitCount; }
    const RGBQUAD& entry(int i) const { return info->bmiColors[i]; }
    const BYTE* bits() const { return reinterpret_cast<const BYTE*>(info) + h().biSize + colours() * 4; }
    // Palette index of (x, y), y from the top.
    int index(int x, int y) const {
        int stride = ((h().biWidth * h().biBitCount + 31) / 32) * 4;
        const BYTE* row = bits() + size_t(h().biHeight - 1 - y) * stride;
        return h().biBitCount == 8 ? row[x] : (x % 2 ? row[x / 2] & 15 : row[x / 2] >> 4);
    }
    COLORREF pixel(int x, int y) const {
        const RGBQUAD& q = entry(index(x, y));
        return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
    }
};

DWORD ResourceSize(const char* name, LPCSTR type) {
    HRSRC r = FindResourceA(Self(), name, type);
    return r ? SizeofResource(Self(), r) : 0;
}

TEST(Loaders, SafeLoadDibGivesThePackedHeader) {
    Dib alert("Alert");
    ASSERT_NE(alert.info, nullptr);
    EXPECT_EQ(*reinterpret_cast<const DWORD*>(alert.info), 40u);
    EXPECT_EQ(alert.h().biWidth, 160);
}

TEST(Loaders, MissingResourcesGiveNothing) {
    void* untouched = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(SafeLoadDIB(Self(), const_cast<char*>("NoSuchPicture"), &untouched), nullptr);
    EXPECT_EQ(untouched, reinterpret_cast<void*>(0x1234));
    EXPECT_EQ(SafeLoadBitmap(Self(), const_cast<char*>("NoSuchPicture")), nullptr);
    EXPECT_EQ(LoadBitmapRW(const_cast<char*>("Alert")), nullptr);
    char buf[16] = "keep";
    EXPECT_EQ(SafeLoadString(Self(), 4321, buf, sizeof buf), 0);
}

TEST(Loaders, SafeLoadBitmapAndStringReadTheProgram) {
    HBITMAP bmp = SafeLoadBitmap(Self(), const_cast<char*>("bullet"));
    ASSERT_NE(bmp, nullptr);
    BITMAP bm;
    GetObjectA(bmp, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 48);
    EXPECT_EQ(bm.bmHeight, 24);
    DeleteObject(bmp);
    char buf[64];
    EXPECT_EQ(SafeLoadString(Self(), 5700, buf, sizeof buf), 48);
}

struct Picture {
    const char* name;
    int w, h, bits;
    COLORREF key;
};

const Picture kPictures[] = {
    {"BLUETEX", 128, 128, 8, CLR_INVALID},   {"OWSWIRL", 128, 128, 8, CLR_INVALID},
    {"ALERT", 160, 86, 8, RGB(255, 0, 255)}, {"QUESTION", 160, 86, 8, RGB(255, 0, 255)},
    {"BULLET", 48, 24, 8, RGB(255, 0, 255)}, {"OKBUTTON", 54, 32, 4, RGB(255, 0, 255)},
    {"CANCELBUTTON", 78, 20, 4, RGB(255, 0, 255)}, {"CHECKBOX", 180, 22, 8, RGB(255, 255, 255)},
};

TEST(Artwork, EveryPictureHasItsSizeFormatAndKeyInTheCorners) {
    for (const Picture& p : kPictures) {
        SCOPED_TRACE(p.name);
        Dib d(p.name);
        ASSERT_NE(d.info, nullptr);
        EXPECT_EQ(d.h().biSize, 40u);
        EXPECT_EQ(d.h().biWidth, p.w);
        EXPECT_EQ(d.h().biHeight, p.h);
        EXPECT_EQ(d.h().biBitCount, p.bits);
        EXPECT_EQ(d.h().biCompression, DWORD(BI_RGB));
        DWORD stride = ((p.w * p.bits + 31) / 32) * 4;
        EXPECT_EQ(ResourceSize(p.name, MAKEINTRESOURCEA(2)), 40 + (1u << p.bits) * 4 + stride * p.h);
        if (p.key == CLR_INVALID) continue;
        int frameW = p.w / (p.w == 180 ? 6 : 2);
        for (int f = 0; f < p.w / frameW; f++) {
            int x0 = f * frameW;
            EXPECT_EQ(d.pixel(x0, 0), p.key);
            EXPECT_EQ(d.pixel(x0 + frameW - 1, 0), p.key);
            EXPECT_EQ(d.pixel(x0, p.h - 1), p.key);
        }
    }
}

TEST(Artwork, TexturesAreFullPaletteTilesOfTheStatedSize) {
    for (const char* name : {"BLUETEX", "OWSWIRL"}) {
        EXPECT_EQ(ResourceSize(name, MAKEINTRESOURCEA(2)), 17448u) << name;
        Dib d(name);
        std::set<int> used;
        for (int y = 0; y < 128; y++)
            for (int x = 0; x < 128; x++) used.insert(d.index(x, y));
        EXPECT_GT(used.size(), 200u) << name;  // a smooth pattern, not a few flat colours
    }
}

int Luma(COLORREF c) { return (GetRValue(c) * 3 + GetGValue(c) * 6 + GetBValue(c)) / 10; }

// Mean step between neighbouring columns (or rows): across the tile's wrap it
// must look like any step inside it, or the seam shows.
TEST(Artwork, TexturesTileWithoutASeam) {
    for (const char* name : {"BLUETEX", "OWSWIRL"}) {
        Dib d(name);
        double inside = 0, wrapX = 0, wrapY = 0;
        for (int a = 0; a < 128; a++) {
            for (int b = 0; b < 127; b++) inside += std::abs(Luma(d.pixel(b, a)) - Luma(d.pixel(b + 1, a)));
            wrapX += std::abs(Luma(d.pixel(127, a)) - Luma(d.pixel(0, a)));
            wrapY += std::abs(Luma(d.pixel(a, 127)) - Luma(d.pixel(a, 0)));
        }
        inside /= 127.0;
        EXPECT_LT(wrapX, inside * 1.5 + 64) << name;
        EXPECT_LT(wrapY, inside * 1.5 + 64) << name;
    }
}

TEST(Artwork, SwirlStaysLightEnoughForItsShadowTone) {
    Dib d("OWSWIRL");
    for (int i = 0; i < 256; i++) {
        const RGBQUAD& q = d.entry(i);
        EXPECT_GT(q.rgbRed, 200) << i;                         // still orange 60 darker
        EXPECT_GE(q.rgbRed, q.rgbGreen) << i;                  // orange to yellow
        EXPECT_GT(q.rgbGreen, q.rgbBlue) << i;
    }
}

TEST(Artwork, ButtonFacesAreBlackLetteringOnMagentaInTheStandardColours) {
    const COLORREF vga[16] = {RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
                              RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
                              RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
                              RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};
    for (const char* name : {"OKBUTTON", "CANCELBUTTON"}) {
        Dib d(name);
        for (int i = 0; i < 16; i++)
            EXPECT_EQ(RGB(d.entry(i).rgbRed, d.entry(i).rgbGreen, d.entry(i).rgbBlue), vga[i]) << name << i;
        int black = 0, red = 0, other = 0;
        for (int y = 0; y < d.h().biHeight; y++)
            for (int x = 0; x < d.h().biWidth; x++) {
                int ix = d.index(x, y);
                black += ix == 0;
                red += ix == 1;
                other += ix != 0 && ix != 1 && ix != 13;
            }
        EXPECT_EQ(other, 0) << name;
        EXPECT_GT(black, d.h().biWidth * d.h().biHeight / 6) << name;  // bold
        if (!strcmp(name, "OKBUTTON")) {
            EXPECT_EQ(red, 0);
        } else {
            EXPECT_TRUE(red > 0 && red < black / 4) << red;  // a few dark red edge pixels
        }
    }
}

TEST(Artwork, CheckBoxTickGrowsFromEmptyToBeyondTheBox) {
    Dib d("CHECKBOX");
    int previous = -1;
    for (int f = 0; f < 6; f++) {
        int red = 0, beyond = 0;
        for (int y = 0; y < 22; y++)
            for (int x = 0; x < 30; x++) {
                COLORREF c = d.pixel(f * 30 + x, y);
                if (c == RGB(255, 255, 255)) continue;
                EXPECT_GT(GetRValue(c), GetGValue(c));  // red, blended toward white at the edge
                red++;
                if (x > 15 && y < 5) beyond++;  // right of and above the box
            }
        if (f == 0) {
            EXPECT_EQ(red, 0);
        } else {
            EXPECT_GT(red, previous);
        }
        if (f == 5) {
            EXPECT_GT(beyond, 5);
        }
        previous = red;
    }
}

TEST(Artwork, LogoIsAPlaceableMetafileThatDraws) {
    HRSRC r = FindResourceA(Self(), "VexarLogo", "METAFILE");
    ASSERT_NE(r, nullptr);
    DWORD size = SizeofResource(Self(), r);
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(Self(), r)));
    EXPECT_EQ(*reinterpret_cast<const DWORD*>(data), 0x9AC6CDD7u);
    DWORD words;
    memcpy(&words, data + 28, 4);
    EXPECT_EQ(22 + words * 2, size);
    HMETAFILE mf = SetMetaFileBitsEx(words * 2, data + 22);
    ASSERT_NE(mf, nullptr);

    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 400, -300, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);
    PatBlt(dc, 0, 0, 400, 300, BLACKNESS);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetViewportExtEx(dc, 400, 300, nullptr);
    EXPECT_TRUE(PlayMetaFile(dc, mf));
    SetMapMode(dc, MM_TEXT);
    int drawn = 0;
    std::set<COLORREF> colours;
    for (int i = 0; i < 400 * 300; i++) {
        DWORD p = static_cast<DWORD*>(bits)[i] & 0xFFFFFF;
        drawn += p != 0;
        colours.insert(p);
    }
    EXPECT_GT(drawn, 400 * 300 / 10);
    EXPECT_GE(colours.size(), 4u);
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    DeleteMetaFile(mf);
}

TEST(Artwork, IconHasLargeAndSmallImages) {
    for (int size : {32, 16}) {
        HICON icon = static_cast<HICON>(LoadImageA(Self(), "Setup", IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO ii;
        ASSERT_TRUE(GetIconInfo(icon, &ii));
        BITMAP bm;
        GetObjectA(ii.hbmMask, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, size);
        DeleteObject(ii.hbmMask);
        if (ii.hbmColor) DeleteObject(ii.hbmColor);
        DestroyIcon(icon);
    }
}

}  // namespace
