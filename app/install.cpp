// The installation sequence.
#include "setup.h"

// So far the sequence is its welcome: Exit and Continue both end the run, and
// nothing is installed yet.
int Install(HWND hwndMain) {
    ShowModalDialog("Welcome", GenericDlgProc, hwndMain, 0);
    return 0;
}

INT_PTR CALLBACK GenericDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        CenterDialog(hDlg);
        SetFocus(GetDlgItem(hDlg, IDOK));
        return FALSE;
    case WM_COMMAND:
        if (wParam == IDOK || wParam == IDCANCEL) {
            EndDialog(hDlg, static_cast<INT_PTR>(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}
