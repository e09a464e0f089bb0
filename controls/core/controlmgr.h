// The control manager: maps window class names to new control objects, binds
// control objects to their windows, and owns the drawing objects and the text
// conversion buffer that all controls share.
#pragma once
#include <windows.h>

class MyControlCtl;

// Returns a new control object when the class name is its own, else null.
typedef MyControlCtl* (*ControlAllocator)(char* className);

class MyControlMgr {
public:
    ControlAllocator* pAllocators;  // slots may be null (cleared)
    int nAllocators;                // slots, cleared ones included
    int nFontHeight;                // character height of the shared font, pixels
    HPEN hLightGreyPen;
    HPEN hDarkGreyPen;
    HPEN hClientPen;
    HBRUSH hClientBrush;
    HFONT hFont;
    HFONT hSystemSetFont;           // the same in the code page's character set, where not ANSI
    char* pAnsiBuffer;
    int cbAnsiBuffer;               // capacity without the terminating zero

    MyControlMgr();
    ~MyControlMgr();
    MyControlMgr(const MyControlMgr&) = delete;
    MyControlMgr& operator=(const MyControlMgr&) = delete;

    int AddAllocator(ControlAllocator fn);
    int DelAllocator(ControlAllocator fn);
    MyControlCtl* Allocate(HWND hwnd);

    MyControlCtl* GetWindowObject(HWND hwnd);
    void SetWindowObject(HWND hwnd, MyControlCtl* obj);

    // Borrowed handles: created on first use, deleted only by the manager.
    HPEN GetLightGreyPen();
    HPEN GetDarkGreyPen();
    HPEN GetClientPen();
    HBRUSH GetClientBrush();
    HFONT GetFont();
    // The font to draw text in: the shared one, but for a text beyond ASCII
    // (a path typed in the user's own language) on a system whose character
    // set is not ANSI, one of that set: Japanese, Chinese, Korean, Cyrillic,
    // Greek... The same bytes are other letters in ANSI.
    HFONT GetFontFor(const char* text);

    void OemStringToAnsi(char* src, char* dst);
    char* AnsiFromOem(char* src);          // valid until the next call
    char* AnsiFromOemMalloced(char* src);  // caller frees with free()
};

extern MyControlMgr* ControlMgr;

// A font of a face and a character height in pixels (not a cell height), all
// else default, its LOGFONT held in a movable global block; null on failure.
HFONT CreateHeightFont(const char* face, int height, BYTE charSet = ANSI_CHARSET);
