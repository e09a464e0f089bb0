#include "dibtex.h"

#include <cstring>

#include "../core/gdi.h"

static const int kEntries = 256;
static const SIZE_T kInfoBytes = sizeof(BITMAPINFOHEADER) + kEntries * sizeof(RGBQUAD);  // 1,064

int HilightValue(int v, int add, int divisor) {
    int h = v + v / divisor + add;
    return h > 255 ? 255 : h;
}

int ShadowValue(int v, int subtract) {
    int s = v - subtract;
    return s < 0 ? 0 : s;
}

bool IsTextureDib(const BITMAPINFO* info, DWORD size) {
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (size < sizeof h || h.biSize != sizeof h || h.biBitCount != 8 || h.biCompression != BI_RGB) return false;
    if (h.biClrUsed != 0 && h.biClrUsed != kEntries) return false;
    if (h.biWidth <= 0 || h.biHeight <= 0 || h.biWidth > 4096 || h.biHeight > 4096) return false;
    DWORD stride = ((DWORD(h.biWidth) * 8 + 31) / 32) * 4;
    return size >= h.biSize + kEntries * sizeof(RGBQUAD) + stride * DWORD(h.biHeight);
}

static int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

void TileRange(int lo, int hi, int offset, int size, int* first, int* end) {
    *first = FloorDiv(lo + offset, size);
    *end = FloorDiv(hi + offset + size - 1, size);
}

static BITMAPINFO* NewBMInfo() {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kInfoBytes);
    if (!h) return nullptr;
    auto* info = static_cast<BITMAPINFO*>(GlobalLock(h));
    if (!info) GlobalFree(h);
    return info;
}

void DIBTex::FreeBMInfo(BITMAPINFO* info) {
    if (!info) return;
    HGLOBAL h = GlobalHandle(info);
    GlobalUnlock(h);
    GlobalFree(h);
}

BITMAPINFO* DIBTex::CopyBMInfo(const BITMAPINFO* src) {
    BITMAPINFO* info = NewBMInfo();
    if (info) memcpy(info, src, kInfoBytes);  // the colour table starts at byte 40 of the source
    return info;
}

BITMAPINFO* DIBTex::HilightPal(const BITMAPINFO* src, int add, int divisor) {
    BITMAPINFO* info = CopyBMInfo(src);
    if (!info) return nullptr;
    for (int i = 0; i < kEntries; i++) {
        RGBQUAD& q = info->bmiColors[i];
        q.rgbBlue = BYTE(HilightValue(q.rgbBlue, add, divisor));
        q.rgbGreen = BYTE(HilightValue(q.rgbGreen, add, divisor));
        q.rgbRed = BYTE(HilightValue(q.rgbRed, add, divisor));
    }
    return info;
}

BITMAPINFO* DIBTex::ShadowPal(const BITMAPINFO* src, int subtract) {
    BITMAPINFO* info = CopyBMInfo(src);
    if (!info) return nullptr;
    for (int i = 0; i < kEntries; i++) {
        RGBQUAD& q = info->bmiColors[i];
        q.rgbBlue = BYTE(ShadowValue(q.rgbBlue, subtract));
        q.rgbGreen = BYTE(ShadowValue(q.rgbGreen, subtract));
        q.rgbRed = BYTE(ShadowValue(q.rgbRed, subtract));
    }
    return info;
}

HPALETTE DIBTex::CreateBestPalette(BITMAPINFO* tables[3]) {
    const SIZE_T bytes = sizeof(WORD) * 2 + kEntries * sizeof(PALETTEENTRY);  // 1,028
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (!h) return nullptr;
    auto* pal = static_cast<LOGPALETTE*>(GlobalLock(h));
    if (!pal) {
        GlobalFree(h);
        return nullptr;
    }
    pal->palVersion = 0x300;
    pal->palNumEntries = kEntries;
    // Only the normal tone: on a palette device the other tones map to its nearest colours.
    for (int i = 0; i < kEntries; i++) {
        const RGBQUAD& q = tables[TONE_NORMAL]->bmiColors[i];
        pal->palPalEntry[i] = {q.rgbRed, q.rgbGreen, q.rgbBlue, 0};
    }
    HPALETTE hPal = CreatePalette(pal);
    GlobalUnlock(h);
    GlobalFree(h);
    return hPal;
}

int DIBTex::LoadDIB(HINSTANCE hInstance, char* name, BITMAPINFO** ppInfo, HGLOBAL* phRes) {
    HRSRC found = FindResourceA(hInstance, name, MAKEINTRESOURCEA(2));  // RT_BITMAP
    if (!found) return 0;
    *phRes = LoadResource(hInstance, found);
    if (!*phRes) return 0;
    *ppInfo = static_cast<BITMAPINFO*>(LockResource(*phRes));
    if (!*ppInfo) {
        FreeResource(*phRes);
        *phRes = nullptr;
        return 0;
    }
    return 1;
}

int DIBTex::DestroyDIB(HGLOBAL hRes) { return hRes ? FreeResource(hRes) : 0; }

DIBTex::DIBTex(HINSTANCE hInstance, char* name)
    : hTiles{nullptr, nullptr, nullptr}, hPalette(nullptr), nWidth(0), nHeight(0) {
    BITMAPINFO* dib = nullptr;
    HGLOBAL hRes = nullptr;
    if (!LoadDIB(hInstance, name, &dib, &hRes)) return;
    // Other formats would be misread as 8-bit pixels: leave the texture empty.
    if (!IsTextureDib(dib, SizeofResource(hInstance, FindResourceA(hInstance, name, MAKEINTRESOURCEA(2))))) {
        DestroyDIB(hRes);
        return;
    }
    const BYTE* pixels = reinterpret_cast<const BYTE*>(dib) + dib->bmiHeader.biSize + kEntries * sizeof(RGBQUAD);
    BITMAPINFO* tables[3] = {};
    tables[TONE_NORMAL] = CopyBMInfo(dib);
    if (tables[TONE_NORMAL]) {
        tables[TONE_HIGHLIGHT] = HilightPal(tables[TONE_NORMAL], 40, 2);
        tables[TONE_SHADOW] = ShadowPal(tables[TONE_NORMAL], 60);
    }
    if (tables[0] && tables[1] && tables[2]) {
        nWidth = dib->bmiHeader.biWidth;
        nHeight = dib->bmiHeader.biHeight;
        hPalette = CreateBestPalette(tables);
        HDC screen = GetDC(nullptr);
        {
            MemoryDC mem(screen);
            SelectedPalette palette(mem, hPalette);
            for (int tone = TONE_SHADOW; tone <= TONE_HIGHLIGHT; tone++) {
                hTiles[tone] = CreateCompatibleBitmap(screen, nWidth, nHeight);
                SelectedObject tile(mem, hTiles[tone]);
                StretchDIBits(mem, 0, 0, nWidth, nHeight, 0, 0, nWidth, nHeight, pixels, tables[tone],
                              DIB_RGB_COLORS, SRCCOPY);
            }
        }
        ReleaseDC(nullptr, screen);
    }
    for (BITMAPINFO* t : tables) FreeBMInfo(t);
    DestroyDIB(hRes);
}

DIBTex::~DIBTex() {
    for (HBITMAP tile : hTiles)
        if (tile) DeleteObjectChecked(tile);
    if (hPalette) DeleteObjectChecked(hPalette);
}

int DIBTex::TexMap(HDC dc, int xOffset, int yOffset, RECT& area, int tone, DWORD rop) {
    if (!nWidth || !nHeight) return 0;
    int col0, col1, row0, row1;
    TileRange(area.left, area.right, xOffset, nWidth, &col0, &col1);
    TileRange(area.top, area.bottom, yOffset, nHeight, &row0, &row1);
    MemoryDC mem(dc);
    if (!mem) return 1;
    SelectedObject tile(mem, hTiles[tone]);
    for (int i = col0; i < col1; i++)
        for (int j = row0; j < row1; j++)
            BitBlt(dc, i * nWidth - xOffset, j * nHeight - yOffset, nWidth, nHeight, mem, 0, 0, rop);
    return 1;
}

void DIBTex::ControlOffset(HWND hwnd, POINT* offset) {
    POINT origin = {0, 0};
    ClientToScreen(hwnd, &origin);
    RECT parent;
    GetWindowRect(GetParent(hwnd), &parent);
    offset->x = origin.x - parent.left;
    offset->y = origin.y - parent.top;
}
