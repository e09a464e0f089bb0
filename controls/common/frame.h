// The frame control: a sunken 3-D panel filled with light grey, the ground the
// dialogs' texts, pictures and check boxes lie on. Its template text is never shown.
#pragma once
#include "../core/control.h"
#include "../core/controlclass.h"

inline constexpr char kMyFrameName[] = "OrbWeaveFrame";
MyControlCtl* NewMyFrame(char* className);
class MyFrameClass : public MyControlClassOf<kMyFrameName, CURSOR_ARROW, NewMyFrame> {};
extern MyFrameClass* MyFrame;

class MyFrameCtl : public MyControlCtl {
public:
    int OnCreate(HWND hwnd, CREATESTRUCTA* cs) override;
    void OnPaint(PAINTSTRUCT& ps) override;
};
