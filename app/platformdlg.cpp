#include "platformdlg.h"

#include "../controls/common/checkbox.h"
#include "dialogs.h"
#include "resource.h"

static int* gChosen;  // the caller's int, while the dialog is up

static const struct {
    int id, value;
} kBoxes[] = {{IDC_WIN95, PLATFORM_WIN95}, {IDC_WINNT, PLATFORM_NT}, {IDC_WIN31, PLATFORM_WIN32S}};

void CheckPlatform(HWND hDlg, int value) {
    for (auto& box : kBoxes) {
        int want = box.value == value;
        if ((SendDlgItemMessageA(hDlg, box.id, CKM_GETSTATE, 0, 0) != 0) != want)
            SendDlgItemMessageA(hDlg, box.id, CKM_SETSTATE, want, 0);
    }
}

int GetPlatform(HWND hDlg) {
    if (SendDlgItemMessageA(hDlg, IDC_WIN95, CKM_GETSTATE, 0, 0)) return PLATFORM_WIN95;
    if (SendDlgItemMessageA(hDlg, IDC_WINNT, CKM_GETSTATE, 0, 0)) return PLATFORM_NT;
    return PLATFORM_WIN32S;
}

INT_PTR CALLBACK PlatformDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        gChosen = reinterpret_cast<int*>(lParam);
        CheckPlatform(hDlg, *gChosen);
        CenterDialog(hDlg);
        SetFocus(GetDlgItem(hDlg, IDOK));
        return FALSE;
    case WM_COMMAND:
        if (HIWORD(wParam) == 0) {
            for (auto& box : kBoxes) {
                if (LOWORD(wParam) == box.id) {
                    CheckPlatform(hDlg, box.value);  // whatever the box did itself
                    return FALSE;
                }
            }
        }
        if (LOWORD(wParam) == IDOK) {
            *gChosen = GetPlatform(hDlg);
            EndDialog(hDlg, static_cast<INT_PTR>(wParam));
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(hDlg, static_cast<INT_PTR>(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

int Platform() {
    OSVERSIONINFOA vi = {};
    vi.dwOSVersionInfoSize = sizeof vi;
    if (!GetVersionExA(&vi)) return PLATFORM_WIN32S;
    switch (vi.dwPlatformId) {
    case VER_PLATFORM_WIN32_WINDOWS: return PLATFORM_WIN95;
    case VER_PLATFORM_WIN32_NT: return PLATFORM_NT;
    default: return PLATFORM_WIN32S;
    }
}
