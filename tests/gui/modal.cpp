#include "modal.h"

#include <thread>

#include "drive.h"
#include "setup.h"

HWND WaitWindow(const char* caption, DWORD ms) { return WaitForWindow(caption, ms, GetCurrentProcessId()); }

bool WaitUntil(const std::function<bool()>& done, DWORD ms) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= ms) return false;
        Sleep(10);
    }
    return true;
}

HWND FocusOf(HWND hwnd) {
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &gui);
    return gui.hwndFocus;
}

INT_PTR RunModal(const char* name, const char* caption, DLGPROC proc, LPARAM param,
                 const std::function<void(HWND)>& script) {
    std::thread driver([&] {
        HWND dlg = WaitWindow(caption);
        if (dlg) script(dlg);
        // Scripts end their dialog; one that failed half-way may not have, and
        // the test must go on.
        if (dlg && !WaitGone(dlg, 10000)) PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    });
    INT_PTR result = DialogBoxParamA(ghInst, name, nullptr, proc, param);
    driver.join();
    return result;
}

std::string ItemText(HWND dlg, int id) {
    char text[300] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    return text;
}

void Press(HWND dlg, int id) {
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

void Type(HWND dlg, int id, const char* text) { SetDlgItemTextA(dlg, id, text); }
