// The installation sequence: the dialogs from the welcome to the closing
// message, and the copy loop with its progress dialog and Cancel.
#pragma once
#include <windows.h>

// Runs the sequence once the main window is on screen: 1 when every file was
// installed, 0 after Exit, Cancel or an error. Quiet (-q), without the
// dialogs that ask, and with why it ended in gExitCode.
int Install(HWND hwndMain);
// Serves "Welcome", "Done" and "Failure".
INT_PTR CALLBACK GenericDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
// Serves the modeless "Installing" dialog; its Cancel sets gfAbort.
INT_PTR CALLBACK InstallDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
