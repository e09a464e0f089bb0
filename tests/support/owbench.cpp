// owbench DISK_DIR: the program's own timings, in this process: the copy loop
// against bare LZ32 calls, repaints against one BitBlt of the same area, and
// the animations against their design. Prints one row per figure.
#include <windows.h>
#include <lzexpand.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "../../controls/controls.h"
#include "background.h"
#include "filetable.h"
#include "setup.h"
#include "sums.h"

namespace {

double Now() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) * 1000.0 / double(f.QuadPart);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

HWND WaitFor(const char* caption) {
    for (int i = 0; i < 2000; i++) {
        if (HWND w = FindWindowA(nullptr, caption))
            if (IsWindowVisible(w)) return w;
        Sleep(1);
    }
    return nullptr;
}

void Row(const char* what, double value, const char* unit, double against, const char* baseline) {
    printf("%-34s %10.2f %-4s %10.2f %-4s %6.3f  (%s)\n", what, value, unit, against, unit, value / against, baseline);
}

// The whole sequence, clicked through from another thread, with the copy loop
// timed while its progress dialog is up.
double InstallOnce(const std::string& target) {
    gfAbort = 0;
    double start = 0, end = 0;
    std::thread user([&] {
        PostMessageA(WaitFor("Welcome!"), WM_COMMAND, IDOK, 0);
        PostMessageA(WaitFor("Platform"), WM_COMMAND, IDOK, 0);
        HWND path = WaitFor("Plug-in location...");
        SetDlgItemTextA(path, 100, target.c_str());
        PostMessageA(path, WM_COMMAND, IDOK, 0);
        HWND progress = WaitFor("Installing...");
        start = Now();
        while (IsWindow(progress)) Sleep(0);
        end = Now();
        PostMessageA(WaitFor("Congratulations..."), WM_COMMAND, IDOK, 0);
    });
    Install(nullptr);
    user.join();
    return end - start;
}

// The same files through the same LZ32 calls, with no window at all.
double BareCopies(const std::string& disk, const std::string& target) {
    double start = Now();
    for (int i = 0; i < gFiles; i++) {
        if (!(gCopy[i].dwPlatforms & DWORD(Platform()))) continue;
        std::string src = disk + gCopy[i].pszSource, dst = target + "\\" + gCopy[i].pszDest;
        OFSTRUCT ofs;
        LZStart();
        INT in = LZOpenFileA(&src[0], &ofs, OF_READ), out = LZOpenFileA(&dst[0], &ofs, OF_CREATE);
        CopyLZFile(in, out);
        LZClose(in);
        LZClose(out);
        LZDone();
    }
    return Now() - start;
}

INT_PTR CALLBACK Quiet(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A full repaint of a window, against one BitBlt of its area.
void Repaints(const char* what, HWND hwnd) {
    RECT rc;
    GetWindowRect(hwnd, &rc);
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    std::vector<double> paint, blit;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    for (int i = 0; i < 20; i++) {
        double t = Now();
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        GdiFlush();
        paint.push_back(Now() - t);
        t = Now();
        BitBlt(screen, rc.left, rc.top, w, h, mem, 0, 0, SRCCOPY);
        GdiFlush();
        blit.push_back(Now() - t);
    }
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    Row(what, Median(paint), "ms", Median(blit), "one BitBlt of the area");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: owbench DISK_DIR (a Windows path ending in a backslash)\n");
        return 2;
    }
    ghInst = GetModuleHandleA(nullptr);
    std::string disk = argv[1];
    Init_Controls();

    // The copy loop, against the same expansions with no window.
    std::string target = "C:\\owbench";
    CreateDirectoryA(target.c_str(), nullptr);
    std::vector<double> loop, unchecked, bare;
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string here(self);
    here.resize(here.rfind('\\') + 1);
    for (int i = 0; i < gFiles; i++)
        CopyFileA((disk + gCopy[i].pszSource).c_str(), (here + gCopy[i].pszSource).c_str(), FALSE);
    // With the disk's list of sums, each file is read once more and checked;
    // without it, as disks were before the list.
    std::string sums = here + kSumsName;
    for (int i = 0; i < 9; i++) {
        CopyFileA((disk + kSumsName).c_str(), sums.c_str(), FALSE);
        loop.push_back(InstallOnce(target));
        DeleteFileA(sums.c_str());
        unchecked.push_back(InstallOnce(target));
        bare.push_back(BareCopies(here, target));
    }
    for (int i = 0; i < gFiles; i++) {
        DeleteFileA((here + gCopy[i].pszSource).c_str());
        DeleteFileA((target + "\\" + gCopy[i].pszDest).c_str());
    }
    RemoveDirectoryA(target.c_str());
    Row("copy loop, median of 9", Median(loop), "ms", Median(bare), "the same LZ32 calls, no window");
    Row("copy loop checked, median of 9", Median(loop), "ms", Median(unchecked), "the same without the disk's sums");

    // Repaints of every textured dialog and of the background.
    for (const char* name : {"Welcome", "Platform", "PlugIn", "Installing", "Done", "Failure", "BadPath", "Alert"}) {
        HWND dlg = CreateDialogParamA(ghInst, name, nullptr, Quiet, 0);
        MyYield();
        Repaints((std::string("repaint of ") + name).c_str(), dlg);
        DestroyWindow(dlg);
    }
    LoadBackground(ghInst);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_PAINT) {
            PaintWindow(h);
            return 0;
        }
        return DefWindowProcA(h, m, w, l);
    };
    wc.hInstance = ghInst;
    wc.lpszClassName = "OWBenchBackground";
    RegisterClassA(&wc);
    HWND bg = CreateWindowA("OWBenchBackground", "", WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                            GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, ghInst, nullptr);
    MyYield();
    Repaints("repaint of the background", bg);
    DestroyWindow(bg);
    ReleaseBackground();

    // The animations: a press and a release of OK, a tick of a check box.
    HWND done = CreateDialogParamA(ghInst, "Done", nullptr, Quiet, 0);
    MyYield();
    HWND ok = GetDlgItem(done, IDOK);
    double t = Now();
    SendMessageA(ok, BM_SETSTATE, 1, 0);
    Row("press animation", Now() - t, "ms", 240, "4 frames of 60 ms");
    t = Now();
    SendMessageA(ok, BM_SETSTATE, 0, 0);
    Row("release animation", Now() - t, "ms", 180, "3 frames of 60 ms");
    DestroyWindow(done);
    HWND platform = CreateDialogParamA(ghInst, "Platform", nullptr, Quiet, 0);
    MyYield();
    HWND box = GetDlgItem(platform, 2002);
    t = Now();
    SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 10));
    Row("check box tick", Now() - t, "ms", 360, "4 waits of 90 ms");
    DestroyWindow(platform);
    Terminate_Controls();
    return 0;
}
