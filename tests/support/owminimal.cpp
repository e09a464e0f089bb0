// The baseline of the start-up benchmark: a program built like setup.exe that
// shows one plain dialog and nothing else.
#include <windows.h>

static INT_PTR CALLBACK Proc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_COMMAND && (wParam == IDOK || wParam == IDCANCEL)) EndDialog(dlg, wParam);
    return msg == WM_INITDIALOG;
}

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int) {
    DialogBoxParamA(inst, "Minimal", nullptr, Proc, 0);
    return 0;
}
