#include "control.h"

#include <windowsx.h>

#include <cstdlib>
#include <cstring>

#include "chars.h"
#include "controlmgr.h"
#include "gdi.h"

MyControlCtl::MyControlCtl() : hWnd(nullptr), fEnabled(0), hFocusPeer(0) {}

MyControlCtl::~MyControlCtl() {}

int MyControlCtl::InMe(POINT* pt) {
    RECT rc;
    GetClientRect(hWnd, &rc);
    return PtInRect(&rc, *pt);
}

void MyControlCtl::Repaint() {
    InvalidateRect(hWnd, nullptr, FALSE);
    // Through the dialog: a paint it still owes (it was covered while nothing
    // was pumped) goes first, and this control is painted over it, once.
    if (HWND parent = GetParent(hWnd)) UpdateWindow(parent);
    UpdateWindow(hWnd);
}

int MyControlCtl::GetTextWidth(HDC hdc, char* text, int len) {
    char* ansi = AnsiFromOemMalloced(text);
    SIZE size = {};
    GetTextExtentPointA(hdc, ansi ? ansi : text, len, &size);
    free(ansi);
    return size.cx;
}

void MyControlCtl::Ctl3dBox(HDC hdc, RECT r, HBRUSH hBrush) {
    HPEN light = ControlMgr->GetLightGreyPen();
    HPEN dark = ControlMgr->GetDarkGreyPen();
    {
        SelectedObject pen(hdc, GetStockObject(BLACK_PEN));
        MoveToEx(hdc, r.left + 1, r.bottom - 2, nullptr);
        LineTo(hdc, r.left + 1, r.top + 1);
        LineTo(hdc, r.right - 1, r.top + 1);
        if (light) {
            pen.Select(light);
            MoveToEx(hdc, r.left + 1, r.bottom - 1, nullptr);
            LineTo(hdc, r.right - 1, r.bottom - 1);
            LineTo(hdc, r.right - 1, r.top);
        }
        pen.Select(GetStockObject(WHITE_PEN));
        MoveToEx(hdc, r.left, r.bottom, nullptr);
        LineTo(hdc, r.right, r.bottom);
        LineTo(hdc, r.right, r.top - 1);
        if (dark) {
            pen.Select(dark);
            MoveToEx(hdc, r.left, r.bottom - 1, nullptr);
            LineTo(hdc, r.left, r.top);
            LineTo(hdc, r.right, r.top);
        }
    }
    if (hBrush) {
        RECT inside = {r.left + 2, r.top + 2, r.right - 1, r.bottom - 1};
        FillRect(hdc, &inside, hBrush);
    }
}

int MyControlCtl::OnCreate(HWND hwnd, CREATESTRUCTA*) {
    hWnd = hwnd;
    return 1;
}

int MyControlCtl::OnEraseBackground(HDC) { return 0; }

int MyControlCtl::OnEnable(int fEnable) {
    fEnabled = fEnable;
    return fEnabled;
}

int MyControlCtl::OnFocus(WPARAM hOther) {
    hFocusPeer = hOther;
    return static_cast<int>(hFocusPeer);
}

void MyControlCtl::OnLButtonDown(UINT, POINT*) {}
void MyControlCtl::OnLButtonUp(UINT, POINT*) {}
void MyControlCtl::OnLButtonDblClk(UINT, POINT*) {}
void MyControlCtl::OnRButtonDown(UINT, POINT*) {}
void MyControlCtl::OnRButtonUp(UINT, POINT*) {}
void MyControlCtl::OnMouseMove(UINT, POINT*) {}

int MyControlCtl::OnMessage(UINT, WPARAM, LPARAM, LRESULT*) { return 0; }

char* MyControlCtl::pickOff(char* src, char delim, char* dst, int size) {
    int stored = 0;
    bool full = false;
    // Whole characters: a lead byte kept without its trail would take the
    // terminator as its second byte.
    while (*src && *src != delim) {
        char* next = NextChar(src);
        int n = int(next - src);
        full = full || stored + n > size - 2;
        if (!full) {
            CopyMemory(dst + stored, src, n);
            stored += n;
        }
        src = next;
    }
    dst[stored] = '\0';
    return *src ? src + 1 : src;
}

void MyControlCtl::SendNotify(unsigned short code, unsigned short value) {
    WORD id = LOWORD(GetDlgCtrlID(hWnd));
    SendMessageA(GetParent(hWnd), WM_COMMAND, MAKEWPARAM(id, code), static_cast<LPARAM>(value));
}

void MyControlCtl::KillObject(HGDIOBJ* pHandle) {
    if (*pHandle) {
        DeleteObjectChecked(*pHandle);
        *pHandle = nullptr;
    }
}

void MyControlCtl::KillIcon(HICON* pHandle) {
    if (*pHandle) {
        DestroyIcon(*pHandle);
        *pHandle = nullptr;
    }
}

void MyControlCtl::OemStringToAnsi(char* src, char* dst) { ControlMgr->OemStringToAnsi(src, dst); }
char* MyControlCtl::AnsiFromOem(char* src) { return ControlMgr->AnsiFromOem(src); }
char* MyControlCtl::AnsiFromOemMalloced(char* src) { return ControlMgr->AnsiFromOemMalloced(src); }

void MyControlCtl::OutlineText(HDC hdc, int x, int y, char* text, COLORREF outlineColour,
                               COLORREF textColour) {
    int n = lstrlenA(text);
    COLORREF old = SetTextColor(hdc, outlineColour);
    TextOutA(hdc, x - 1, y, text, n);
    TextOutA(hdc, x + 1, y, text, n);
    TextOutA(hdc, x, y - 1, text, n);
    TextOutA(hdc, x, y + 1, text, n);
    SetTextColor(hdc, textColour);
    TextOutA(hdc, x, y, text, n);
    SetTextColor(hdc, old);
}

LRESULT CALLBACK MyControlWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) ControlMgr->SetWindowObject(hwnd, nullptr);

    MyControlCtl* obj = msg == WM_CREATE ? nullptr : ControlMgr->GetWindowObject(hwnd);
    if (obj) {
        LRESULT result;
        if (obj->OnMessage(msg, wParam, lParam, &result)) return result;
    }

    // Signed 16-bit halves: during capture a point left of or above the window is negative.
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    UINT keys = static_cast<UINT>(wParam);
    switch (msg) {
    case WM_CREATE:
        obj = ControlMgr->Allocate(hwnd);
        ControlMgr->SetWindowObject(hwnd, obj);
        if (obj) obj->OnCreate(hwnd, reinterpret_cast<CREATESTRUCTA*>(lParam));
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (obj) obj->OnFocus(wParam);
        break;
    case WM_ENABLE:
        if (obj) obj->OnEnable(static_cast<int>(wParam));
        break;
    case WM_PAINT:
        if (obj) {
            PAINTSTRUCT ps;
            BeginPaint(hwnd, &ps);
            obj->OnPaint(ps);
            EndPaint(hwnd, &ps);
        }
        break;
    case WM_ERASEBKGND:
        if (obj) return obj->OnEraseBackground(reinterpret_cast<HDC>(wParam));
        break;
    case WM_NCDESTROY: {
        LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
        delete obj;
        ControlMgr->SetWindowObject(hwnd, nullptr);
        return result;
    }
    case WM_MOUSEMOVE:
        if (obj) obj->OnMouseMove(keys, &pt);
        break;
    case WM_LBUTTONDOWN:
        if (obj) obj->OnLButtonDown(keys, &pt);
        break;
    case WM_LBUTTONUP:
        if (obj) obj->OnLButtonUp(keys, &pt);
        break;
    case WM_LBUTTONDBLCLK:
        if (obj) obj->OnLButtonDblClk(keys, &pt);
        break;
    case WM_RBUTTONDOWN:
        if (obj) obj->OnRButtonDown(keys, &pt);
        break;
    case WM_RBUTTONUP:
        if (obj) obj->OnRButtonUp(keys, &pt);
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}
