// Errors in the program's own alert dialog rather than a system message box.
// An alert can be raised at any time: it registers the controls it needs.
#pragma once
#include <windows.h>

// 1 for OK (also when closed from the system menu), 2 for cancel, -1 when the
// dialog cannot be made.
INT_PTR ShowAlertStr(const char* text);
// The string resource of that number, or "Bad error (%d)" with it as a signed
// 16-bit number.
INT_PTR ShowAlert(int number);
// The string resource `id` formatted with a text and a number, in an alert.
INT_PTR ShowAlertFormatted(int id, const char* arg, int number = 0);
INT_PTR CALLBACK AlertDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
