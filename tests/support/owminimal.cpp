// The baselines of the start-up benchmark, built like setup.exe: one plain
// dialog and nothing else, or with -w the same dialog over a plain full-screen
// window that is shown and painted first.
#include <windows.h>

static INT_PTR CALLBACK Proc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_COMMAND && (wParam == IDOK || wParam == IDCANCEL)) EndDialog(dlg, wParam);
    return msg == WM_INITDIALOG;
}

static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_APP) {
        DialogBoxParamA(GetModuleHandleA(nullptr), "Minimal", hwnd, Proc, 0);
        DestroyWindow(hwnd);
    }
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR cmdLine, int show) {
    if (lstrcmpA(cmdLine, "-w")) {
        DialogBoxParamA(inst, "Minimal", nullptr, Proc, 0);
        return 0;
    }
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = "Minimal";
    if (!RegisterClassA(&wc)) return 1;
    HWND hwnd = CreateWindowExA(0, "Minimal", "Minimal window", WS_OVERLAPPEDWINDOW, 0, 0,
                                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                inst, nullptr);
    if (!hwnd) return 1;
    PostMessageA(hwnd, WM_APP, 0, 0);
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
