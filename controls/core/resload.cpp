#include "resload.h"

HBITMAP SafeLoadBitmap(void* hInstance, char* name) {
    HBITMAP hbm = LoadBitmapA(static_cast<HINSTANCE>(hInstance), name);
    return hbm ? hbm : LoadBitmapRW(name);
}

HBITMAP LoadBitmapRW(char*) { return nullptr; }

int SafeLoadString(void* hInstance, int id, char* buffer, int size) {
    return LoadStringA(static_cast<HINSTANCE>(hInstance), static_cast<UINT>(id), buffer, size);
}

BITMAPINFO* SafeLoadDIB(void* hInstance, char* name, void** phRes) {
    return LoadDIB(hInstance, name, phRes);
}

BITMAPINFO* LoadDIB(void* hInstance, char* name, void** phRes) {
    HMODULE module = static_cast<HMODULE>(hInstance);
    HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(2));  // RT_BITMAP
    if (!found) return nullptr;
    HGLOBAL hRes = LoadResource(module, found);
    *phRes = hRes;
    if (!hRes) return nullptr;
    return static_cast<BITMAPINFO*>(LockResource(hRes));
}

void SafeDestroyDIB(void* hRes) { FreeResource(static_cast<HGLOBAL>(hRes)); }
