#include "mtext.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "../core/chars.h"
#include "../core/controlmgr.h"
#include "../core/gdi.h"
#include "../core/resload.h"

MyMTextClass* MyMText = nullptr;

MyControlCtl* NewMyMText(char* className) {
    return lstrcmpiA(className, kMyMTextName) ? nullptr : new (std::nothrow) MyMTextCtl;
}

long StringNumber(const char* text) {
    const char* p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) p++;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+') p++;
    // Past the range, the nearest end of it, as the C runtime's atol gives.
    unsigned long limit = negative ? 2147483648ul : 2147483647ul, n = 0;
    for (; *p >= '0' && *p <= '9'; p++) n = n > (limit - (*p - '0')) / 10 ? limit : n * 10 + (*p - '0');
    return negative ? long(0 - n) : long(n);
}

MyMTextCtl::MyMTextCtl() : pText(nullptr), fCentred(0), fCreating(1) {}

MyMTextCtl::~MyMTextCtl() { free(pText); }

int MyMTextCtl::OnCreate(HWND hwnd, CREATESTRUCTA*) {
    hWnd = hwnd;
    fEnabled = 1;
    fCentred = 1;
    pText = static_cast<char*>(malloc(MTEXT_BUFFER));
    if (!pText) {
        fCreating = 0;  // a text set later tries again
        return 0;
    }
    GetWindowTextA(hwnd, pText, MTEXT_BUFFER - 1);
    DropPartialChar(pText);
    if (pText[0] == '*') {
        fCentred = 0;
        memmove(pText, pText + 1, lstrlenA(pText));
    }
    if (pText[0] == '~') {
        void* inst = MyMText->ResInstance();
        long id = StringNumber(pText + 1);
        pText[0] = '\0';  // a missing string shows as no text
        SafeLoadString(inst, int(id), pText, MTEXT_BUFFER - 1);
    }
    SetWindowTextA(hwnd, pText);
    fCreating = 0;
    return 1;
}

void MyMTextCtl::OnPaint(PAINTSTRUCT& ps) {
    if (!pText) return;
    char* ansi = AnsiFromOem(pText);
    HFONT font = ControlMgr->GetFontFor(ansi);
    if (!font) return;
    RECT rc;
    GetClientRect(hWnd, &rc);
    SelectedObject selected(ps.hdc, font);
    int oldMode = SetBkMode(ps.hdc, TRANSPARENT);
    DrawTextA(ps.hdc, ansi, -1, &rc, DT_WORDBREAK | DT_VCENTER | (fCentred ? DT_CENTER : 0));
    SetBkMode(ps.hdc, oldMode);
}

int MyMTextCtl::OnEraseBackground(HDC hdc) {
    RECT rc;
    GetClientRect(hWnd, &rc);
    FillRect(hdc, &rc, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    return 1;
}

int MyMTextCtl::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (msg == WM_GETDLGCODE) {
        *result = DLGC_STATIC;  // a label, as the single-line text is
        return 1;
    }
    if (fCreating) return 0;
    if (msg == WM_SETTEXT) {
        if (!pText) pText = static_cast<char*>(malloc(MTEXT_BUFFER));
        if (!pText) return 0;
        const char* text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        CopyChars(pText, text, MTEXT_BUFFER);
        InvalidateRect(hWnd, nullptr, TRUE);
        UpdateWindow(hWnd);
        *result = 1;
        return 1;
    }
    if (msg == WM_GETTEXTLENGTH && pText) {
        *result = lstrlenA(pText);  // the text WM_GETTEXT gives, not the template's
        return 1;
    }
    if (msg == WM_GETTEXT && pText) {
        // Room for nothing, not even the terminator: write nothing.
        int n = 0;
        if (wParam) {
            char* dst = reinterpret_cast<char*>(lParam);
            CopyChars(dst, pText, wParam < MTEXT_BUFFER ? static_cast<int>(wParam) : MTEXT_BUFFER);
            n = lstrlenA(dst);
        }
        *result = n;
        return 1;
    }
    return 0;
}
