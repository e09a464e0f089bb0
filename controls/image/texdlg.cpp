#include "texdlg.h"

#include <initializer_list>
#include <new>

#include "../core/controlmgr.h"
#include "../core/gdi.h"

MyTexDlgClass* MyTexDlg = nullptr;

static const char kTexProp[] = "DIBTexPtr";
static const char kCarrierProp[] = "OWTexDlg";

MyControlCtl* NewMyTexDlg(char* className) {
    return lstrcmpiA(className, kMyTexDlgName) ? nullptr : new (std::nothrow) MyTexDlgCtl;
}

int BevelWidth(int windowWidth, int clientWidth) { return (windowWidth - clientWidth) / 2; }

void BevelPolygons(int w, int h, int d, POINT out[4][4]) {
    const POINT polys[4][4] = {
        {{0, 0}, {d, d}, {w - d, d}, {w, 0}},          // top
        {{0, h}, {w, h}, {w - d, h - d}, {d, h - d}},  // bottom
        {{0, 0}, {d, d}, {d, h - d}, {0, h}},          // left
        {{w, 0}, {w, h}, {w - d, h - d}, {w - d, d}},  // right
    };
    for (int i = 0; i < 4; i++)
        for (int j = 0; j < 4; j++) out[i][j] = polys[i][j];
}

DIBTex* DlgTexture(void* hDlg) {
    HWND dlg = static_cast<HWND>(hDlg);
    if (!IsWindow(dlg)) return nullptr;
    HGLOBAL block = GetPropA(dlg, kTexProp);
    if (!block) return nullptr;
    auto* slot = static_cast<DIBTex**>(GlobalLock(block));
    if (!slot) return nullptr;
    DIBTex* tex = *slot;
    GlobalUnlock(block);
    return tex;
}

int SetDlgDIBTex(void* hDlg, DIBTex* tex) {
    HWND dlg = static_cast<HWND>(hDlg);
    if (!IsWindow(dlg)) return 0;
    if (HGLOBAL old = GetPropA(dlg, kTexProp)) {
        if (GlobalLock(old)) {
            GlobalUnlock(old);
            GlobalFree(old);
        }
    }
    if (!tex) {
        RemovePropA(dlg, kTexProp);
        return 1;
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DIBTex*));
    auto* slot = block ? static_cast<DIBTex**>(GlobalLock(block)) : nullptr;
    if (!slot) {
        if (block) GlobalFree(block);
        RemovePropA(dlg, kTexProp);
        return 0;
    }
    *slot = tex;
    GlobalUnlock(block);
    SetPropA(dlg, kTexProp, block);
    return 1;
}

TexDlg::TexDlg(HWND dlg, HINSTANCE inst, HINSTANCE resInst, char* textureName, int option)
    : hDlg(dlg), hInstance(inst), hResInstance(resInst), nOption(option), nReserved1(1), nReserved2(0),
      pfnOldProc(nullptr), tex(resInst, textureName), hrgnTop(nullptr), hrgnBottom(nullptr), hrgnLeft(nullptr),
      hrgnRight(nullptr), nBorder(0) {
    pfnOldProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(dlg, GWLP_WNDPROC));
    SetWindowLongPtrA(dlg, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Tex_SubclassProc));
}

TexDlg::~TexDlg() {
    for (HRGN r : {hrgnTop, hrgnBottom, hrgnLeft, hrgnRight})
        if (r) DeleteObjectChecked(r);
    SetWindowLongPtrA(hDlg, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnOldProc));
}

void TexDlg::ClientRectToScreen(RECT* r) {
    ClientToScreen(hDlg, reinterpret_cast<POINT*>(&r->left));
    ClientToScreen(hDlg, reinterpret_cast<POINT*>(&r->right));
}

int TexDlg::OnPaint() {
    PAINTSTRUCT ps;
    BeginPaint(hDlg, &ps);
    if (!IsRectEmpty(&ps.rcPaint)) {
        SelectedPalette palette(ps.hdc, tex.hPalette);
        RECT window, client;
        GetWindowRect(hDlg, &window);
        GetClientRect(hDlg, &client);
        ClientRectToScreen(&client);
        // The client area continues the frame's tiling.
        tex.TexMap(ps.hdc, client.left - window.left, client.top - window.top, ps.rcPaint, TONE_NORMAL, SRCCOPY);
    }
    EndPaint(hDlg, &ps);
    return 0;
}

void TexDlg::CalcRegions(RECT* window) {
    int w = window->right - window->left, h = window->bottom - window->top;
    RECT client;
    GetClientRect(hDlg, &client);
    nBorder = BevelWidth(w, client.right - client.left);
    POINT polys[4][4];
    BevelPolygons(w, h, nBorder, polys);
    HRGN* regions[4] = {&hrgnTop, &hrgnBottom, &hrgnLeft, &hrgnRight};
    for (int i = 0; i < 4; i++) {
        if (*regions[i]) DeleteObjectChecked(*regions[i]);
        *regions[i] = CreatePolygonRgn(polys[i], 4, ALTERNATE);
    }
}

int TexDlg::OnNCPaint(HRGN) {
    HDC dc = GetWindowDC(hDlg);
    if (!dc) return 0;
    PaintFrame(dc);
    ReleaseDC(hDlg, dc);
    return 0;
}

void TexDlg::PaintFrame(HDC dc) {
    SelectedPalette palette(dc, tex.hPalette);
    RECT window;
    GetWindowRect(hDlg, &window);
    int w = window.right - window.left, h = window.bottom - window.top;
    if (!hrgnTop) {
        RECT r = {0, 0, w, h};
        CalcRegions(&r);
    }
    int d = nBorder;
    const struct {
        HRGN region;
        RECT band;
        int tone;
    } bevels[4] = {
        {hrgnTop, {0, 0, w, d}, TONE_HIGHLIGHT},
        {hrgnBottom, {0, h - d, w, h}, TONE_SHADOW},
        {hrgnLeft, {0, 0, d, h}, TONE_HIGHLIGHT},
        {hrgnRight, {w - d, 0, w, h}, TONE_SHADOW},
    };
    for (auto b : bevels) {
        SelectClipRgn(dc, b.region);
        tex.TexMap(dc, 0, 0, b.band, b.tone, SRCCOPY);
    }
    SelectClipRgn(dc, nullptr);
}

LRESULT CALLBACK Tex_SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND carrier = static_cast<HWND>(GetPropA(hwnd, kCarrierProp));
    auto* ctl = carrier ? static_cast<MyTexDlgCtl*>(ControlMgr->GetWindowObject(carrier)) : nullptr;
    TexDlg* painter = ctl ? ctl->pTexDlg : nullptr;
    if (!painter || !painter->pfnOldProc) return 0;
    switch (msg) {
    case WM_PAINT:
        return painter->OnPaint();
    case WM_ERASEBKGND:
        return 0;  // the paint that follows covers the update area
    case WM_NCPAINT: {
        LRESULT r = CallWindowProcA(painter->pfnOldProc, hwnd, msg, wParam, lParam);
        painter->OnNCPaint(reinterpret_cast<HRGN>(wParam));
        return r;
    }
    }
    return CallWindowProcA(painter->pfnOldProc, hwnd, msg, wParam, lParam);
}

MyTexDlgCtl::MyTexDlgCtl() : pTexDlg(nullptr) {}

MyTexDlgCtl::~MyTexDlgCtl() {
    if (!pTexDlg) return;
    HWND dlg = pTexDlg->hDlg;
    delete pTexDlg;
    RemovePropA(dlg, kCarrierProp);
    SetDlgDIBTex(dlg, nullptr);
}

int MyTexDlgCtl::OnCreate(HWND hwnd, CREATESTRUCTA* cs) {
    hWnd = hwnd;
    fEnabled = 1;
    hFocusPeer = 0;
    char name[63];
    if (GetWindowTextA(hwnd, name, sizeof name) <= 0) return 0;
    HWND dlg = cs->hwndParent;
    // One carrier a dialog: a second would subclass it again, and the
    // procedure it saved would be the subclass procedure itself.
    if (GetPropA(dlg, kCarrierProp)) return 0;
    // The subclass finds the carrier through this property: without it every
    // message of the dialog would be lost. Set first; subclass only when set.
    if (!SetPropA(dlg, kCarrierProp, hwnd)) return 0;
    auto inst = static_cast<HINSTANCE>(MyTexDlg->hInstance);
    auto resInst = static_cast<HINSTANCE>(MyTexDlg->ResInstance());
    pTexDlg = new (std::nothrow) TexDlg(dlg, inst, resInst, name, 1);
    if (!pTexDlg) {
        RemovePropA(dlg, kCarrierProp);
        return 0;
    }
    SetDlgDIBTex(dlg, &pTexDlg->tex);
    return 1;
}

void MyTexDlgCtl::OnPaint(PAINTSTRUCT&) {}
