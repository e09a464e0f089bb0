#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "../../controls/controls.h"
#include "presses.h"
#include "setup.h"

namespace {

TEST(CenterDialog, PutsTheWindowCentreOnTheScreenCentre) {
    int sx = GetSystemMetrics(SM_CXSCREEN), sy = GetSystemMetrics(SM_CYSCREEN);
    const SIZE sizes[] = {{300, 200}, {301, 201}, {sx + 400, sy + 300}, {sx + 401, sy + 301}};
    for (SIZE s : sizes) {
        HWND hwnd = CreateWindowA("STATIC", "", WS_POPUP, 5, 7, s.cx, s.cy, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(hwnd);
        CenterDialog(hwnd);
        RECT rc;
        GetWindowRect(hwnd, &rc);
        EXPECT_EQ(rc.right - rc.left, s.cx);
        EXPECT_EQ(rc.bottom - rc.top, s.cy);
        // Truncation toward zero: a larger window gets negative coordinates.
        EXPECT_EQ(rc.left, (sx - s.cx) / 2) << s.cx;
        EXPECT_EQ(rc.top, (sy - s.cy) / 2) << s.cy;
        DestroyWindow(hwnd);
    }
}

// The copy loop pumps with MyYield: a WM_QUIT it meets belongs to the main
// loop, and means the sequence must end.
TEST(MyYield, PutsBackAQuitAndEndsTheSequence) {
    gfAbort = 0;
    PostQuitMessage(7);
    MyYield();
    EXPECT_EQ(gfAbort, 1);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    gfAbort = 0;
}

INT_PTR CALLBACK QuietDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Every dialog the program shows loads and creates with all its items: a
// class name the program does not register, or a missing template, fails it.
// Each of the program's own controls is bound to its object.
TEST(Resources, EveryDialogCreatesWithAllItsControls) {
    ghInst = GetModuleHandleA(nullptr);
    ASSERT_EQ(Init_Controls(), 1);
    for (const char* name : {"Welcome", "Platform", "PlugIn", "Installing", "Done", "Failure", "BadPath", "Alert"}) {
        HRSRC res = FindResourceA(ghInst, name, MAKEINTRESOURCEA(5));  // RT_DIALOG
        ASSERT_TRUE(res) << name;
        auto dt = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(ghInst, res)));
        HWND dlg = CreateDialogParamA(ghInst, name, nullptr, QuietDlgProc, 0);
        ASSERT_TRUE(dlg) << name;
        int items = 0, custom = 0, bound = 0;
        for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            char cls[64];
            GetClassNameA(c, cls, sizeof cls);
            items++;
            if (!_strnicmp(cls, "OrbWeave", 8)) {
                custom++;
                bound += ControlMgr->GetWindowObject(c) != nullptr;
            }
        }
        EXPECT_EQ(items, dt->cdit) << name;
        EXPECT_GT(custom, 0) << name;
        EXPECT_EQ(bound, custom) << name;
        DestroyWindow(dlg);
    }
    Terminate_Controls();
}

TEST(Resources, StringTableHoldsTheProgramsTexts) {
    const struct {
        UINT id;
        const char* text;
    } strings[] = {
        {5700, "Where is your paint program's plug-in directory?"},
        {6000, "Orb Weave v2.0 for 32-bit paint programs:\nAdobe Photoshop 3.0\nCorel Photopaint 6.0\n"
               "Micrografx Picture Publisher 6.0\nPaint Shop Pro 3.12"},
        {65531, "Insufficient memory"},
        {65532, "Disk full when copying \"%s\""},
        {65533, "Internal error (%d)"},
        {65535, "Cannot open \"%s\""},
    };
    for (auto& s : strings) {
        char buf[300] = "";
        LoadStringA(GetModuleHandleA(nullptr), s.id, buf, sizeof buf);
        EXPECT_STREQ(buf, s.text) << s.id;
    }
    char buf[300];
    for (UINT id : {5000u, 5001u, 5002u, 5800u}) EXPECT_GT(LoadStringA(nullptr, id, buf, sizeof buf), 40) << id;
}

TEST(Resources, ProgramIconIsPresent) {
    EXPECT_NE(LoadIconA(GetModuleHandleA(nullptr), "Setup"), nullptr);
}

// Presses as a double click makes them: each press of a row is at the given
// time and point on window A or B (B came up at shownAt), and may act or not.
TEST(Presses, TheRestOfADoubleClickNeverActsOnTheDialogItsFirstPressBrought) {
    HWND a = reinterpret_cast<HWND>(0x10), b = reinterpret_cast<HWND>(0x20);
    const SIZE dbl = {4, 4};
    struct Press {
        DWORD time;
        LONG x;
        HWND on;
        bool acts;
    };
    const struct {
        const char* what;
        DWORD shownAt;
        Press presses[3];
    } table[] = {
        {"a double click: the second press on the dialog the first brought", 1040,
         {{1000, 50, a, true}, {1100, 50, b, false}}},
        {"a triple click", 1040, {{1000, 50, a, true}, {1100, 50, b, false}, {1200, 50, b, false}}},
        {"a press made before the dialog was on screen", 1200, {{1000, 50, a, true}, {1100, 90, b, false}}},
        {"the next click, past the double-click time", 1040, {{1000, 50, a, true}, {1500, 50, b, true}}},
        {"the next click, elsewhere", 1040, {{1000, 50, a, true}, {1100, 53, b, true}}},
        {"a double click within one dialog", 900, {{1000, 50, b, true}, {1100, 50, b, true}}},
        {"the tick count wrapping between", 0x10, {{0xFFFFFFF8u, 50, a, true}, {0x40, 50, b, false}}},
    };
    for (const auto& row : table) {
        PressRun run;
        for (const Press& p : row.presses) {
            if (!p.on) break;
            NotePress(run, p.time, POINT{p.x, 20}, p.on, 500, dbl);
            bool shown = p.on == a || LONG(p.time - row.shownAt) >= 0;
            EXPECT_EQ(PressMeantFor(run, p.on, shown, p.on == a ? p.time - 100 : row.shownAt), p.acts)
                << row.what << ", press at " << p.time;
        }
    }
}

}  // namespace
