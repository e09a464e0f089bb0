#include "setup.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
    ParseSwitches(lpCmdLine);
    // A quiet start waits for nothing: another setup running is its answer.
    if (gfQuiet) {
        if (gExitCode != EXIT_INSTALLED) return gExitCode;
        if (SetupRunning()) return EXIT_RUNNING;
    } else if (ShowRunningSetup()) {
        return 0;
    }
    if ((!hPrevInstance && !InitApplication(hInstance)) || !InitInstance(hInstance, nCmdShow))
        return gfQuiet ? EXIT_NOT_INSTALLED : 0;
    MSG msg = {};
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        if (!ModelessDlgMessage(ghStatus, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return gfQuiet ? gExitCode : static_cast<int>(msg.wParam);
}
