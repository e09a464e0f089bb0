// The bitmap button: a two-frame picture (at rest, pressed) with magenta
// transparent, sized to one frame, that tracks the mouse like a push button
// and reports a click to its dialog.
#pragma once
#include "../core/control.h"
#include "../core/controlclass.h"
#include "sprite.h"

inline constexpr char kMyButtonName[] = "OrbWeaveMyButt";
MyControlCtl* NewMyButton(char* className);
class MyButtonClass : public MyControlClassOf<kMyButtonName, CURSOR_ARROW, NewMyButton> {};
extern MyButtonClass* MyButton;

enum {
    BTN_HELD = 0x1,      // held down by BM_SETSTATE
    BTN_TRACKING = 0x4,  // the left button went down inside
    BTN_OUTSIDE = 0x8,   // the mouse left the button while tracking
};

class MyButtonCtl : public MyControlCtl {
public:
    Sprite* pSprite;
    int nState;

    MyButtonCtl();
    ~MyButtonCtl() override;
    int OnCreate(HWND hwnd, CREATESTRUCTA* cs) override;
    void OnPaint(PAINTSTRUCT& ps) override;
    void OnLButtonDown(UINT keys, POINT* pt) override;
    void OnLButtonUp(UINT keys, POINT* pt) override;
    void OnLButtonDblClk(UINT keys, POINT* pt) override;
    void OnMouseMove(UINT keys, POINT* pt) override;
    int OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // Sets or clears state bits and repaints; a derived button animates here.
    virtual void SetState(int bits, int on);

    int GetState(int bits);
    // Ends a click: clears the mouse and held bits, repaints, notifies.
    void ButtonPressed();
    // Frame 1 when held or tracking inside, else frame 0.
    int LooksPressed();

protected:
    // Moves the window to x + (template width - width) / 2, keeping its top.
    static void Recentre(HWND hwnd, CREATESTRUCTA* cs, int width, int height, BOOL repaint, int grow);
};
