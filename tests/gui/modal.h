// Drives the program's modal dialogs from a second thread, as a user would,
// while the test's own thread runs them.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

// The visible top-level window of this process with that caption, or null
// after ms milliseconds.
HWND WaitWindow(const char* caption, DWORD ms = 5000);
// Runs DialogBoxParamA(template, proc, param) here while script(dialog) runs
// on another thread; returns the dialog's result.
INT_PTR RunModal(const char* name, const char* caption, DLGPROC proc, LPARAM param,
                 const std::function<void(HWND)>& script);
std::string ItemText(HWND dlg, int id);
// A button click as its notification reaches the dialog (posted: it may open
// another modal dialog).
void Press(HWND dlg, int id);
// Typing into an edit field: its text changes and it notifies the dialog.
void Type(HWND dlg, int id, const char* text);
