#include "button.h"

#include <new>

MyButtonClass* MyButton = nullptr;

MyControlCtl* NewMyButton(char* className) {
    return lstrcmpiA(className, kMyButtonName) ? nullptr : new (std::nothrow) MyButtonCtl;
}

MyButtonCtl::MyButtonCtl() : pSprite(nullptr), nState(0) {}

MyButtonCtl::~MyButtonCtl() { delete pSprite; }

void MyButtonCtl::Recentre(HWND hwnd, CREATESTRUCTA* cs, int width, int height, BOOL repaint, int grow) {
    RECT r;
    GetWindowRect(hwnd, &r);
    POINT p = {r.left, r.top};
    ScreenToClient(cs->hwndParent, &p);
    int templateWidth = r.right - r.left;
    MoveWindow(hwnd, p.x + (templateWidth - width + grow) / 2, p.y, width + grow, height + grow, repaint);
}

int MyButtonCtl::OnCreate(HWND hwnd, CREATESTRUCTA* cs) {
    hWnd = hwnd;
    fEnabled = 1;
    hFocusPeer = 0;
    pSprite = new (std::nothrow) Sprite;
    if (!pSprite) return 0;
    char name[31];
    if (SendMessageA(hwnd, WM_GETTEXT, sizeof name, reinterpret_cast<LPARAM>(name)) <= 0) return 0;
    void* inst = MyButton->ResInstance();
    if (!pSprite->Load(inst, name, nullptr, RGB(255, 0, 255), 2, SafeLoadBitmap)) return 0;
    Recentre(hwnd, cs, pSprite->bm.bmWidth, pSprite->bm.bmHeight, FALSE, 0);
    return 1;
}

int MyButtonCtl::LooksPressed() {
    return (nState & (BTN_HELD | BTN_TRACKING)) && !(nState & BTN_OUTSIDE);
}

void MyButtonCtl::OnPaint(PAINTSTRUCT& ps) {
    if (pSprite) pSprite->Animate(ps.hdc, 0, 0, LooksPressed() ? 1 : 0);
}

int MyButtonCtl::GetState(int bits) { return (nState & bits) == bits; }

void MyButtonCtl::SetState(int bits, int on) {
    if (on)
        nState |= bits;
    else
        nState &= ~bits;
    Repaint();
}

void MyButtonCtl::ButtonPressed() {
    nState &= ~(BTN_HELD | BTN_TRACKING | BTN_OUTSIDE);
    Repaint();
    // The low word of the handle only, as 16-bit buttons reported it.
    LPARAM low = LOWORD(reinterpret_cast<UINT_PTR>(hWnd));
    SendMessageA(GetParent(hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hWnd), 0), low);
}

void MyButtonCtl::OnLButtonDown(UINT, POINT* pt) {
    if (!fEnabled || !InMe(pt) || GetState(BTN_HELD)) return;
    if (GetFocus() != hWnd) SetFocus(hWnd);
    SetState(BTN_TRACKING, 1);
    SetCapture(hWnd);
}

void MyButtonCtl::OnMouseMove(UINT, POINT* pt) {
    if (!fEnabled || !GetState(BTN_TRACKING)) return;
    SetState(BTN_OUTSIDE, !InMe(pt));
}

void MyButtonCtl::OnLButtonUp(UINT, POINT*) {
    if (!fEnabled || !GetState(BTN_TRACKING)) return;
    bool inside = !GetState(BTN_OUTSIDE);
    // Tracking ends before the mouse is let go: letting it go tells the
    // button its capture changed, which is otherwise a press taken away.
    nState &= ~BTN_TRACKING;
    ReleaseCapture();
    if (inside) {
        ButtonPressed();
    } else {
        SetState(BTN_TRACKING, 0);
        SetState(BTN_OUTSIDE, 0);
    }
}

void MyButtonCtl::OnLButtonDblClk(UINT keys, POINT* pt) { OnLButtonDown(keys, pt); }

int MyButtonCtl::OnMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT* result) {
    switch (msg) {
    case WM_GETDLGCODE:
        *result = DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        return 1;
    case BM_GETSTATE:
        *result = GetState(BTN_HELD);
        return 1;
    case BM_SETSTATE:
        SetState(BTN_HELD, static_cast<int>(wParam));
        return 0;  // the default processing runs too
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
        // Another window took the mouse (or the system ends the press): back
        // to rest as after a release outside, and a later release over the
        // button is no click. The default processing lets the capture go.
        if (GetState(BTN_TRACKING)) {
            SetState(BTN_TRACKING, 0);
            SetState(BTN_OUTSIDE, 0);
        }
        return 0;
    }
    return 0;
}
