// owdrive: drives the setup program from a script, as a user would: real
// mouse clicks (SendInput), and reads of what its dialogs show.
//   owdrive wait CAPTION [MS]             exit 0 once a window with that caption shows
//   owdrive gone CAPTION [MS]             exit 0 once no window has that caption
//   owdrive click CAPTION ID              click item ID of that window
//   owdrive close CAPTION [PATTERN]       send that window WM_CLOSE (as soon as a file
//                                         matching PATTERN exists); exit once it was handled
//   owdrive endsession CAPTION [PATTERN]  ask that window WM_QUERYENDSESSION, as a log-off
//                                         does (as soon as a file matching PATTERN exists);
//                                         print its answer, then say the session goes on
//   owdrive foreground CAPTION            bring that window to the front, as a click on it would
//   owdrive doubleclick CAPTION ID        double-click item ID (presses 100 ms apart); print the
//                                         caption of the program's dialog in front once it is
//                                         up and painted
//   owdrive text CAPTION ID               print the text of item ID
//   owdrive settext CAPTION ID TEXT       put TEXT into item ID, as typing (or the program) would
//   owdrive progress CAPTION ID           ask progress graph ID its position until the
//                                         window goes; print the positions seen
//   owdrive clickonfile CAPTION ID PATTERN  click item ID as soon as a file matching
//                                         PATTERN exists
//   owdrive texts CAPTION ID              print each new text item ID shows until the
//                                         window goes
//   owdrive pixels CAPTION ID PATTERN     once a file matching PATTERN exists, print a
//                                         checksum of item ID's pixels on the screen and
//                                         how many colours they hold; exit 3 when that
//                                         file was gone again before they were read
//   owdrive owner CAPTION                 print the caption of the window that owns it,
//                                         then "disabled" or "enabled"
//   owdrive windows                       print the captions of all visible windows
//   owdrive front                         print the caption of the window in front
//   owdrive minimize CAPTION              minimise that window, as the task bar would
//   owdrive iconic CAPTION                print "minimised" or "shown"
//   owdrive starttime EXE CAPTION [ARGS]  start EXE, print the milliseconds until its window
//                                         CAPTION is up, answering and painted, then end it
//   owdrive copytime CAPTION ID DONE      click item ID, print the milliseconds until a
//                                         window with caption DONE is up and painted
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "drive.h"

static const UINT GRM_GETPOS = WM_USER + 2;

// An item's text as the user sees it: the program's text controls hold OEM
// text and draw "&&" as "&" (a lone "&" underlines the next letter).
static std::string Text(HWND dlg, int id) {
    char text[400] = "", cls[32] = "";
    SendDlgItemMessageA(dlg, id, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    GetClassNameA(GetDlgItem(dlg, id), cls, sizeof cls);
    if (strncmp(cls, "OrbWeave", 8) != 0) return text;
    OemToCharA(text, text);
    std::string shown;
    for (const char* p = text; *p; p++) {
        if (*p == '&') p++;
        if (!*p) break;
        shown += *p;
    }
    return shown;
}

// A text as item id takes it to show it as given: the program's text
// controls take OEM text with each "&" doubled, as the program gives them.
static std::string ItemText(HWND dlg, int id, const char* shown) {
    char cls[32] = "";
    GetClassNameA(GetDlgItem(dlg, id), cls, sizeof cls);
    if (strncmp(cls, "OrbWeave", 8) != 0) return shown;
    std::string oem(strlen(shown) + 1, '\0'), text;
    CharToOemA(shown, &oem[0]);
    for (const char* p = oem.c_str(); *p; p++) text += *p == '&' ? "&&" : std::string(1, *p);
    return text;
}

static BOOL CALLBACK PrintCaption(HWND hwnd, LPARAM) {
    char text[256];
    if (IsWindowVisible(hwnd) && GetWindowTextA(hwnd, text, sizeof text)) printf("%s\n", text);
    return TRUE;
}

// Until the window's thread answers and nothing of it is left to paint: a
// person clicks what they see. Painting comes after every other message.
static void WaitSettled(HWND hwnd) {
    DWORD_PTR r;
    SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &r);
    DWORD start = GetTickCount();
    while (NeedsPaint(hwnd) && GetTickCount() - start < 10000) Sleep(0);
}

static bool Exists(const char* pattern) {
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA(pattern, &found);
    if (h == INVALID_HANDLE_VALUE) return false;
    FindClose(h);
    return true;
}

// Until a file matching pattern exists; false if the window goes first.
static bool WaitForFile(HWND hwnd, const char* pattern) {
    while (!Exists(pattern)) {
        if (!IsWindow(hwnd)) return false;
        Sleep(2);
    }
    return true;
}

// What the screen shows of a window: its pixels, read back from the screen DC.
static std::vector<COLORREF> ScreenPixels(HWND hwnd) {
    RECT rc;
    GetWindowRect(hwnd, &rc);
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    std::vector<COLORREF> pixels(size_t(w) * size_t(h));
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
    GdiFlush();
    memcpy(pixels.data(), bits, pixels.size() * sizeof(COLORREF));
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return pixels;
}

int main(int argc, char** argv) {
    if (argc == 2 && !strcmp(argv[1], "windows")) {
        EnumWindows(PrintCaption, 0);
        return 0;
    }
    if (argc == 2 && !strcmp(argv[1], "front")) {
        char text[256] = "";
        GetWindowTextA(GetForegroundWindow(), text, sizeof text);
        printf("%s\n", text);
        return 0;
    }
    if ((argc == 4 || argc == 5) && !strcmp(argv[1], "starttime")) {
        LARGE_INTEGER f, t0, t1;
        QueryPerformanceFrequency(&f);
        QueryPerformanceCounter(&t0);
        Launched proc;
        if (!Launch(argv[2], argc == 5 ? argv[4] : "", &proc)) return 1;
        HWND hwnd = nullptr;
        while (!(hwnd = FindTopWindow(argv[3], proc.pid))) Sleep(1);
        WaitSettled(hwnd);
        QueryPerformanceCounter(&t1);
        printf("%.1f\n", double(t1.QuadPart - t0.QuadPart) * 1000.0 / double(f.QuadPart));
        Kill(&proc);
        return 0;
    }
    if (argc == 5 && !strcmp(argv[1], "copytime")) {
        HWND from = WaitForWindow(argv[2]);
        if (!from) return 1;
        WaitSettled(from);
        LARGE_INTEGER f, t0, t1;
        QueryPerformanceFrequency(&f);
        QueryPerformanceCounter(&t0);
        if (!ClickItem(from, atoi(argv[3]))) return 1;
        HWND done;
        while (!(done = FindTopWindow(argv[4]))) Sleep(1);
        WaitSettled(done);
        QueryPerformanceCounter(&t1);
        printf("%.1f\n", double(t1.QuadPart - t0.QuadPart) * 1000.0 / double(f.QuadPart));
        return 0;
    }
    if (argc < 3) {
        fprintf(stderr, "usage: owdrive wait|gone|owner|minimize|iconic|click|close|endsession|foreground|text|settext|clickonfile|pixels|texts|progress CAPTION ...\n");
        return 2;
    }
    const char* verb = argv[1];
    const char* caption = argv[2];
    if (!strcmp(verb, "wait")) return WaitForWindow(caption, argc > 3 ? atoi(argv[3]) : kPatience) ? 0 : 1;
    if (!strcmp(verb, "gone")) {
        HWND hwnd = FindTopWindow(caption);
        return !hwnd || WaitGone(hwnd, argc > 3 ? atoi(argv[3]) : kPatience) ? 0 : 1;
    }
    HWND hwnd = WaitForWindow(caption);
    if (!hwnd) {
        fprintf(stderr, "owdrive: no window \"%s\"\n", caption);
        return 1;
    }
    if (!strcmp(verb, "owner")) {
        HWND owner = GetWindow(hwnd, GW_OWNER);
        char text[256] = "";
        if (owner) GetWindowTextA(owner, text, sizeof text);
        printf("%s\n%s\n", owner ? text : "(none)", owner && IsWindowEnabled(owner) ? "enabled" : "disabled");
        return 0;
    }
    if (!strcmp(verb, "minimize")) {
        ShowWindow(hwnd, SW_MINIMIZE);
        return IsIconic(hwnd) ? 0 : 1;
    }
    if (!strcmp(verb, "iconic")) {
        printf("%s\n", IsIconic(hwnd) ? "minimised" : "shown");
        return 0;
    }
    if (!strcmp(verb, "close")) {
        if (argc > 3 && !WaitForFile(hwnd, argv[3])) return 1;
        // Answered between two files at the latest.
        DWORD_PTR r;
        return SendMessageTimeoutA(hwnd, WM_CLOSE, 0, 0, SMTO_NORMAL, 60000, &r) ? 0 : 1;
    }
    if (!strcmp(verb, "endsession")) {
        if (argc > 3 && !WaitForFile(hwnd, argv[3])) return 1;
        DWORD_PTR answer = 0, r;
        if (!SendMessageTimeoutA(hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 60000, &answer))
            return 1;
        SendMessageTimeoutA(hwnd, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF, SMTO_NORMAL, 60000, &r);
        printf("%d\n", int(answer));
        return 0;
    }
    if (!strcmp(verb, "foreground")) {
        WaitSettled(hwnd);
        return SetForegroundWindow(hwnd) ? 0 : 1;
    }
    if (argc < 4) return 2;
    int id = atoi(argv[3]);
    if (!strcmp(verb, "click")) {
        WaitSettled(hwnd);
        // Until the dialog has the item, or goes: a click on a dialog that
        // was up once failed as if it had none.
        while (!GetDlgItem(hwnd, id) && IsWindow(hwnd)) Sleep(2);
        return ClickItem(hwnd, id) ? 0 : 1;
    }
    if (!strcmp(verb, "doubleclick")) {
        WaitSettled(hwnd);
        HWND main = hwnd, item = GetDlgItem(hwnd, id);
        while (HWND owner = GetWindow(main, GW_OWNER)) main = owner;
        RECT rc;
        if (main == hwnd || !item || !GetWindowRect(item, &rc)) return 1;
        int x = (rc.left + rc.right) / 2, y = (rc.top + rc.bottom) / 2;
        SendMouse(MOUSEEVENTF_MOVE, x, y);
        Sleep(30);
        for (int press = 0; press < 2; press++) {
            SendMouse(MOUSEEVENTF_LEFTDOWN, x, y);
            Sleep(30);
            SendMouse(MOUSEEVENTF_LEFTUP, x, y);
            Sleep(70);
        }
        // The next dialog paints only once the program has read every press
        // sent before it: the one that is up and painted took them all.
        for (;;) {
            HWND front = GetLastActivePopup(main);
            if (!IsWindow(main)) return 1;
            if (front == hwnd || front == main || !IsWindowVisible(front)) {
                Sleep(2);
                continue;
            }
            WaitSettled(front);
            char text[256] = "";
            if (IsWindow(front) && GetLastActivePopup(main) == front && GetWindowTextA(front, text, sizeof text)) {
                printf("%s\n", text);
                return 0;
            }
        }
    }
    if (!strcmp(verb, "text")) {
        printf("%s\n", Text(hwnd, id).c_str());
        return 0;
    }
    if (!strcmp(verb, "settext") && argc > 4) return SetDlgItemTextA(hwnd, id, ItemText(hwnd, id, argv[4]).c_str()) ? 0 : 1;
    if (!strcmp(verb, "clickonfile") && argc > 4) return WaitForFile(hwnd, argv[4]) && ClickItem(hwnd, id) ? 0 : 1;
    if (!strcmp(verb, "pixels") && argc > 4) {
        // The program is busy with that file: it paints nothing meanwhile.
        if (!WaitForFile(hwnd, argv[4])) return 1;
        std::vector<COLORREF> pixels = ScreenPixels(GetDlgItem(hwnd, id));
        if (!Exists(argv[4])) return 3;
        unsigned long sum = 2166136261u;  // FNV-1a
        for (COLORREF c : pixels) sum = (sum ^ (c & 0xFFFFFF)) * 16777619u;
        printf("%08lx %u\n", sum, unsigned(std::set<COLORREF>(pixels.begin(), pixels.end()).size()));
        return 0;
    }
    if (!strcmp(verb, "texts")) {
        std::string last;
        char text[400];
        DWORD_PTR n;
        // Each question waits until the program pumps, after each file: one
        // that gave up on a busy program would be asked again at once, and
        // again, taking the processor from the program it watches. A pause
        // between answers, too: under Wine 10, questions asked back to back
        // while the program copied stopped it now and then.
        while (IsWindow(hwnd)) {
            text[0] = '\0';
            if (SendMessageTimeoutA(GetDlgItem(hwnd, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                                    SMTO_NORMAL, 60000, &n) &&
                text != last) {
                last = text;
                printf("%s\n", text);
                fflush(stdout);
            }
            Sleep(5);
        }
        return 0;
    }
    if (!strcmp(verb, "progress")) {
        // As texts: each question waits until the program pumps its messages,
        // and the next comes after a pause.
        while (IsWindow(hwnd)) {
            DWORD_PTR pos;
            if (SendMessageTimeoutA(GetDlgItem(hwnd, id), GRM_GETPOS, 0, 0, SMTO_NORMAL, 60000, &pos))
                printf("%d\n", int(pos)), fflush(stdout);
            Sleep(5);
        }
        return 0;
    }
    fprintf(stderr, "owdrive: unknown command %s\n", verb);
    return 2;
}
