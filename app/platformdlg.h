// The platform dialog: the detected Windows platform as three check boxes
// that act as radio buttons; Continue hands the choice back.
#pragma once
#include <windows.h>

// Platform values, single bits so that a file table row can hold a mask of them.
enum { PLATFORM_NT = 2, PLATFORM_WIN95 = 4, PLATFORM_WIN32S = 8 };

// The platform the program runs on (Windows 3.1 when it cannot be told).
int Platform();
// The dialog's parameter is the address of an int holding a platform value.
INT_PTR CALLBACK PlatformDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
// Checks the box of a platform value and clears the others.
void CheckPlatform(HWND hDlg, int value);
// The value of the checked box (Windows 3.1 when none is).
int GetPlatform(HWND hDlg);
