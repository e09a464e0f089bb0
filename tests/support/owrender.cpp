// owrender SETUP.EXE OUT.BMP: draws the background a user sees, the "BlueTex"
// texture tiled with the logo stretched over it, from the program's own
// resources, into a 640 x 480 bitmap file (for the artwork contact sheet).
#include <windows.h>

#include <cstdio>

static bool SaveBmp(const char* path, const void* bits, int w, int h) {
    BITMAPFILEHEADER fh = {};
    BITMAPINFOHEADER ih = {sizeof ih, w, h, 1, 32, BI_RGB, DWORD(w * h * 4), 0, 0, 0, 0};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + ih.biSizeImage;
    FILE* f = fopen(path, "wb");
    if (!f) return false;
    bool ok = fwrite(&fh, sizeof fh, 1, f) == 1 && fwrite(&ih, sizeof ih, 1, f) == 1 &&
              fwrite(bits, ih.biSizeImage, 1, f) == 1;
    return fclose(f) == 0 && ok;
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: owrender SETUP.EXE OUT.BMP\n");
        return 2;
    }
    HMODULE exe = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC tex = exe ? FindResourceA(exe, "BLUETEX", MAKEINTRESOURCEA(2)) : nullptr;
    HRSRC logo = exe ? FindResourceA(exe, "VEXARLOGO", "METAFILE") : nullptr;
    if (!tex || !logo) {
        fprintf(stderr, "owrender: %s lacks its texture or logo\n", argv[1]);
        return 1;
    }
    const int w = 640, h = 480;
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);

    auto dib = static_cast<const BITMAPINFO*>(LockResource(LoadResource(exe, tex)));
    const BYTE* pixels = reinterpret_cast<const BYTE*>(dib) + dib->bmiHeader.biSize + 1024;
    int tw = dib->bmiHeader.biWidth, th = dib->bmiHeader.biHeight;
    for (int y = 0; y < h; y += th)
        for (int x = 0; x < w; x += tw)
            StretchDIBits(dc, x, y, tw, th, 0, 0, tw, th, pixels, dib, DIB_RGB_COLORS, SRCCOPY);

    auto apm = static_cast<const BYTE*>(LockResource(LoadResource(exe, logo)));
    DWORD words;
    memcpy(&words, apm + 28, 4);
    HMETAFILE mf = SetMetaFileBitsEx(words * 2, apm + 22);
    SaveDC(dc);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetViewportExtEx(dc, w - 2 * (w / 20), h - 2 * (h / 20), nullptr);
    SetViewportOrgEx(dc, w / 20, h / 20, nullptr);
    PlayMetaFile(dc, mf);
    RestoreDC(dc, -1);
    DeleteMetaFile(mf);

    GdiFlush();
    bool ok = SaveBmp(argv[2], bits, w, h);
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    return ok ? 0 : 1;
}
