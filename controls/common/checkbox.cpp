#include "checkbox.h"

#include <new>

#include "../core/controlmgr.h"
#include "../core/gdi.h"
#include "text.h"

MyCheckBoxClass* MyCheckBox = nullptr;

MyControlCtl* NewMyCheckBox(char* className) {
    return lstrcmpiA(className, kMyCheckBoxName) ? nullptr : new (std::nothrow) MyCheckBoxCtl;
}

MyCheckBoxCtl::MyCheckBoxCtl() : nState(0), nFrame(0), fAnimating(0), fOutlined(0) {}

MyCheckBoxCtl::~MyCheckBoxCtl() { tick.AnimateDone(nullptr, 0); }

int MyCheckBoxCtl::OnCreate(HWND hwnd, CREATESTRUCTA*) {
    hWnd = hwnd;
    fEnabled = 1;
    hFocusPeer = 0;
    nState = nFrame = fAnimating = 0;
    ReadFlagAndText(hwnd, &fOutlined);
    return 1;
}

void MyCheckBoxCtl::OnPaint(PAINTSTRUCT& ps) {
    RECT rc;
    GetClientRect(hWnd, &rc);
    int h = rc.bottom - rc.top, m = h / 2;
    HFONT font = ControlMgr->GetFont();
    if (font && !fAnimating) {
        SelectedObject selected(ps.hdc, font);
        int oldMode = SetBkMode(ps.hdc, TRANSPARENT);
        rc.left += 22;
        char text[63];
        GetWindowTextA(hWnd, text, sizeof text);
        char* ansi = AnsiFromOem(text);
        if (fOutlined)
            OutlineText(ps.hdc, rc.left, h / 2 - ControlMgr->nFontHeight / 2, ansi, RGB(255, 255, 255), RGB(0, 0, 0));
        else
            DrawTextA(ps.hdc, ansi, -1, &rc, DT_SINGLELINE | DT_VCENTER);
        SetBkMode(ps.hdc, oldMode);
    }
    if (!fAnimating) Ctl3dBox(ps.hdc, RECT{7, m - 6, 19, m + 6}, ControlMgr->GetClientBrush());
    if (!tick.hImage) {
        void* inst = MyCheckBox->ResInstance();
        char name[] = "CheckBox";
        tick.Load(inst, name, nullptr, RGB(255, 255, 255), TICK_FRAMES, SafeLoadBitmap);
    }
    // Over the box's corner; the first paint saves the bare box under it.
    if (tick.hImage) tick.Animate(ps.hdc, 4, m - 11, nFrame);
}

void MyCheckBoxCtl::OnLButtonDown(UINT, POINT* pt) {
    if (fEnabled && InMe(pt)) SetState(nState ? 0 : 1, 1, 1);
}

int MyCheckBoxCtl::OnMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT* result) {
    if (msg == CKM_SETSTATE) {
        *result = nState;
        SetState(static_cast<int>(wParam), 0, 0);
        return 1;
    }
    if (msg == CKM_GETSTATE) {
        *result = nState;
        return 1;
    }
    return 0;
}

void MyCheckBoxCtl::SetState(int state, int notify, int animate) {
    nState = state;
    if (!state || !animate) {
        nFrame = state ? TICK_DONE : 0;
        Repaint();
    } else {
        // Blocks for the whole tick, like a button's press: no messages meanwhile.
        HWND parent = GetParent(hWnd);
        for (int i = 1; i <= TICK_DONE; i++) {
            nFrame = i;
            // A step draws the tick alone, unless the dialog still owes a
            // paint: that paint wipes the box and its label, so it draws all.
            fAnimating = !(parent && GetUpdateRect(parent, nullptr, FALSE));
            Repaint();
            DWORD start = GetTickCount();
            while (i < TICK_DONE && !TicksPassed(start, GetTickCount(), TICK_STEP_MS)) {
            }
        }
        fAnimating = 0;
    }
    if (notify) SendNotify(0, 0);
}
