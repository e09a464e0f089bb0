// The check box: a small sunken box and a label, with a red tick drawn from a
// six-frame strip and animated when the user checks the box. Template text:
// [flag ","] label. Driven by CKM_SETSTATE and CKM_GETSTATE.
#pragma once
#include "../core/control.h"
#include "../core/controlclass.h"
#include "../image/sprite.h"

inline constexpr char kMyCheckBoxName[] = "OrbWeaveCheckBox";
MyControlCtl* NewMyCheckBox(char* className);
class MyCheckBoxClass : public MyControlClassOf<kMyCheckBoxName, CURSOR_ARROW, NewMyCheckBox> {};
extern MyCheckBoxClass* MyCheckBox;

enum {
    CKM_SETSTATE = WM_USER,      // wParam: new state; returns the previous one; no notification
    CKM_GETSTATE = WM_USER + 1,
};

enum { TICK_FRAMES = 6, TICK_DONE = 5, TICK_STEP_MS = 90 };

class MyCheckBoxCtl : public MyControlCtl {
public:
    Sprite tick;
    int nState;      // 0 unchecked; any other value checked, kept as given
    int nFrame;      // tick frame shown, 0 .. TICK_DONE
    int fAnimating;  // while set, paints draw only the tick (a step of the tick's animation)
    int fOutlined;

    MyCheckBoxCtl();
    ~MyCheckBoxCtl() override;
    int OnCreate(HWND hwnd, CREATESTRUCTA* cs) override;
    void OnPaint(PAINTSTRUCT& ps) override;
    void OnLButtonDown(UINT keys, POINT* pt) override;
    int OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    void SetState(int state, int notify, int animate);
};
