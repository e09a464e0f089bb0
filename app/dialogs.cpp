// The program-wide state, and the small operations every dialog of the
// program shares: placing and running dialogs, pumping messages, and the
// control library's registration. The bottom of the application: it calls
// nothing of app/ above it.
#include "dialogs.h"

#include <new>

#include "../controls/controls.h"
#include "../controls/core/chars.h"
#include "presses.h"

HINSTANCE ghInst = nullptr;
int gfScan = 1;
int gfNetworkWin = 0;
int gfForceMSVC = 0;
HWND ghMain = nullptr;
HWND ghStatus = nullptr;
int gfAbort = 0;
int gfCopying = 0;
int gfQuiet = 0;
int gExitCode = EXIT_INSTALLED;

void EndsWith(int code) {
    if (gExitCode == EXIT_INSTALLED) gExitCode = code;
}

static int gControlsRef = 0;

void MyYield() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The main loop's to take: put it back, and end the sequence.
            PostQuitMessage(static_cast<int>(msg.wParam));
            gfAbort = 1;
            return;
        }
        if (!TakeInput(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void ControlText(const char* ansi, char* out, int size) {
    char oem[512];
    lstrcpynA(oem, ansi, sizeof oem);
    CharToOemA(oem, oem);
    DropPartialChar(oem);
    // Whole characters only: a cut between the bytes of one would leave a
    // lead byte that takes the terminator, or the text after, as its second.
    int n = 0;
    for (const char* p = oem; *p;) {
        const char* next = NextChar(p);
        if (n + int(next - p) + (*p == '&') >= size) break;
        if (*p == '&') out[n++] = '&';
        while (p < next) out[n++] = *p++;
    }
    out[n] = '\0';
}

void CenterDialog(HWND hwnd) {
    RECT rc;
    GetWindowRect(hwnd, &rc);
    int w = rc.right - rc.left;
    int h = rc.bottom - rc.top;
    MoveWindow(hwnd, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, FALSE);
}

INT_PTR ShowModalDialog(LPCSTR templateName, DLGPROC proc, HWND parent, LPARAM param) {
    return DialogBoxParamA(ghInst, templateName, parent, proc, param);
}

BOOL EndOnButton(HWND hDlg, WPARAM wParam) {
    if (wParam != IDOK && wParam != IDCANCEL) return FALSE;
    EndDialog(hDlg, static_cast<INT_PTR>(wParam));
    return TRUE;
}

// Creates one registration object in its global and registers its class,
// with resources from the program itself; false when it cannot be allocated.
template <class T>
static bool Register(T*& cls) {
    cls = new (std::nothrow) T;
    if (cls) cls->Init(ghInst, nullptr);
    return cls != nullptr;
}

// Terminates and destroys one registration object, clearing its global.
template <class T>
static void Release(T*& cls) {
    if (!cls) return;
    cls->Terminate(ghInst);
    delete cls;
    cls = nullptr;
}

static void ReleaseAll() {
    Release(MyCheckBox);
    Release(MyGraph);
    Release(MyText);
    Release(MyMText);
    Release(MyFrame);
    Release(MyShadowButton);
    Release(MyTexDlg);
    Release(MyButton);
    delete ControlMgr;
    ControlMgr = nullptr;
}

int Init_Controls() {
    if (gControlsRef++ > 0) return 1;
    ControlMgr = new (std::nothrow) MyControlMgr;
    bool made = ControlMgr && Register(MyButton) && Register(MyTexDlg) && Register(MyFrame) &&
                Register(MyShadowButton) && Register(MyText) && Register(MyMText) && Register(MyGraph) &&
                Register(MyCheckBox);
    if (made) return 1;
    // Out of memory: undo what was made, and count nothing.
    ReleaseAll();
    gControlsRef = 0;
    return 0;
}

int Terminate_Controls() {
    if (gControlsRef == 0 || --gControlsRef > 0) return 1;  // none made, or still in use
    ReleaseAll();
    return 1;
}
