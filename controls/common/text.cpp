#include "text.h"

#include <cstring>
#include <new>

#include "../core/chars.h"
#include "../core/controlmgr.h"
#include "../core/gdi.h"

MyTextClass* MyText = nullptr;

MyControlCtl* NewMyText(char* className) {
    return lstrcmpiA(className, kMyTextName) ? nullptr : new (std::nothrow) MyTextCtl;
}

void ReadFlagAndText(HWND hwnd, int* outlined) {
    char text[255], field[63];
    GetWindowTextA(hwnd, text, sizeof text);
    *outlined = 0;
    const char* comma = text;
    while (*comma && *comma != ',') comma++;
    if (!*comma) return;
    char* next = MyControlCtl::pickOff(text, ',', field, sizeof field);
    *outlined = field[0] == '1';
    MyControlCtl::pickOff(next, ',', field, sizeof field);
    SetWindowTextA(hwnd, field);
}

MyTextCtl::MyTextCtl() : fOutlined(0), fRightAligned(0), fCreating(1) {}

int MyTextCtl::OnCreate(HWND hwnd, CREATESTRUCTA*) {
    hWnd = hwnd;
    fEnabled = 1;
    fRightAligned = 0;
    ReadFlagAndText(hwnd, &fOutlined);
    char text[255];
    GetWindowTextA(hwnd, text, sizeof text);
    if (text[0] == '*') {
        fRightAligned = 1;
        SetWindowTextA(hwnd, text + 1);
    }
    fCreating = 0;
    return 1;
}

void MyTextCtl::OnPaint(PAINTSTRUCT& ps) {
    char text[63];
    GetWindowTextA(hWnd, text, sizeof text);
    DropPartialChar(text);  // a system that cuts by bytes may split the last character
    char* ansi = AnsiFromOem(text);
    HFONT font = ControlMgr->GetFontFor(ansi);
    if (!font) return;
    RECT rc;
    GetClientRect(hWnd, &rc);
    SelectedObject selected(ps.hdc, font);
    int oldMode = SetBkMode(ps.hdc, TRANSPARENT);
    if (fOutlined) {
        int fh = ControlMgr->nFontHeight;
        OutlineText(ps.hdc, rc.left, (rc.bottom - rc.top) / 2 - fh / 2, ansi, RGB(255, 255, 255), RGB(0, 0, 0));
    } else {
        DrawTextA(ps.hdc, ansi, -1, &rc, DT_SINGLELINE | DT_VCENTER | (fRightAligned ? DT_RIGHT : DT_LEFT));
    }
    SetBkMode(ps.hdc, oldMode);
}

int MyTextCtl::OnEraseBackground(HDC hdc) {
    if (fCreating || fOutlined) return 0;  // an outlined text shows what lies beneath
    RECT rc;
    GetClientRect(hWnd, &rc);
    FillRect(hdc, &rc, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    return 1;
}

int MyTextCtl::OnMessage(UINT msg, WPARAM, LPARAM, LRESULT* result) {
    if (msg == WM_GETDLGCODE) {
        // A label, as a static is: the dialog manager then takes its "&"
        // letter to the control after it ("&Plug-in directory:", Alt+P).
        *result = DLGC_STATIC;
        return 1;
    }
    // The default handling stores the new text; it shows at the next paint.
    if (msg == WM_SETTEXT && !fCreating) InvalidateRect(hWnd, nullptr, TRUE);
    return 0;
}
