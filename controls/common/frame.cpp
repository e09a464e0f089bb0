#include "frame.h"

#include <new>

MyFrameClass* MyFrame = nullptr;

MyControlCtl* NewMyFrame(char* className) {
    return lstrcmpiA(className, kMyFrameName) ? nullptr : new (std::nothrow) MyFrameCtl;
}

int MyFrameCtl::OnCreate(HWND hwnd, CREATESTRUCTA*) {
    hWnd = hwnd;
    fEnabled = 1;
    hFocusPeer = 0;
    return 1;
}

void MyFrameCtl::OnPaint(PAINTSTRUCT& ps) {
    RECT rc;
    GetClientRect(hWnd, &rc);
    Ctl3dBox(ps.hdc, RECT{0, 0, rc.right - 1, rc.bottom - 1}, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
}
