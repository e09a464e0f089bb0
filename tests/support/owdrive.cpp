// owdrive: clicks through the setup program from a script, as a user would.
//   owdrive wait CAPTION [MS]     exit 0 when a window with that caption shows
//   owdrive click CAPTION ID      click item ID of that window
//   owdrive gone CAPTION [MS]     exit 0 when no window has that caption
//   owdrive close CAPTION         send that window WM_CLOSE
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "drive.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "usage: owdrive wait|click|gone|close CAPTION [MS|ID]\n");
        return 2;
    }
    const char* verb = argv[1];
    const char* caption = argv[2];
    DWORD ms = argc > 3 ? strtoul(argv[3], nullptr, 10) : 10000;
    if (!strcmp(verb, "wait")) return WaitForWindow(caption, ms) ? 0 : 1;
    if (!strcmp(verb, "gone")) {
        HWND hwnd = FindTopWindow(caption);
        return !hwnd || WaitGone(hwnd, ms) ? 0 : 1;
    }
    if (!strcmp(verb, "close")) {
        HWND hwnd = WaitForWindow(caption, 10000);
        return hwnd && PostMessageA(hwnd, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (!strcmp(verb, "click") && argc > 3) {
        HWND hwnd = WaitForWindow(caption, 10000);
        return hwnd && ClickItem(hwnd, atoi(argv[3])) ? 0 : 1;
    }
    fprintf(stderr, "owdrive: unknown command %s\n", verb);
    return 2;
}
