#include "setup.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
    if (ShowRunningSetup()) return 0;
    ParseSwitches(lpCmdLine);
    if (!hPrevInstance && !InitApplication(hInstance)) return 0;
    if (!InitInstance(hInstance, nCmdShow)) return 0;
    MSG msg = {};
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        if (!ModelessDlgMessage(ghStatus, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}
