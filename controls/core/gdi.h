// Scoped GDI helpers for paint paths: each makes its Win32 call where it is
// declared and undoes it when the scope ends, on every way out of it. They
// borrow the objects they select; the caller (or the manager) owns them.
#pragma once
#include <windows.h>

// Checked builds (the tests') remember the device contexts these helpers
// touch, and DeleteObjectChecked reports an object still selected into one of
// them, or a stock object: Windows refuses both deletions (the first leaks at
// every paint), while Wine forgives them.
#ifdef OW_GDI_CHECKS
namespace gdicheck {
void Touched(HDC dc);
void Deleting(HGDIOBJ object);
// Where reports go (by default nowhere); returns the previous receiver.
using Report = void (*)(const char* fault);
Report SetReport(Report report);
}  // namespace gdicheck
#define OW_GDI_TOUCHED(dc) gdicheck::Touched(dc)
#else
#define OW_GDI_TOUCHED(dc) ((void)0)
#endif

// DeleteObject, with the check above in checked builds.
inline BOOL DeleteObjectChecked(HGDIOBJ object) {
#ifdef OW_GDI_CHECKS
    gdicheck::Deleting(object);
#endif
    return DeleteObject(object);
}

// An object selected into a device context; the one it replaced is selected
// back at the end. Select() puts in another and keeps that first one.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : hdc(dc), hOld(SelectObject(dc, object)) { OW_GDI_TOUCHED(dc); }
    ~SelectedObject() {
        if (hOld) SelectObject(hdc, hOld);
    }
    void Select(HGDIOBJ object) { SelectObject(hdc, object); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC hdc;
    HGDIOBJ hOld;
};

// A palette selected (in the background) and realized; nothing when it is
// null. The palette it replaced is selected back at the end.
class SelectedPalette {
public:
    SelectedPalette(HDC dc, HPALETTE palette)
        : hdc(dc), hOld(palette ? SelectPalette(dc, palette, FALSE) : nullptr) {
        OW_GDI_TOUCHED(dc);
        if (hOld) RealizePalette(dc);
    }
    ~SelectedPalette() {
        if (hOld) SelectPalette(hdc, hOld, FALSE);
    }
    SelectedPalette(const SelectedPalette&) = delete;
    SelectedPalette& operator=(const SelectedPalette&) = delete;

private:
    HDC hdc;
    HPALETTE hOld;
};

// A memory device context compatible with another (CreateCompatibleDC),
// deleted at the end. Declare it before what is selected into it.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatible) : hdc(CreateCompatibleDC(compatible)) {}
    ~MemoryDC() {
        if (hdc) DeleteDC(hdc);
    }
    operator HDC() const { return hdc; }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

private:
    HDC hdc;
};
