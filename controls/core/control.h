// The base of every custom control: the object bound to a control window, the
// shared window procedure that routes messages to it, and the drawing and text
// helpers the controls have in common.
#pragma once
#include <windows.h>

// Whether ms milliseconds have passed since the tick count start: told by
// the difference, which stays right when the count wraps (after 49.7 days).
inline bool TicksPassed(DWORD start, DWORD now, DWORD ms) {
    return now - start >= ms;
}

class MyControlCtl {
public:
    HWND hWnd;           // set by OnCreate
    int fEnabled;        // accepts mouse input; each control's OnCreate sets it
    WPARAM hFocusPeer;   // the other window of the last focus change

    MyControlCtl();
    MyControlCtl(const MyControlCtl&) = delete;
    MyControlCtl& operator=(const MyControlCtl&) = delete;

    // Non-zero when the client point lies in the client rectangle.
    virtual int InMe(POINT* pt);
    // Repaints the whole client area now, without erasing.
    virtual void Repaint();
    // Width of the first len characters of text, converted to ANSI.
    virtual int GetTextWidth(HDC hdc, char* text, int len);
    // Sunken two-pixel frame; r.right and r.bottom are inclusive.
    virtual void Ctl3dBox(HDC hdc, RECT r, HBRUSH hBrush);
    virtual ~MyControlCtl();
    // WM_CREATE: reads the template text; the result is ignored.
    virtual int OnCreate(HWND hwnd, CREATESTRUCTA* cs);
    // WM_PAINT, between BeginPaint and EndPaint.
    virtual void OnPaint(PAINTSTRUCT& ps) = 0;
    // WM_ERASEBKGND: 0 leaves what the parent painted underneath.
    virtual int OnEraseBackground(HDC hdc);
    // WM_ENABLE.
    virtual int OnEnable(int fEnable);
    // WM_SETFOCUS and WM_KILLFOCUS, with the other window.
    virtual int OnFocus(WPARAM hOther);
    // Mouse messages: key flags and the point in client coordinates.
    virtual void OnLButtonDown(UINT keys, POINT* pt);
    virtual void OnLButtonUp(UINT keys, POINT* pt);
    virtual void OnLButtonDblClk(UINT keys, POINT* pt);
    virtual void OnRButtonDown(UINT keys, POINT* pt);
    virtual void OnRButtonUp(UINT keys, POINT* pt);
    virtual void OnMouseMove(UINT keys, POINT* pt);
    // Sees every message but WM_CREATE first; non-zero means handled, with
    // *result stored.
    virtual int OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // Copies the field up to delim (the whole characters of it that take at
    // most size - 2 bytes) into dst and returns where the next field starts.
    static char* pickOff(char* src, char delim, char* dst, int size);
    // WM_COMMAND to the parent: item id and code in wParam, value in lParam.
    void SendNotify(unsigned short code, unsigned short value);
    static void KillObject(HGDIOBJ* pHandle);
    static void KillIcon(HICON* pHandle);
    void OemStringToAnsi(char* src, char* dst);
    char* AnsiFromOem(char* src);
    char* AnsiFromOemMalloced(char* src);
    // Text drawn four times offset by one pixel in outlineColour, then on top.
    static void OutlineText(HDC hdc, int x, int y, char* text, COLORREF outlineColour,
                            COLORREF textColour);
};

LRESULT CALLBACK MyControlWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
