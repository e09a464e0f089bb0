#include "graph.h"

#include <new>

#include "../core/controlmgr.h"
#include "../core/gdi.h"

MyGraphClass* MyGraph = nullptr;

MyControlCtl* NewMyGraph(char* className) {
    return lstrcmpiA(className, kMyGraphName) ? nullptr : new (std::nothrow) MyGraphCtl;
}

int ClampPosition(long v, int minimum, int maximum) {
    if (v <= minimum) v = minimum;
    return v < maximum ? static_cast<int>(v) : maximum;
}

int PositionToX(int position, int minimum, int maximum, int w) {
    if (maximum == minimum) return 2;
    return MulDiv(position - minimum, w - 4, maximum - minimum) + 2;
}

int PositionToPercent(int position, int minimum, int maximum) {
    if (maximum == minimum) return 0;
    return MulDiv(position - minimum, 100, maximum - minimum);
}

MyGraphCtl::MyGraphCtl() : nPosition(50), nMaximum(100), nMinimum(0) {}

int MyGraphCtl::OnCreate(HWND hwnd, CREATESTRUCTA*) {
    hWnd = hwnd;
    fEnabled = 1;
    return 1;
}

int MyGraphCtl::ShownPosition() { return ClampPosition(nPosition, nMinimum, nMaximum); }

int MyGraphCtl::PosToScreen() {
    RECT rc;
    GetClientRect(hWnd, &rc);
    return PositionToX(ShownPosition(), nMinimum, nMaximum, rc.right);
}

int MyGraphCtl::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (msg) {
    case GRM_SETRANGE:
        nMinimum = LOWORD(lParam);
        nMaximum = HIWORD(lParam);
        break;
    case GRM_SETPOS:
        nPosition = ClampPosition(static_cast<long>(lParam), nMinimum, nMaximum);
        break;
    case GRM_GETPOS:
        *result = nPosition;
        return 1;
    default:
        return 0;
    }
    if (wParam) Repaint();
    *result = 1;
    return 1;
}

void MyGraphCtl::OnPaint(PAINTSTRUCT& ps) {
    RECT rc;
    GetClientRect(hWnd, &rc);
    int w = rc.right, h = rc.bottom;
    HBRUSH client = ControlMgr->GetClientBrush();
    Ctl3dBox(ps.hdc, RECT{0, 0, w - 1, h - 1}, client);
    int x = PosToScreen();
    RECT done = {2, 2, x, h - 2}, todo = {x, 2, w - 2, h - 2};
    FillRect(ps.hdc, &done, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
    if (client) FillRect(ps.hdc, &todo, client);

    // The label goes through a monochrome bitmap combined with SRCINVERT, so
    // it reads in inverse video over both parts of the bar.
    MemoryDC mem(ps.hdc);
    if (!mem) return;
    HBITMAP mono = CreateCompatibleBitmap(mem, w, h);
    if (!mono) return;
    {
        SelectedObject bitmap(mem, mono);
        RECT all = {0, 0, w, h};
        FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        SelectedObject font(mem, ControlMgr->GetFont());
        SetBkMode(mem, TRANSPARENT);
        SetTextColor(mem, RGB(255, 255, 255));
        char label[16];
        int n = wsprintfA(label, "%d%%", PositionToPercent(ShownPosition(), nMinimum, nMaximum));
        char sample[] = "50%";
        int tw = GetTextWidth(mem, sample, 3);  // labels of any length start where "50%" would
        TextOutA(mem, (w - 1 - tw) / 2, (h - 1 - ControlMgr->nFontHeight) / 2, AnsiFromOem(label), n);
        BitBlt(ps.hdc, 0, 0, w, h, mem, 0, 0, SRCINVERT);
    }
    DeleteObjectChecked(mono);  // deselected above
}
