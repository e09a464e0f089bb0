// The setup application's program-wide state and the operations every dialog
// procedure of the program shares.
#pragma once
#include <windows.h>

extern HINSTANCE ghInst;
extern int gfScan;        // search the drives for a plug-in directory
extern int gfNetworkWin;  // system files go to the Windows directory
extern int gfForceMSVC;   // replace the runtime library whatever its age
extern HWND ghMain;       // the main window
extern HWND ghStatus;     // the modeless progress dialog, or null
extern int gfAbort;       // ends the copy loop
extern int gfCopying;     // files are being put in place: a shutdown must wait
extern int gfQuiet;       // -q: nothing asks the user; the exit code says how it ended

// How a quiet installation ended: its exit code (README, "Command-line switches").
enum {
    EXIT_INSTALLED = 0,
    EXIT_NOT_INSTALLED = 1,  // cancelled, or a file could not be read or written
    EXIT_BAD_PATH = 2,       // the plug-in directory does not exist and cannot be made
    EXIT_TOO_LONG = 3,       // a directory's path is too long
    EXIT_DISK_FULL = 4,
    EXIT_DAMAGED = 5,        // the disk is damaged
    EXIT_RUNNING = 6,        // another setup is running
    EXIT_BAD_SWITCH = 7,     // a -d without a directory
};
extern int gExitCode;
// Records why the installation ends: the first reason given stands.
void EndsWith(int code);

// Removes and dispatches every waiting message. A WM_QUIT is put back for the
// main loop, and sets gfAbort: the sequence must end.
void MyYield();
void CenterDialog(HWND hwnd);
// A path the user typed (ANSI) as the text controls take their texts: they
// convert from the OEM code page and draw "&" as an underline, so the path
// is converted to OEM and each "&" doubled, to be shown as it was typed. At
// most size - 1 characters.
void ControlText(const char* ansi, char* out, int size);
INT_PTR ShowModalDialog(LPCSTR templateName, DLGPROC proc, HWND parent, LPARAM param);
// For WM_COMMAND: ends the dialog with wParam when it is exactly 1 (Continue,
// OK) or 2 (Exit, Cancel), and says whether it did.
BOOL EndOnButton(HWND hDlg, WPARAM wParam);
// Register and unregister the custom control classes, counted so that they
// nest; Init_Controls gives 0, with nothing registered, when out of memory.
int Init_Controls();
int Terminate_Controls();
