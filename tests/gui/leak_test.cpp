// Leak checks: the process's GDI objects and windows, counted before and after
// a hundred openings of every dialog and after a whole installation.
#include <winternl.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "host.h"
#include "filetable.h"
#include "resource.h"
#include "modal.h"

#include <thread>

namespace {

// GDI objects of this process: GetGuiResources where the system implements it,
// else the live entries of the GDI handle table the PEB points to (Wine keeps
// one per process).
int GdiObjects() {
    DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (n) return int(n);
    struct Entry {
        UINT64 object;
        ULONG owner;
        USHORT unique;
        UCHAR type, flags;
        UINT64 user;
    };
    const size_t kGdiTableInPeb = sizeof(void*) == 8 ? 0xF8 : 0x94;
    PROCESS_BASIC_INFORMATION info = {};
    NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info, nullptr);
    auto* table = *reinterpret_cast<Entry**>(reinterpret_cast<char*>(info.PebBaseAddress) + kGdiTableInPeb);
    int live = 0;
    for (int i = 0; table && i < 0x10000; i++) live += table[i].type != 0;
    return live;
}

BOOL CALLBACK CountChild(HWND, LPARAM n) {
    ++*reinterpret_cast<int*>(n);
    return TRUE;
}
BOOL CALLBACK CountTop(HWND hwnd, LPARAM n) {
    DWORD pid;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == GetCurrentProcessId()) {
        ++*reinterpret_cast<int*>(n);
        EnumChildWindows(hwnd, CountChild, n);
    }
    return TRUE;
}
// Windows of this process, top-level and children.
int Windows() {
    int n = 0;
    EnumWindows(CountTop, reinterpret_cast<LPARAM>(&n));
    return n;
}

INT_PTR CALLBACK Quiet(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

const char* const kDialogs[] = {"Welcome", "Platform", "PlugIn", "Installing",
                                "Done",    "Failure",  "BadPath", "Alert"};

void OpenAndClose(const char* name) {
    HWND dlg = CreateDialogParamA(ghInst, name, nullptr, Quiet, 0);
    ASSERT_NE(dlg, nullptr) << name;
    UpdateWindow(dlg);
    MyYield();
    DestroyWindow(dlg);
    MyYield();
}

class Leaks : public ::testing::Test {
protected:
    void SetUp() override {
        ghInst = GetModuleHandleA(nullptr);
        Init_Controls();
    }
    void TearDown() override { Terminate_Controls(); }
};

TEST_F(Leaks, HundredOpeningsOfEveryDialogLeaveNothingBehind) {
    for (const char* name : kDialogs) OpenAndClose(name);  // the shared pens and fonts are made once
    int gdi = GdiObjects(), windows = Windows();
    for (int i = 0; i < 100; i++)
        for (const char* name : kDialogs) OpenAndClose(name);
    printf("GDI objects %d -> %d, windows %d -> %d after 100 openings of each of %zu dialogs\n", gdi,
           GdiObjects(), windows, Windows(), sizeof kDialogs / sizeof *kDialogs);
    EXPECT_GT(gdi, 0);
    EXPECT_EQ(GdiObjects(), gdi);
    EXPECT_EQ(Windows(), windows);
}

// A whole installation, clicked through from another thread, from a copy of
// the demo disk beside this test program.
class Installation : public Leaks {
protected:
    std::string here;
    void SetUp() override {
        Leaks::SetUp();
        char exe[MAX_PATH];
        GetModuleFileNameA(nullptr, exe, sizeof exe);
        here = exe;
        here.resize(here.rfind('\\') + 1);
        RemoveTree("C:\\owleak");  // whatever a failed run left there
        std::string dist = WindowsPathOf(OW_DIST_DIR);
        for (int i = 0; i < gFiles; i++)
            CopyFileA((dist + "\\" + gCopy[i].pszSource).c_str(), (here + gCopy[i].pszSource).c_str(), FALSE);
    }
    void TearDown() override {
        for (int i = 0; i < gFiles; i++) DeleteFileA((here + gCopy[i].pszSource).c_str());
        RemoveTree("C:\\owleak");
        Leaks::TearDown();
    }
    static std::string WindowsPathOf(std::string unix) {
        for (char& c : unix)
            if (c == '/') c = '\\';
        return "Z:" + unix;
    }
    // A whole run; "Failure" and the alert before it answered too when one fails.
    void Run(bool fails = false) {
        gfAbort = 0;
        std::thread user([fails] {
            for (const char* caption : {"Welcome!", "Platform"}) {
                HWND dlg = WaitWindow(caption);
                if (dlg) PostMessageA(dlg, WM_COMMAND, IDOK, 0);
            }
            HWND path = WaitWindow("Plug-in location...");
            if (path) {
                SetDlgItemTextA(path, 100, "C:\\owleak");
                PostMessageA(path, WM_COMMAND, IDOK, 0);
            }
            for (const char* caption : {"Alert!", "Warning..."}) {
                HWND dlg = fails ? WaitWindow(caption) : nullptr;
                if (dlg) PostMessageA(dlg, WM_COMMAND, IDOK, 0);
            }
            HWND done = fails ? nullptr : WaitWindow("Congratulations...");
            if (done) PostMessageA(done, WM_COMMAND, IDOK, 0);
        });
        EXPECT_EQ(Install(nullptr), fails ? 0 : 1);
        user.join();
    }
};

TEST_F(Installation, LeavesNoObjectsBehind) {
    // Wine's own caches (device contexts, fonts, the standard controls') grow
    // in steps over the first runs and then stay, or (Wine 10) swing by a few
    // objects either way; a leak grows with every run. So: windows of three
    // runs each, until one shows no growth.
    std::string counts;
    int grew = 0;
    for (int window = 0; window < 4; window++) {
        int gdi = GdiObjects(), windows = Windows();
        for (int i = 0; i < 3; i++) Run();
        counts += " " + std::to_string(gdi) + "->" + std::to_string(GdiObjects());
        grew = GdiObjects() - gdi + Windows() - windows;
        if (grew <= 0) break;
    }
    printf("GDI objects over windows of three whole installations:%s\n", counts.c_str());
    EXPECT_LE(grew, 0);
}

// What the bar is told during a whole installation, and how many plug-ins
// had arrived each time.
std::vector<std::pair<LPARAM, int>> gSteps;

int PluginsArrived() {
    int n = 0;
    for (int i = 0; i < gFiles; i++)
        n += !gCopy[i].fSystemDir && GetFileAttributesA((std::string("C:\\owleak\\") + gCopy[i].pszDest).c_str()) !=
                                          INVALID_FILE_ATTRIBUTES;
    return n;
}

LRESULT CALLBACK WatchBar(int code, WPARAM wParam, LPARAM lParam) {
    auto* sent = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == GRM_SETPOS && GetDlgCtrlID(sent->hwnd) == IDC_PROGRESS)
        gSteps.push_back({sent->lParam, PluginsArrived()});
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The process's error mode when the copy's alert opens.
UINT gModeAtAlert = 0;
LRESULT CALLBACK WatchAlert(int code, WPARAM wParam, LPARAM lParam) {
    auto* sent = reinterpret_cast<CWPSTRUCT*>(lParam);
    char caption[32] = "";
    if (code == HC_ACTION && sent->message == WM_INITDIALOG && GetWindowTextA(sent->hwnd, caption, sizeof caption) &&
        !lstrcmpA(caption, "Alert!")) {
        gModeAtAlert = SetErrorMode(0);
        SetErrorMode(gModeAtAlert);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A disk taken out or a bad sector while files are copied is said in the
// program's own alert, not the system's "Drive not ready" box: the copy runs
// with critical errors failing quietly.
TEST_F(Installation, AFailedCopyIsSaidWithTheSystemsBoxesOff) {
    DeleteFileA((here + "vxfilc32._bf").c_str());
    UINT before = SetErrorMode(0);  // as a program starts
    gModeAtAlert = 0;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchAlert, nullptr, GetCurrentThreadId());
    Run(true);
    UnhookWindowsHookEx(hook);
    UINT left = SetErrorMode(before);
    EXPECT_TRUE(gModeAtAlert & SEM_FAILCRITICALERRORS);
    EXPECT_EQ(left, 0u);  // and the system's boxes back once the copy is over
}

TEST_F(Installation, TheBarStepsOnAfterEachFile) {
    gSteps.clear();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchBar, nullptr, GetCurrentThreadId());
    Run();
    UnhookWindowsHookEx(hook);
    ASSERT_EQ(gSteps.size(), size_t(gFiles) + 1);
    EXPECT_EQ(gSteps[0], std::make_pair(LPARAM(0), 0));  // the dialog opens at 0
    int plugins = 0;
    for (int i = 1; i <= gFiles; i++) {
        plugins += !gCopy[i - 1].fSystemDir;
        EXPECT_EQ(gSteps[size_t(i)], std::make_pair(LPARAM(MulDiv(i, 100, gFiles)), plugins)) << "after row " << i;
    }
}

}  // namespace
