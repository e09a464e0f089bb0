// Start-up: the switches, the main window, and the installation sequence
// started once the window is on screen.
#include "setup.h"

#include "../controls/core/chars.h"
#include "background.h"
#include "compat.h"
#include "pathdlg.h"

static UINT gSetupMsg = 0;
static int gInstalling = 0;  // the installation sequence is running

static const char kMainClass[] = "OWSetupWClass";

// -d's directory, after "-d", "-d=" or "-d:": up to a blank outside quotes,
// the quotes dropped, as Windows splits a command line ("/d=C:\My Dir" and
// "/d=C:\My Dir" in quotes alike; quoted says whether a quote before the
// switch is still open). Into gszDest, whole characters: the command line is
// in the code page, and a second byte may be a backslash. Returns where the
// switches go on; gszDest stays empty when no directory follows, or one too
// long for it (EXIT_TOO_LONG).
static const char* TakeDest(const char* p, bool* quoted) {
    if (*p == '=' || *p == ':') p++;
    int n = 0;
    bool tooLong = false;
    for (; *p && (*quoted || (*p != ' ' && *p != '\t')); p = NextChar(p)) {
        if (*p == '"') {
            *quoted = !*quoted;
            continue;
        }
        int size = int(NextChar(p) - p);
        tooLong = tooLong || n + size >= PATH_BUFFER;
        if (!tooLong) {
            CopyMemory(gszDest + n, p, size);
            n += size;
        }
    }
    gszDest[tooLong ? 0 : n] = '\0';
    if (tooLong) EndsWith(EXIT_TOO_LONG);
    return p;
}

void ParseSwitches(const char* p) {
    gszDest[0] = '\0';
    bool destAsked = false, quoted = false;
    while (*p) {
        while (*p && *p != '-' && *p != '/') {
            if (*p == '"') quoted = !quoted;
            p++;
        }
        if (!*p) break;
        // Only the one letter after the dash counts: "-sn" is just "-s".
        switch (p[1] | 0x20) {  // the letter in lower case
        case 's': gfScan = 0; break;
        case 'n': gfNetworkWin = 1; break;
        case 'm': gfForceMSVC = 1; break;
        case 'q': gfQuiet = 1; break;
        case 'd':
            // A directory's dashes and slashes are no switches.
            destAsked = true;
            p = TakeDest(p + 2, &quoted);
            continue;
        }
        p++;
    }
    if (destAsked && !gszDest[0]) EndsWith(EXIT_BAD_SWITCH);
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

BOOL SetupRunning() { return FindWindowA(kMainClass, nullptr) != nullptr; }

BOOL ShowRunningSetup() {
    HWND running = FindWindowA(kMainClass, nullptr);
    if (!running) return FALSE;
    // Its dialog is asked for first: restoring the window activates it, and
    // then it is its own last active popup.
    HWND front = GetLastActivePopup(running);
    // Asynchronously where the system can: the first may be in the middle of
    // a file, and answers no message until it is done. Restored without
    // being activated, whenever that happens: its dialog is put in front.
    typedef BOOL(WINAPI * ShowProc)(HWND, int);
    auto show = SystemProc<ShowProc>("user32.dll", "ShowWindowAsync");
    if (IsIconic(running)) (show ? show : ShowWindow)(running, SW_SHOWNOACTIVATE);
    // Win32s has no SetForegroundWindow: one active window for the whole system.
    typedef BOOL(WINAPI * ForegroundProc)(HWND);
    auto foreground = SystemProc<ForegroundProc>("user32.dll", "SetForegroundWindow");
    if (!foreground || !foreground(front)) BringWindowToTop(front);
    return TRUE;
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
    ghMain = hwnd;
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
        // Closing the window while the sequence runs is the user's Cancel, seen
        // as such: the copy stops after its file, a dialog in front ends as its
        // Cancel or Exit would. The window stays until the sequence has said
        // how it ended.
        if (gInstalling) {
            if (ghStatus)
                gfAbort = 1;
            else if (HWND front = GetLastActivePopup(hwnd); front != hwnd)
                SendMessageA(front, WM_COMMAND, IDCANCEL, 0);
            return 0;
        }
        break;
    case WM_QUERYENDSESSION:
        // A shutdown between two files would leave a half-installed set.
        return gfCopying ? FALSE : TRUE;
    case WM_ENDSESSION:
        // Windows ends all the same: no file is in hand while messages are
        // read, and none is started after this.
        if (wParam) gfAbort = 1;
        return 0;
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
