// The full-screen backdrop behind every dialog: the tiled "BlueTex" texture,
// the maker's logo stretched over it, and the list of supported paint
// programs in shadowed text.
#pragma once
#include <windows.h>

class DIBTex;

struct Background {
    DIBTex* texture;
    HMETAFILE logo;
    HFONT largeFont;  // made at the first paint, from the client width then
    HFONT smallFont;
};
extern Background gBackground;

// Loads the texture and the logo; called before the main window exists.
void LoadBackground(HINSTANCE hInstance);
// Releases everything, fonts included.
void ReleaseBackground();
void Paint(HWND hwnd, HDC hdc);
// A WM_PAINT of the background window: BeginPaint, Paint, EndPaint.
void PaintWindow(HWND hwnd);

// A placeable metafile stored as a "METAFILE" resource, or null.
HMETAFILE LoadAPMMetaFile(HINSTANCE hInstance, const char* name);
// "Arial" with a character height of size pixels, or null.
HFONT MakeFont(int size);
int GetTextHeight(HDC hdc, const char* text, int count);
