// The platform dialog: the detected Windows platform as three check boxes
// that act as radio buttons; Continue hands the choice back.
#pragma once
#include <windows.h>

// The dialog's parameter is the address of an int holding a platform value.
INT_PTR CALLBACK PlatformDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
// Checks the box of a platform value and clears the others.
void CheckPlatform(HWND hDlg, int value);
// The value of the checked box (Windows 3.1 when none is).
int GetPlatform(HWND hDlg);
