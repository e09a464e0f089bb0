#include "controlmgr.h"

#include <cstdlib>
#include <cstring>

#include "gdi.h"

MyControlMgr* ControlMgr = nullptr;

MyControlMgr::MyControlMgr()
    : pAllocators(nullptr), nAllocators(0), nFontHeight(10),
      hLightGreyPen(nullptr), hDarkGreyPen(nullptr), hClientPen(nullptr),
      hClientBrush(nullptr), hFont(nullptr), hSystemSetFont(nullptr), pAnsiBuffer(nullptr), cbAnsiBuffer(255) {}

MyControlMgr::~MyControlMgr() {
    free(pAllocators);
    free(pAnsiBuffer);
    HGDIOBJ owned[] = {hLightGreyPen, hDarkGreyPen, hClientPen, hClientBrush, hFont, hSystemSetFont};
    for (HGDIOBJ h : owned)
        if (h) DeleteObjectChecked(h);
}

int MyControlMgr::AddAllocator(ControlAllocator fn) {
    for (int i = 0; i < nAllocators; i++) {
        if (!pAllocators[i]) {
            pAllocators[i] = fn;
            return 1;
        }
    }
    void* grown = realloc(pAllocators, (nAllocators + 1) * sizeof(ControlAllocator));
    if (!grown) return 0;
    pAllocators = static_cast<ControlAllocator*>(grown);
    pAllocators[nAllocators++] = fn;
    return 1;
}

int MyControlMgr::DelAllocator(ControlAllocator fn) {
    for (int i = 0; i < nAllocators; i++) {
        if (pAllocators[i] == fn) {
            pAllocators[i] = nullptr;
            return 1;
        }
    }
    return 0;
}

MyControlCtl* MyControlMgr::Allocate(HWND hwnd) {
    char name[64];
    if (!GetClassNameA(hwnd, name, sizeof name - 1)) return nullptr;
    for (int i = 0; i < nAllocators; i++) {
        if (!pAllocators[i]) continue;
        if (MyControlCtl* obj = pAllocators[i](name)) return obj;
    }
    return nullptr;
}

MyControlCtl* MyControlMgr::GetWindowObject(HWND hwnd) {
    return reinterpret_cast<MyControlCtl*>(GetWindowLongPtrA(hwnd, 0));
}

void MyControlMgr::SetWindowObject(HWND hwnd, MyControlCtl* obj) {
    SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(obj));
}

HPEN MyControlMgr::GetLightGreyPen() {
    if (!hLightGreyPen) hLightGreyPen = CreatePen(PS_SOLID, 0, RGB(192, 192, 192));
    return hLightGreyPen;
}

HPEN MyControlMgr::GetDarkGreyPen() {
    if (!hDarkGreyPen) hDarkGreyPen = CreatePen(PS_SOLID, 0, RGB(128, 128, 128));
    return hDarkGreyPen;
}

HPEN MyControlMgr::GetClientPen() {
    if (!hClientPen) hClientPen = CreatePen(PS_SOLID, 0, GetSysColor(COLOR_WINDOW));
    return hClientPen;
}

HBRUSH MyControlMgr::GetClientBrush() {
    if (!hClientBrush) hClientBrush = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
    return hClientBrush;
}

HFONT MyControlMgr::GetFont() {
    if (!hFont) hFont = CreateHeightFont("Helv", nFontHeight);
    return hFont;
}

HFONT MyControlMgr::GetFontFor(const char* text) {
    const char* p = text;
    while (*p && static_cast<BYTE>(*p) < 0x80) p++;
    if (!*p) return GetFont();
    // The system font's character set is the code page's.
    LOGFONTA system;
    if (!hSystemSetFont && GetObjectA(GetStockObject(SYSTEM_FONT), sizeof system, &system) &&
        system.lfCharSet != ANSI_CHARSET)
        hSystemSetFont = CreateHeightFont("Helv", nFontHeight, system.lfCharSet);
    return hSystemSetFont ? hSystemSetFont : GetFont();
}

HFONT CreateHeightFont(const char* face, int height, BYTE charSet) {
    HGLOBAL hMem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(LOGFONTA));
    if (!hMem) return nullptr;
    auto* lf = static_cast<LOGFONTA*>(GlobalLock(hMem));
    HFONT font = nullptr;
    if (lf) {
        lf->lfHeight = -height;
        lf->lfCharSet = charSet;
        lstrcpyA(lf->lfFaceName, face);
        font = CreateFontIndirectA(lf);
        GlobalUnlock(hMem);
    }
    GlobalFree(hMem);
    return font;
}

void MyControlMgr::OemStringToAnsi(char* src, char* dst) {
    OemToCharA(src, dst);
}

char* MyControlMgr::AnsiFromOem(char* src) {
    int n = lstrlenA(src);
    if (n > cbAnsiBuffer) {
        cbAnsiBuffer = n;
        free(pAnsiBuffer);
        pAnsiBuffer = nullptr;
    }
    if (!pAnsiBuffer) pAnsiBuffer = static_cast<char*>(malloc(cbAnsiBuffer + 1));
    if (!pAnsiBuffer) return src;
    OemToCharA(src, pAnsiBuffer);
    return pAnsiBuffer;
}

char* MyControlMgr::AnsiFromOemMalloced(char* src) {
    char* dst = static_cast<char*>(malloc(lstrlenA(src) + 1));
    if (dst) OemToCharA(src, dst);
    return dst;
}
