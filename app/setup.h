// The setup application's program-wide state and the operations every dialog
// procedure of the program shares.
#pragma once
#include <windows.h>

extern HINSTANCE ghInst;
extern int gfScan;        // search the drives for a plug-in directory
extern int gfNetworkWin;  // system files go to the Windows directory
extern int gfForceMSVC;   // replace the runtime library whatever its age
extern HWND ghStatus;     // the modeless progress dialog, or null
extern int gfAbort;       // ends the copy loop

// Platform values, single bits so that a file table row can hold a mask of them.
enum { PLATFORM_NT = 2, PLATFORM_WIN95 = 4, PLATFORM_WIN32S = 8 };

// Reads the "-x" and "/x" switches of a command line into the flags above.
void ParseSwitches(const char* cmdLine);
// The arguments of a whole command line (GetCommandLineA): what follows the
// program's name, quoted or not, and the blanks after it.
const char* SkipProgramName(const char* cmdLine);

BOOL InitApplication(HINSTANCE hInstance);
BOOL InitInstance(HINSTANCE hInstance, int nCmdShow);
LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
UINT SetupMsg();
int ModelessDlgMessage(HWND hDlg, MSG* msg);
void MyYield();
void CenterDialog(HWND hwnd);
INT_PTR ShowModalDialog(LPCSTR templateName, DLGPROC proc, HWND parent, LPARAM param);
// For WM_COMMAND: ends the dialog with wParam when it is exactly 1 (Continue,
// OK) or 2 (Exit, Cancel), and says whether it did.
BOOL EndOnButton(HWND hDlg, WPARAM wParam);
int Platform();
int Init_Controls();
int Terminate_Controls();

// The installation sequence, run once the main window is on screen: 1 when
// every file was installed, 0 after Exit, Cancel or an error.
int Install(HWND hwndMain);
// Serves "Welcome", "Done" and "Failure".
INT_PTR CALLBACK GenericDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
// Serves the modeless "Installing" dialog; its Cancel sets gfAbort.
INT_PTR CALLBACK InstallDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
