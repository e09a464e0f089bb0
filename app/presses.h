// Which presses of the mouse button reach the program's dialogs: none the user
// made before the dialog was on screen, and none of a double click whose first
// press went to another window. "Welcome!" and "Platform" have the same size
// and place, so the second press of a double click on one would otherwise
// confirm the other unseen.
#pragma once
#include <windows.h>

// Presses each within the double-click time and rectangle of the one before
// make one run: a double click is a run of two.
struct PressRun {
    DWORD began = 0, last = 0;  // message times of the run's first and latest press
    POINT at = {};              // screen point of the latest press
    HWND window = nullptr;      // the top-level window of the run's first press
    bool any = false;
};
// Adds a press (its message time, screen point and top-level window) to the
// run it continues, or begins a new run with it.
void NotePress(PressRun& run, DWORD time, POINT pt, HWND top, DWORD dblTime, SIZE dblSize);
// Whether the run's latest press may act on top: the run began on top, after
// top was on screen (at shownAt; shown false: it still owes its first paint).
bool PressMeantFor(const PressRun& run, HWND top, bool shown, DWORD shownAt);

// A window the program painted itself (UpdateWindow) before its loop read a
// message for it: on screen from now.
void NoteShown(HWND top);
// For a message loop of the program: false when msg is a press to drop.
// Notes the first paint of each top-level window it sees.
bool TakeInput(const MSG& msg);

// While alive, the modal dialogs of the thread (the program's and the
// system's) drop the presses TakeInput refuses: a message filter on their
// loops, which the program cannot otherwise reach.
class PressFilter {
public:
    PressFilter();
    ~PressFilter();
    PressFilter(const PressFilter&) = delete;
    PressFilter& operator=(const PressFilter&) = delete;

private:
    HHOOK hHook;
};
