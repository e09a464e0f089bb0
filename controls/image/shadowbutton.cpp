#include "shadowbutton.h"

#include <new>

#include "texdlg.h"

MyShadowButtonClass* MyShadowButton = nullptr;

MyControlCtl* NewMyShadowButton(char* className) {
    return lstrcmpiA(className, kMyShadowButtonName) ? nullptr : new (std::nothrow) MyShadowButtonCtl;
}

MyShadowButtonCtl::MyShadowButtonCtl() : pShadowSprite(nullptr), nDepth(DEPTH_UP), fAnimating(0) {}

MyShadowButtonCtl::~MyShadowButtonCtl() { delete pShadowSprite; }

int MyShadowButtonCtl::OnCreate(HWND hwnd, CREATESTRUCTA* cs) {
    hWnd = hwnd;
    fEnabled = 1;
    hFocusPeer = 0;
    pShadowSprite = new (std::nothrow) ShadowSprite;
    if (!pShadowSprite) return 0;
    char name[31];
    if (GetWindowTextA(hwnd, name, sizeof name) <= 0) return 0;
    void* inst = MyShadowButton->ResInstance();
    pShadowSprite->Load(inst, name, RGB(255, 0, 255), DEPTH_UP, SafeLoadBitmap);
    Recentre(hwnd, cs, pShadowSprite->bm.bmWidth, pShadowSprite->bm.bmHeight, TRUE, DEPTH_UP);
    if (!DlgTexture(cs->hwndParent)) return 1;  // no texture: a black shadow
    POINT offset;
    DIBTex::ControlOffset(hwnd, &offset);
    pShadowSprite->ShadowTexture(DlgTexture, cs->hwndParent, offset.x, offset.y);
    return 1;
}

void MyShadowButtonCtl::OnPaint(PAINTSTRUCT& ps) {
    if (!pShadowSprite) return;
    if (!fAnimating) nDepth = LooksPressed() ? DEPTH_DOWN : DEPTH_UP;
    // The shadow stays at (8, 8); the face comes down toward it.
    pShadowSprite->Animate(ps.hdc, DEPTH_UP - nDepth, DEPTH_UP - nDepth, nDepth);
}

void MyShadowButtonCtl::SetState(int bits, int on) {
    int wasDown = LooksPressed();
    if (on)
        nState |= bits;
    else
        nState &= ~bits;
    int isDown = LooksPressed();
    if (wasDown && !isDown)
        AnimateIt(0);
    else if (!wasDown && isDown)
        AnimateIt(1);
    else
        Repaint();
}

void MyShadowButtonCtl::AnimateIt(int press) {
    static const int pressDepths[] = {8, 6, 4, 2};
    static const int releaseDepths[] = {2, 5, 8};
    fAnimating = 1;
    const int* depths = press ? pressDepths : releaseDepths;
    int n = press ? 4 : 3;
    for (int i = 0; i < n; i++) {
        nDepth = depths[i];
        Repaint();
        Wait(FRAME_WAIT_MS);
    }
    fAnimating = 0;
}

void MyShadowButtonCtl::Wait(int ms) {
    DWORD start = GetTickCount();
    while (!TicksPassed(start, GetTickCount(), DWORD(ms))) {
    }
}
