#include "alert.h"

#include "dialogs.h"
#include "resource.h"

INT_PTR ShowAlertStr(const char* text) {
    if (gfQuiet) {
        // Nobody to answer it: the installation ends, and its exit code says
        // why (the caller gave the reason, when it has one of its own).
        EndsWith(EXIT_NOT_INSTALLED);
        gfAbort = 1;
        return IDOK;
    }
    Init_Controls();
    // A thread that is not in front has no focus: the alert is then owned by
    // the program's window in front, so that it is never left unowned under it.
    HWND owner = GetFocus();
    if (!owner && ghMain) owner = GetLastActivePopup(ghMain);
    INT_PTR result = DialogBoxParamA(ghInst, "Alert", owner, AlertDlgProc, reinterpret_cast<LPARAM>(text));
    Terminate_Controls();
    return result;
}

INT_PTR ShowAlert(int number) {
    short id = static_cast<short>(number);
    char text[120];
    if (!LoadStringA(ghInst, static_cast<UINT>(static_cast<int>(id)), text, sizeof text))
        wsprintfA(text, "Bad error (%d)", id);
    return ShowAlertStr(text);
}

INT_PTR ShowAlertFormatted(int id, const char* arg, int number) {
    char format[128], shown[160], message[300];
    LoadStringA(ghInst, static_cast<UINT>(id), format, sizeof format);
    ControlText(arg, shown, sizeof shown);  // never more than the alert can hold
    wsprintfA(message, format, shown, number);
    return ShowAlertStr(message);
}

INT_PTR CALLBACK AlertDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        SetDlgItemTextA(hDlg, IDC_ALERT_TEXT, reinterpret_cast<const char*>(lParam));
        CenterDialog(hDlg);
        return FALSE;
    case WM_CLOSE:
        SendMessageA(hDlg, WM_COMMAND, IDOK, 0);  // closing counts as OK
        return TRUE;
    case WM_COMMAND:
        return EndOnButton(hDlg, wParam);
    }
    return FALSE;
}
