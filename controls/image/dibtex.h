// A tileable texture in three tones (shadow, normal, highlight) built from one
// 8-bit, 256-colour DIB resource. The tones share the pixels and differ in their
// colour tables; each is converted once into a screen-compatible tile.
//
// Tiling shares one grid per dialog whose origin is the dialog window's
// top-left corner: TexMap takes the target surface's offset in that grid.
#pragma once
#include <windows.h>

enum { TONE_SHADOW = 0, TONE_NORMAL = 1, TONE_HIGHLIGHT = 2 };

class DIBTex {
public:
    HBITMAP hTiles[3];   // indexed by tone
    HPALETTE hPalette;   // from the normal colour table
    int nWidth, nHeight;

    // Empty (no tiles, no palette, size 0) when the resource is missing or is
    // not an uncompressed 8-bit DIB with a full 256-entry colour table.
    DIBTex(HINSTANCE hInstance, char* name);
    ~DIBTex();
    DIBTex(const DIBTex&) = delete;
    DIBTex& operator=(const DIBTex&) = delete;

    // Covers area with whole tiles of a tone; the grid's origin lies at
    // (-xOffset, -yOffset) in dc's coordinates. 0 when the texture is empty.
    int TexMap(HDC dc, int xOffset, int yOffset, RECT& area, int tone, DWORD rop);

    // The client origin of a window relative to its parent's window rectangle.
    static void ControlOffset(HWND hwnd, POINT* offset);

    static int LoadDIB(HINSTANCE hInstance, char* name, BITMAPINFO** ppInfo, HGLOBAL* phRes);
    static int DestroyDIB(HGLOBAL hRes);
    // Colour tables in transit: movable global blocks of a header and 256 entries.
    static BITMAPINFO* CopyBMInfo(const BITMAPINFO* src);
    static BITMAPINFO* HilightPal(const BITMAPINFO* src, int add, int divisor);
    static BITMAPINFO* ShadowPal(const BITMAPINFO* src, int subtract);
    static void FreeBMInfo(BITMAPINFO* info);
    // A 256-entry logical palette from the normal (second) of the three tables.
    static HPALETTE CreateBestPalette(BITMAPINFO* tables[3]);
};

// One colour byte in the highlight tone: v + v / divisor + add, at most 255.
int HilightValue(int v, int add, int divisor);
// One colour byte in the shadow tone: v - subtract, at least 0.
int ShadowValue(int v, int subtract);
// Whether a packed DIB of `size` bytes is one a texture can be built from.
bool IsTextureDib(const BITMAPINFO* info, DWORD size);
// Tiles of `size` pixels covering [lo, hi) shifted by offset: indices first to
// end - 1. Floor division, so negative areas and offsets work too.
void TileRange(int lo, int hi, int offset, int size, int* first, int* end);
