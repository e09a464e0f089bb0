// Drives the program's modal dialogs from a second thread, as a user would,
// while the test's own thread runs them.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "drive.h"

// The visible top-level window of this process with that caption, or null
// after ms milliseconds.
HWND WaitWindow(const char* caption, DWORD ms = kPatience);
// Waits until done() holds, or ms milliseconds have passed; says which.
bool WaitUntil(const std::function<bool()>& done, DWORD ms = kPatience);
// The window with the keyboard focus in the thread of hwnd.
HWND FocusOf(HWND hwnd);
// Runs DialogBoxParamA(template, proc, param) here while script(dialog) runs
// on another thread; returns the dialog's result.
INT_PTR RunModal(const char* name, const char* caption, DLGPROC proc, LPARAM param,
                 const std::function<void(HWND)>& script);
std::string ItemText(HWND dlg, int id);
// A button click as its notification reaches the dialog (posted: it may open
// another modal dialog). It does not wait: callers wait for what they expect.
void Press(HWND dlg, int id);
// Typing into an edit field: its text changes and it notifies the dialog.
void Type(HWND dlg, int id, const char* text);
