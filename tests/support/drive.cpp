#include "drive.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

std::string WindowsPath(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    std::string win = "Z:" + path;
    std::replace(win.begin(), win.end(), '/', '\\');
    return win;
}

bool Launch(const std::string& exe, const std::string& args, Launched* out) {
    std::string path = WindowsPath(exe);
    std::string cmd = "\"" + path + "\"";
    if (!args.empty()) cmd += " " + args;
    // Started in its own directory, as from a file manager.
    std::string dir = path.substr(0, path.find_last_of('\\') + 1);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, dir.empty() ? nullptr : dir.c_str(),
                        &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    out->hProcess = pi.hProcess;
    out->pid = pi.dwProcessId;
    return true;
}

DWORD WaitExit(const Launched& proc, DWORD ms) {
    if (WaitForSingleObject(proc.hProcess, ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(proc.hProcess, &code);
    return code;
}

void Kill(Launched* proc) {
    if (!proc->hProcess) return;
    if (WaitForSingleObject(proc->hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(proc->hProcess, 99);
    CloseHandle(proc->hProcess);
    proc->hProcess = nullptr;
}

namespace {
struct Search {
    const char* caption;
    DWORD pid;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lParam) {
    Search* s = reinterpret_cast<Search*>(lParam);
    char text[256];
    if (!IsWindowVisible(hwnd) || !GetWindowTextA(hwnd, text, sizeof text)) return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (lstrcmpA(text, s->caption) == 0 && (!s->pid || s->pid == pid)) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND FindTopWindow(const char* caption, DWORD pid) {
    Search s = {caption, pid, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND WaitForWindow(const char* caption, DWORD ms, DWORD pid) {
    HANDLE proc = pid ? OpenProcess(SYNCHRONIZE, FALSE, pid) : nullptr;
    DWORD start = GetTickCount();
    HWND hwnd;
    while (!(hwnd = FindTopWindow(caption, pid)) && GetTickCount() - start < ms &&
           !(proc && WaitForSingleObject(proc, 0) == WAIT_OBJECT_0))
        Sleep(20);
    if (proc) CloseHandle(proc);
    return hwnd;
}

static BOOL CALLBACK ChildNeedsPaint(HWND child, LPARAM found) {
    if (!IsWindowVisible(child) || !GetUpdateRect(child, nullptr, FALSE)) return TRUE;
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

bool NeedsPaint(HWND hwnd) {
    if (!IsWindowVisible(hwnd)) return false;
    bool found = GetUpdateRect(hwnd, nullptr, FALSE);
    if (!found) EnumChildWindows(hwnd, ChildNeedsPaint, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool WaitGone(HWND hwnd, DWORD ms) {
    DWORD start = GetTickCount();
    while (IsWindow(hwnd)) {
        if (GetTickCount() - start >= ms) return false;
        Sleep(20);
    }
    return true;
}

void SendMouse(DWORD flags, int x, int y) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
}

void ClickAt(int x, int y) {
    // Pauses between events, or Wine merges them.
    SendMouse(MOUSEEVENTF_MOVE, x, y);
    Sleep(30);
    SendMouse(MOUSEEVENTF_LEFTDOWN, x, y);
    Sleep(30);
    SendMouse(MOUSEEVENTF_LEFTUP, x, y);
    Sleep(30);
}

bool ClickItem(HWND dlg, int id) {
    HWND item = GetDlgItem(dlg, id);
    RECT rc;
    if (!item || !GetWindowRect(item, &rc)) return false;
    int x = (rc.left + rc.right) / 2, y = (rc.top + rc.bottom) / 2;
    // Soon after the last press, where it was, this one would be its second
    // of a double click, which a dialog that came up in between does not take:
    // a person's next click lands elsewhere on the button. Where the driver
    // pressed last is kept beside the prefix's temporary files (a new Wine
    // process is not sure to see the cursor where the last one left it).
    char kept[MAX_PATH];
    GetTempPathA(MAX_PATH - 16, kept);
    lstrcatA(kept, "owdrive.last");
    POINT lastPress = {-100, -100};
    if (FILE* f = fopen(kept, "r")) {
        if (fscanf(f, "%ld %ld", &lastPress.x, &lastPress.y) != 2) lastPress = {-100, -100};
        fclose(f);
    }
    int cx = GetSystemMetrics(SM_CXDOUBLECLK), cy = GetSystemMetrics(SM_CYDOUBLECLK);
    if (2 * abs(x - lastPress.x) <= cx && 2 * abs(y - lastPress.y) <= cy) x = x + cx < rc.right ? x + cx : x - cx;
    if (FILE* f = fopen(kept, "w")) {
        fprintf(f, "%d %d\n", x, y);
        fclose(f);
    }
    ClickAt(x, y);
    return true;
}
