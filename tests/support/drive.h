// Drives the setup program as a user would: starts it, finds its windows by
// caption and clicks their items with real mouse input (SendInput).
#pragma once
#include <windows.h>

#include <string>

struct Launched {
    HANDLE hProcess = nullptr;
    DWORD pid = 0;
};

// "/unix/path" -> "Z:\unix\path"; a Windows path is returned unchanged.
std::string WindowsPath(const std::string& path);
// Starts a program in its own directory with a command line tail; false when
// it cannot start.
bool Launch(const std::string& exe, const std::string& args, Launched* out);
// The exit code, or STILL_ACTIVE when the process outlives the wait.
DWORD WaitExit(const Launched& proc, DWORD ms);
void Kill(Launched* proc);
// How long a wait for what must come may last: only a backstop against a
// hang, below the test bed's 120 s limit on a run. Under emulation on a busy
// machine a program's first window has taken more than 20 s.
inline constexpr DWORD kPatience = 100000;
// The visible top-level window with this caption (of process pid when non-zero).
HWND FindTopWindow(const char* caption, DWORD pid = 0);
// Null after ms, or as soon as process pid (when non-zero) has ended.
HWND WaitForWindow(const char* caption, DWORD ms = kPatience, DWORD pid = 0);
bool WaitGone(HWND hwnd, DWORD ms);
// Whether a visible window, or a visible child of it, still has something to
// paint (hidden windows are never sent WM_PAINT).
bool NeedsPaint(HWND hwnd);
// One mouse event at a screen point (MOUSEEVENTF_MOVE, _LEFTDOWN, ...).
void SendMouse(DWORD flags, int x, int y);
// A left click at a screen point: move, press, release, with short pauses.
void ClickAt(int x, int y);
// A left click in the middle of a dialog item; false when there is no such item.
bool ClickItem(HWND dlg, int id);
