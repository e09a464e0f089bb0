// owmonkey SEED RUNS PROGRAM...: random input against whole runs of the setup
// program. Each run starts one of the programs (copies of setup.exe named for
// the Windows version they run under), sends it random clicks, drags, double
// clicks and keys for a while, then ends it as a user would (Exit, OK,
// Cancel, Escape). A crash (a non-zero exit code), a hang (a dialog that does
// not answer for 10 s) or a run that does not end fails. Exit code: failures.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "drive.h"

namespace {

unsigned gSeed;
unsigned Next(unsigned n) {
    gSeed = gSeed * 1103515245u + 12345u;
    return (gSeed >> 8) % n;
}

struct Found {
    DWORD pid;
    bool dialogsOnly;
    HWND top;
};
BOOL CALLBACK FindTop(HWND hwnd, LPARAM lParam) {
    auto* f = reinterpret_cast<Found*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    bool dialog = GetDlgItem(hwnd, IDOK) || GetDlgItem(hwnd, IDCANCEL);
    if (pid == f->pid && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd) && (dialog || !f->dialogsOnly)) {
        f->top = hwnd;  // windows come in z-order: the first enabled one is on top
        return FALSE;
    }
    return TRUE;
}
// The program's window on top; with dialogsOnly, its top dialog, even if
// another of its windows was brought above it.
HWND TopWindow(DWORD pid, bool dialogsOnly = false) {
    Found f = {pid, dialogsOnly, nullptr};
    EnumWindows(FindTop, reinterpret_cast<LPARAM>(&f));
    return f.top;
}

void Mouse(DWORD flags, int x, int y) {
    SendMouse(flags, x, y);
    Sleep(8);  // or Wine merges the moves of a drag
}

void Key(WORD vk) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof in[0]);
    Sleep(8);
}

BOOL CALLBACK AddChild(HWND hwnd, LPARAM lParam) {
    if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
    return TRUE;
}

// One random action: on one of the top window's controls, somewhere on the
// top window, or now and then anywhere on the screen.
void RandomAction(HWND top) {
    RECT r = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    std::vector<HWND> children;
    if (top) EnumChildWindows(top, AddChild, reinterpret_cast<LPARAM>(&children));
    unsigned where = Next(10);
    if (where < 5 && !children.empty())
        GetWindowRect(children[Next(unsigned(children.size()))], &r);
    else if (top && where < 9)
        GetWindowRect(top, &r);
    auto x = [&] { return int(r.left + Next(unsigned(std::max<LONG>(1, r.right - r.left)))); };
    auto y = [&] { return int(r.top + Next(unsigned(std::max<LONG>(1, r.bottom - r.top)))); };
    static const WORD keys[] = {VK_TAB, VK_RETURN, VK_ESCAPE, VK_SPACE, VK_BACK, VK_LEFT, VK_RIGHT, 'A', 'Z', '1'};
    int px = x(), py = y();
    switch (Next(4)) {
    case 0:  // click
        Mouse(MOUSEEVENTF_MOVE, px, py);
        Mouse(MOUSEEVENTF_LEFTDOWN, px, py);
        Mouse(MOUSEEVENTF_LEFTUP, px, py);
        break;
    case 1:  // double click
        Mouse(MOUSEEVENTF_MOVE, px, py);
        for (int i = 0; i < 2; i++) {
            Mouse(MOUSEEVENTF_LEFTDOWN, px, py);
            Mouse(MOUSEEVENTF_LEFTUP, px, py);
        }
        break;
    case 2: {  // drag
        Mouse(MOUSEEVENTF_MOVE, px, py);
        Mouse(MOUSEEVENTF_LEFTDOWN, px, py);
        int qx = x(), qy = y();
        for (int i = 1; i <= 4; i++) Mouse(MOUSEEVENTF_MOVE, px + (qx - px) * i / 4, py + (qy - py) * i / 4);
        Mouse(MOUSEEVENTF_LEFTUP, qx, qy);
        break;
    }
    default:
        Key(keys[Next(sizeof keys / sizeof *keys)]);
    }
}

BOOL CALLBACK PrintWindowOf(HWND hwnd, LPARAM pid) {
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == DWORD(pid)) {
        char caption[128] = "", cls[64] = "";
        GetWindowTextA(hwnd, caption, sizeof caption);
        GetClassNameA(hwnd, cls, sizeof cls);
        RECT r;
        GetWindowRect(hwnd, &r);
        printf("    window \"%s\" (%s)%s%s%s at %ld,%ld-%ld,%ld\n", caption, cls, IsWindowVisible(hwnd) ? "" : ", hidden",
               IsWindowEnabled(hwnd) ? "" : ", disabled", IsIconic(hwnd) ? ", minimised" : "", r.left, r.top, r.right,
               r.bottom);
    }
    return TRUE;
}

// Whether the program's top window answers within 10 s. A window that goes
// away meanwhile (a dialog ending) is no hang.
bool Answers(HWND top) {
    DWORD_PTR r;
    if (!top || SendMessageTimeoutA(top, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &r)) return true;
    return GetLastError() != ERROR_TIMEOUT || !IsWindow(top);
}

// Ends a run as a user would: the way out of whatever is on top.
void WayOut(HWND top) {
    char caption[128] = "";
    GetWindowTextA(top, caption, sizeof caption);
    if (IsIconic(top)) {
        // The random input minimised it, its dialogs hidden with it, and may
        // have left a drag of its icon waiting for the button: with no window
        // active, keys reach nothing. A user lets go and restores it.
        POINT at;
        GetCursorPos(&at);
        SendMouse(MOUSEEVENTF_LEFTUP, at.x, at.y);
        PostMessageA(top, WM_SYSCOMMAND, SC_RESTORE, 0);
    } else if (!strcmp(caption, "Installing...")) {
        ClickItem(top, IDCANCEL);
    } else if (GetDlgItem(top, IDCANCEL) && strcmp(caption, "Orb Weave 2.0 Setup")) {
        PostMessageA(top, WM_COMMAND, IDCANCEL, 0);  // Exit, or a file dialog's Cancel
    } else if (GetDlgItem(top, IDOK)) {
        PostMessageA(top, WM_COMMAND, IDOK, 0);  // Done, Failure, Alert, Bad Path
    } else {
        Key(VK_ESCAPE);
    }
    Sleep(100);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        fprintf(stderr, "usage: owmonkey SEED RUNS PROGRAM...\n");
        return 2;
    }
    gSeed = unsigned(strtoul(argv[1], nullptr, 10));
    int runs = atoi(argv[2]), failures = 0;
    for (int run = 0; run < runs; run++) {
        const char* program = argv[3 + run % (argc - 3)];
        Launched proc;
        if (!Launch(program, "", &proc)) {
            fprintf(stderr, "run %d: cannot start %s\n", run, program);
            return 1;
        }
        WaitForWindow("Welcome!", kPatience, proc.pid);
        const char* failure = nullptr;
        int actions = 10 + int(Next(40)), done = 0;
        std::string reached;  // the dialogs this run met, in order
        for (; done < actions && !failure && WaitExit(proc, 0) == STILL_ACTIVE; done++) {
            HWND top = TopWindow(proc.pid);
            char caption[64] = "";
            if (top) GetWindowTextA(top, caption, sizeof caption);
            if (*caption && reached.rfind(caption) == std::string::npos) reached += std::string(reached.empty() ? "" : ", ") + caption;
            if (!Answers(top)) failure = "hung";
            else RandomAction(top);
        }
        // As long as it takes on a busy machine: each step out is a new state.
        for (DWORD start = GetTickCount();
             GetTickCount() - start < kPatience && !failure && WaitExit(proc, 200) == STILL_ACTIVE;) {
            HWND top = TopWindow(proc.pid, true);
            if (!top) top = TopWindow(proc.pid);
            if (!Answers(top)) failure = "hung";
            else if (top) WayOut(top);
        }
        DWORD code = WaitExit(proc, 1000);
        if (!failure && code == STILL_ACTIVE) failure = "did not end";
        if (!failure && code != 0) failure = "crashed";
        const char* name = strrchr(program, '\\') ? strrchr(program, '\\') + 1 : program;
        printf("run %3d %-13s %2d actions, %s (exit code %lu): %s\n", run, name, done, failure ? failure : "ended",
               code, reached.c_str());
        fflush(stdout);
        if (failure) {
            failures++;
            EnumWindows(PrintWindowOf, LPARAM(proc.pid));
        }
        Kill(&proc);
    }
    printf("%d runs, %d failures\n", runs, failures);
    return failures;
}
