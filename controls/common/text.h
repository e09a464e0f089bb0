// The single-line text control: the window's own text in the shared font,
// left or right aligned on light grey, or outlined over what lies beneath.
// Template text: [flag ","] text, then an optional leading "*" (right-aligned).
#pragma once
#include "../core/control.h"
#include "../core/controlclass.h"

inline constexpr char kMyTextName[] = "OrbWeaveText";
MyControlCtl* NewMyText(char* className);
class MyTextClass : public MyControlClassOf<kMyTextName, CURSOR_ARROW, NewMyText> {};
extern MyTextClass* MyText;

class MyTextCtl : public MyControlCtl {
public:
    int fOutlined;
    int fRightAligned;
    int fCreating;  // OnCreate's own WM_SETTEXT must not repaint

    MyTextCtl();
    int OnCreate(HWND hwnd, CREATESTRUCTA* cs) override;
    void OnPaint(PAINTSTRUCT& ps) override;
    int OnEraseBackground(HDC hdc) override;
    int OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

// Splits a "flag,text" template text: sets *outlined from the flag ("1") and
// makes the text field the window text. Without a comma nothing changes.
void ReadFlagAndText(HWND hwnd, int* outlined);
