// The shadowed push button: a face (the OK or Cancel lettering) floating over
// the dialog's texture and casting a shadow on it, 8 pixels up and 2 pressed,
// moving in short animated steps. Mouse handling comes from the bitmap button.
#pragma once
#include "button.h"
#include "shadowsprite.h"

inline constexpr char kMyShadowButtonName[] = "OrbWeaveShadButt";
MyControlCtl* NewMyShadowButton(char* className);
class MyShadowButtonClass : public MyControlClassOf<kMyShadowButtonName, CURSOR_ARROW, NewMyShadowButton> {};
extern MyShadowButtonClass* MyShadowButton;

enum { DEPTH_UP = 8, DEPTH_DOWN = 2, FRAME_WAIT_MS = 60 };

class MyShadowButtonCtl : public MyButtonCtl {
public:
    ShadowSprite* pShadowSprite;
    int nDepth;
    int fAnimating;

    MyShadowButtonCtl();
    ~MyShadowButtonCtl() override;
    int OnCreate(HWND hwnd, CREATESTRUCTA* cs) override;
    void OnPaint(PAINTSTRUCT& ps) override;
    void SetState(int bits, int on) override;

    // 1: press (depths 8, 6, 4, 2); 0: release (2, 5, 8); a paint and a wait each.
    void AnimateIt(int press);
    // Busy-waits: no messages are processed meanwhile.
    static void Wait(int ms);
};
