// Start-up, the main window and the small operations every dialog shares.
#include <new>

#include "../controls/controls.h"
#include "background.h"
#include "setup.h"

HINSTANCE ghInst = nullptr;
int gfScan = 1;
int gfNetworkWin = 0;
int gfForceMSVC = 0;
HWND ghStatus = nullptr;
int gfAbort = 0;

static UINT gSetupMsg = 0;
static int gInstalling = 0;  // the installation sequence is running
static int gControlsRef = 0;

static const char kMainClass[] = "OWSetupWClass";

void ParseSwitches(const char* p) {
    while (*p) {
        while (*p && *p != '-' && *p != '/') p++;
        if (!*p) break;
        // Only the one letter after the dash counts: "-sn" is just "-s".
        switch (p[1] | 0x20) {  // the letter in lower case
        case 's': gfScan = 0; break;
        case 'n': gfNetworkWin = 1; break;
        case 'm': gfForceMSVC = 1; break;
        }
        p++;
    }
}

const char* SkipProgramName(const char* cmdLine) {
    const char* p = cmdLine;
    if (*p == '"') {
        for (p++; *p && *p != '"'; p++) {}
        if (*p) p++;
    } else {
        while (*p && *p != ' ' && *p != '\t') p++;
    }
    while (*p == ' ' || *p == '\t') p++;
    return p;
}

BOOL InitApplication(HINSTANCE hInstance) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIconA(hInstance, "Setup");
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kMainClass;
    return RegisterClassA(&wc) != 0;
}

BOOL InitInstance(HINSTANCE hInstance, int nCmdShow) {
    ghInst = hInstance;
    LoadBackground(hInstance);
    int cx = GetSystemMetrics(SM_CXSCREEN);
    int cy = GetSystemMetrics(SM_CYSCREEN);
    if (Platform() == PLATFORM_WIN95) cy -= GetSystemMetrics(SM_CYICON);  // leave the taskbar free
    HWND hwnd = CreateWindowExA(0, kMainClass, "Orb Weave 2.0 Setup", WS_OVERLAPPEDWINDOW, 0, 0,
                                cx, cy, nullptr, nullptr, hInstance, nullptr);
    if (!hwnd) return FALSE;
    ShowWindow(hwnd, nCmdShow);
    UpdateWindow(hwnd);
    return TRUE;
}

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == SetupMsg()) {
        gInstalling = 1;
        Install(hwnd);
        gInstalling = 0;
        PostMessageA(hwnd, WM_CLOSE, 0, 0);
    }
    switch (msg) {
    case WM_CLOSE:
        // Closing the window while the sequence runs counts as Cancel; the
        // window stays until the sequence has said how it ended.
        if (gInstalling) {
            gfAbort = 1;
            return 0;
        }
        break;
    case WM_CREATE:
        SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        if (!Init_Controls()) return -1;  // out of memory: the start fails
        // Posted, not called, so that the window is shown and painted before the first dialog.
        PostMessageA(hwnd, SetupMsg(), 0, 0);
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        break;
    case WM_DESTROY:
        ReleaseBackground();
        Terminate_Controls();
        PostQuitMessage(0);
        break;
    case WM_SIZE:
        InvalidateRect(hwnd, nullptr, FALSE);
        break;
    case WM_PAINT:
        PaintWindow(hwnd);
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

UINT SetupMsg() {
    if (!gSetupMsg) gSetupMsg = RegisterWindowMessageA("OWSetup");
    return gSetupMsg;
}

int ModelessDlgMessage(HWND hDlg, MSG* msg) {
    return hDlg && IsWindow(hDlg) && IsDialogMessageA(hDlg, msg);
}

void MyYield() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The main loop's to take: put it back, and end the sequence.
            PostQuitMessage(static_cast<int>(msg.wParam));
            gfAbort = 1;
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
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
