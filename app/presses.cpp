#include "presses.h"

#include "compat.h"

static LONG Distance(LONG a, LONG b) { return a > b ? a - b : b - a; }

void NotePress(PressRun& run, DWORD time, POINT pt, HWND top, DWORD dblTime, SIZE dblSize) {
    // The system's own test for a double click: the rectangle is centred on the press before.
    bool continues = run.any && time - run.last < dblTime && 2 * Distance(pt.x, run.at.x) <= dblSize.cx &&
                     2 * Distance(pt.y, run.at.y) <= dblSize.cy;
    if (!continues) {
        run.began = time;
        run.window = top;
        run.any = true;
    }
    run.last = time;
    run.at = pt;
}

bool PressMeantFor(const PressRun& run, HWND top, bool shown, DWORD shownAt) {
    // Told by the difference, which stays right when the tick count wraps.
    return shown && run.window == top && LONG(run.began - shownAt) >= 0;
}

// When each top-level window the program's loops have seen was first painted:
// a handful at a time (the main window, a dialog, an alert over it).
static struct {
    HWND hwnd;
    DWORD at;
} gShown[8];
static PressRun gRun;

static int ShownSlot(HWND top) {
    for (int i = 0; i < 8; i++)
        if (gShown[i].hwnd == top) return i;
    return -1;
}

void NoteShown(HWND top) {
    if (ShownSlot(top) >= 0) return;
    static int next = 0;
    int slot = 0;
    while (slot < 8 && gShown[slot].hwnd && IsWindow(gShown[slot].hwnd)) slot++;
    if (slot == 8) slot = next++ % 8;  // all alive: the oldest goes
    gShown[slot].hwnd = top;
    gShown[slot].at = GetTickCount();
}

static HWND TopLevel(HWND hwnd) {
    while (hwnd && (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) hwnd = GetParent(hwnd);
    return hwnd;
}

bool TakeInput(const MSG& msg) {
    switch (msg.message) {
    case WM_PAINT:
        if (msg.hwnd && TopLevel(msg.hwnd) == msg.hwnd) NoteShown(msg.hwnd);
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        break;
    default:
        return true;
    }
    HWND top = TopLevel(msg.hwnd);
    SIZE dbl = {GetSystemMetrics(SM_CXDOUBLECLK), GetSystemMetrics(SM_CYDOUBLECLK)};
    NotePress(gRun, msg.time, msg.pt, top, GetDoubleClickTime(), dbl);
    int slot = ShownSlot(top);
    if (slot >= 0) return PressMeantFor(gRun, top, true, gShown[slot].at);
    // Not painted through a loop of ours: on screen unless it still owes its
    // first paint (a press read before it, as a press always is).
    return PressMeantFor(gRun, top, !GetUpdateRect(top, nullptr, FALSE), gRun.began);
}

// The hook functions are looked up: the period references leave their
// presence on Win32s unsaid, and a program that imports what a system lacks
// does not load there. Without them the dialogs take every press, as before.
typedef HHOOK(WINAPI* SetHookProc)(int, HOOKPROC, HINSTANCE, DWORD);
typedef BOOL(WINAPI* UnhookProc)(HHOOK);
typedef LRESULT(WINAPI* NextHookProc)(HHOOK, int, WPARAM, LPARAM);
static HHOOK gHook = nullptr;
static NextHookProc gNextHook = nullptr;

static LRESULT CALLBACK DialogInputFilter(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_DIALOGBOX && !TakeInput(*reinterpret_cast<MSG*>(lParam))) return TRUE;
    return gNextHook(gHook, code, wParam, lParam);
}

PressFilter::PressFilter() : hHook(nullptr) {
    auto set = SystemProc<SetHookProc>("user32.dll", "SetWindowsHookExA");
    gNextHook = SystemProc<NextHookProc>("user32.dll", "CallNextHookEx");
    if (set && gNextHook && SystemProc<UnhookProc>("user32.dll", "UnhookWindowsHookEx"))
        hHook = set(WH_MSGFILTER, DialogInputFilter, nullptr, GetCurrentThreadId());
    gHook = hHook;
}

PressFilter::~PressFilter() {
    if (hHook) SystemProc<UnhookProc>("user32.dll", "UnhookWindowsHookEx")(hHook);
    gHook = nullptr;
}
