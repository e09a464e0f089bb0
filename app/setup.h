// The setup program's entry and main window. Includes what the layers below
// declare, for the entry and for the tests.
#pragma once
#include <windows.h>

#include "dialogs.h"
#include "install.h"
#include "platformdlg.h"

// Reads the "-x" and "/x" switches of a command line into the flags, and
// -d's directory into gszDest; a -d without one is EXIT_BAD_SWITCH.
void ParseSwitches(const char* cmdLine);
// The arguments of a whole command line (GetCommandLineA): what follows the
// program's name, quoted or not, and the blanks after it.
const char* SkipProgramName(const char* cmdLine);

BOOL InitApplication(HINSTANCE hInstance);
// One setup at a time: when one already runs (from this disk or another),
// brings its window, or the dialog it shows, to the front and answers TRUE.
BOOL ShowRunningSetup();
// Whether a setup runs already, asking nothing of it (a quiet start's question).
BOOL SetupRunning();
BOOL InitInstance(HINSTANCE hInstance, int nCmdShow);
LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
UINT SetupMsg();
int ModelessDlgMessage(HWND hDlg, MSG* msg);
