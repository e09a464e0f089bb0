// owshow NAME: shows one of the program's dialogs, filled as the installation
// fills it, over the program's background window, until it is sent WM_CLOSE.
// The screenshot script uses it for the dialogs a normal run does not reach.
#include <cstring>

#include "../../controls/controls.h"
#include "background.h"
#include "resource.h"
#include "setup.h"

static LRESULT CALLBACK ShowBackgroundProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PaintWindow(hwnd);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// What the installation would have put into the dialog by the time a user sees it.
static void Fill(HWND dlg, const char* name) {
    if (!lstrcmpiA(name, "Platform")) SendDlgItemMessageA(dlg, IDC_WIN95, CKM_SETSTATE, 1, 0);
    if (!lstrcmpiA(name, "PlugIn")) {
        SetDlgItemTextA(dlg, IDC_PATH_EDIT, "c:\\photoshp\\plugins");
        SetDlgItemTextA(dlg, IDC_SPACE_REQUIRED, "1.300 MB");
        SetDlgItemTextA(dlg, IDC_SPACE_FREE, "512.000 MB");
    }
    if (!lstrcmpiA(name, "Installing")) {
        SetDlgItemTextA(dlg, IDC_COPY_SOURCE, "vxfilc32._bf");
        SetDlgItemTextA(dlg, IDC_COPY_DEST, "c:\\photoshp\\plugins\\vxfilc32.8bf");
        SendDlgItemMessageA(dlg, IDC_PROGRESS, GRM_SETRANGE, 0, 0x00640000);
        SendDlgItemMessageA(dlg, IDC_PROGRESS, GRM_SETPOS, 1, 46);
    }
    if (!lstrcmpiA(name, "Alert")) SetDlgItemTextA(dlg, IDC_ALERT_TEXT, "Cannot open \"a:\\vxfila32._bf\"");
    if (!lstrcmpiA(name, "BadPath")) SetDlgItemTextA(dlg, IDC_BADPATH_TEXT, "Cannot find \"q:\\plugins\"");
}

// Filled in WM_INITDIALOG, before the dialog shows, as the program's own
// dialog procedures do.
static INT_PTR CALLBACK ShowDlgProc(HWND dlg, UINT msg, WPARAM, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        CenterDialog(dlg);
        Fill(dlg, reinterpret_cast<const char*>(lParam));
        return TRUE;
    }
    if (msg == WM_CLOSE) PostQuitMessage(0);
    return FALSE;
}

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    ghInst = GetModuleHandleA(nullptr);
    LoadBackground(ghInst);
    Init_Controls();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ShowBackgroundProc;
    wc.hInstance = ghInst;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = "OWShowBackground";
    RegisterClassA(&wc);
    HWND main = CreateWindowA("OWShowBackground", "Orb Weave 2.0 Setup", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                              ghInst, nullptr);
    UpdateWindow(main);
    HWND dlg = CreateDialogParamA(ghInst, argv[1], main, ShowDlgProc, reinterpret_cast<LPARAM>(argv[1]));
    if (!dlg) return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DestroyWindow(dlg);
    DestroyWindow(main);
    Terminate_Controls();
    ReleaseBackground();
    return 0;
}
