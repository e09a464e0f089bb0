#include "background.h"

#include <cstring>
#include <initializer_list>
#include <new>

#include "../controls/core/controlmgr.h"
#include "../controls/core/gdi.h"
#include "../controls/image/dibtex.h"
#include "dialogs.h"
#include "resource.h"

Background gBackground = {nullptr, nullptr, nullptr, nullptr};

void LoadBackground(HINSTANCE hInstance) {
    char name[] = "BlueTex";
    gBackground.texture = new (std::nothrow) DIBTex(hInstance, name);
    gBackground.logo = LoadAPMMetaFile(hInstance, "VexarLogo");
}

void ReleaseBackground() {
    delete gBackground.texture;
    gBackground.texture = nullptr;
    if (gBackground.logo) DeleteMetaFile(gBackground.logo);
    gBackground.logo = nullptr;
    for (HFONT* font : {&gBackground.largeFont, &gBackground.smallFont}) {
        if (*font) DeleteObjectChecked(*font);
        *font = nullptr;
    }
}

HMETAFILE LoadAPMMetaFile(HINSTANCE hInstance, const char* name) {
    HRSRC found = FindResourceA(hInstance, name, "METAFILE");
    HGLOBAL res = found ? LoadResource(hInstance, found) : nullptr;
    const BYTE* apm = res ? static_cast<const BYTE*>(LockResource(res)) : nullptr;
    if (!apm) return nullptr;
    // The placeable header (22 bytes) says nothing we need; the standard
    // header (18 bytes) holds mtSize, at its byte 6, in 16-bit words. The
    // metafile must lie within the resource.
    const DWORD kPlaceable = 22, kHeader = 18;
    DWORD held = SizeofResource(hInstance, found);
    DWORD words = 0;
    if (held >= kPlaceable + kHeader) memcpy(&words, apm + kPlaceable + 6, sizeof words);
    if (words < kHeader / 2 || words > (held - kPlaceable) / 2) {
        FreeResource(res);
        return nullptr;
    }
    UINT size = words * 2;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!block) {
        FreeResource(res);
        return nullptr;
    }
    BYTE* bits = static_cast<BYTE*>(GlobalLock(block));
    if (!bits) {
        GlobalFree(block);
        FreeResource(res);
        return nullptr;
    }
    memcpy(bits, apm + 22, size);
    FreeResource(res);
    HMETAFILE mf = SetMetaFileBitsEx(size, bits);
    GlobalUnlock(block);
    GlobalFree(block);
    return mf;
}

HFONT MakeFont(int size) { return CreateHeightFont("Arial", size); }

int GetTextHeight(HDC hdc, const char* text, int count) {
    SIZE size = {};
    GetTextExtentPointA(hdc, text, count, &size);
    return size.cy;
}

void PaintWindow(HWND hwnd) {
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    Paint(hwnd, ps.hdc);
    EndPaint(hwnd, &ps);
}

void Paint(HWND hwnd, HDC hdc) {
    if (IsIconic(hwnd)) return;
    RECT rc;
    GetClientRect(hwnd, &rc);
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (gBackground.texture) gBackground.texture->TexMap(hdc, 0, 0, rc, TONE_NORMAL, SRCCOPY);
    if (gBackground.logo) {
        // The metafile sets its own window; the viewport stretches it over the
        // client area less a twentieth on every side.
        SaveDC(hdc);
        SetMapMode(hdc, MM_ANISOTROPIC);
        int mx = w / 20, my = h / 20;
        SetViewportExtEx(hdc, w - 2 * mx, h - 2 * my, nullptr);
        SetViewportOrgEx(hdc, mx, my, nullptr);
        PlayMetaFile(hdc, gBackground.logo);
        RestoreDC(hdc, -1);
    }
    if (!gBackground.smallFont) gBackground.smallFont = MakeFont(w / 40);
    if (!gBackground.largeFont) gBackground.largeFont = MakeFont(w / 28);
    if (!gBackground.smallFont || !gBackground.largeFont) return;

    char text[256];
    LoadStringA(ghInst, IDS_PAINT_PROGRAMS, text, 255);
    int oldMode = SetBkMode(hdc, TRANSPARENT);
    COLORREF oldColour = GetTextColor(hdc);
    int y = 7, indent = 0;
    for (char* line = text; *line;) {
        char* end = line;
        while (*end && *end != '\n') end++;
        int n = int(end - line);
        SelectedObject font(hdc, indent ? gBackground.smallFont : gBackground.largeFont);
        SetTextColor(hdc, RGB(0, 0, 0));
        TextOutA(hdc, indent + 7, y, line, n);
        SetTextColor(hdc, RGB(255, 255, 255));
        TextOutA(hdc, indent + 5, y - 2, line, n);
        y += GetTextHeight(hdc, line, n) + 4;
        line += *end ? n + 1 : n;
        indent = 10;
    }
    SetTextColor(hdc, oldColour);
    SetBkMode(hdc, oldMode);
}
