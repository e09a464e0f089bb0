// The progress graph: a bar in a sunken box with a centred percentage label in
// inverse video. Driven by GRM_SETRANGE, GRM_SETPOS and GRM_GETPOS.
#pragma once
#include "../core/control.h"
#include "../core/controlclass.h"

inline constexpr char kMyGraphName[] = "OrbWeaveGraph";
MyControlCtl* NewMyGraph(char* className);
class MyGraphClass : public MyControlClassOf<kMyGraphName, CURSOR_WAIT, NewMyGraph> {};
extern MyGraphClass* MyGraph;

enum {
    GRM_SETRANGE = WM_USER,      // wParam: repaint now; lParam: min low word, max high word
    GRM_SETPOS = WM_USER + 1,    // wParam: repaint now; lParam: position, clamped
    GRM_GETPOS = WM_USER + 2,
};

// The position after clamping v to [minimum, maximum]; with the range upside
// down, the maximum.
int ClampPosition(long v, int minimum, int maximum);
// Where the done part of a client width w ends: 2 at the minimum, w - 2 at the
// maximum; 2 (empty) for an empty range.
int PositionToX(int position, int minimum, int maximum, int w);
// The label's percentage; 0 for an empty range.
int PositionToPercent(int position, int minimum, int maximum);

class MyGraphCtl : public MyControlCtl {
public:
    int nPosition;
    int nMaximum;
    int nMinimum;

    MyGraphCtl();
    int OnCreate(HWND hwnd, CREATESTRUCTA* cs) override;
    void OnPaint(PAINTSTRUCT& ps) override;
    int OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    // The position as drawn: within the range, which may have moved past it.
    int ShownPosition();
    int PosToScreen();
};
