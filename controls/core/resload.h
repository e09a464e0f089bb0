// Loading bitmaps, strings and packed DIBs from a module's resources, the way
// every control does it.
#pragma once
#include <windows.h>

// Shape of the bitmap loader a sprite accepts.
typedef HBITMAP (*BitmapLoader)(void* hInstance, char* name);

// LoadBitmapA, falling back on LoadBitmapRW; the caller deletes the bitmap.
HBITMAP SafeLoadBitmap(void* hInstance, char* name);
// The fallback source of bitmaps: there is none, so always null.
HBITMAP LoadBitmapRW(char* name);
// LoadStringA: characters copied, 0 when the string does not exist.
int SafeLoadString(void* hInstance, int id, char* buffer, int size);
// The packed DIB of a bitmap resource (header, colour table, pixels), valid
// until SafeDestroyDIB with the handle stored in *phRes.
BITMAPINFO* SafeLoadDIB(void* hInstance, char* name, void** phRes);
BITMAPINFO* LoadDIB(void* hInstance, char* name, void** phRes);
void SafeDestroyDIB(void* hRes);
