#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// One control of a dialog template, as the resource holds it.
struct Item {
    int id;
    std::string cls, text;
    short x, y, cx, cy;
    DWORD style;
};

struct Template {
    std::string caption;
    DWORD style;
    short x, y, cx, cy;
    std::string font;
    int points;
    std::vector<Item> items;
};

// Reads a zero-terminated UTF-16 string or an ordinal (0xFFFF then a number).
std::string ReadSz(const WORD*& p) {
    std::string s;
    if (*p == 0xFFFF) {
        WORD ord = p[1];
        p += 2;
        static const char* const kAtoms[] = {"BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX"};
        return ord >= 0x80 && ord <= 0x85 ? kAtoms[ord - 0x80] : "#" + std::to_string(ord);
    }
    while (*p) s += static_cast<char>(*p++);
    p++;
    return s;
}

const WORD* AlignDword(const WORD* p) {
    return reinterpret_cast<const WORD*>((reinterpret_cast<uintptr_t>(p) + 3) & ~uintptr_t(3));
}

bool LoadTemplate(const char* name, Template* t) {
    HRSRC res = FindResourceA(nullptr, name, MAKEINTRESOURCEA(5));  // RT_DIALOG
    if (!res) return false;
    auto dt = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(nullptr, res)));
    t->style = dt->style;
    t->x = dt->x;
    t->y = dt->y;
    t->cx = dt->cx;
    t->cy = dt->cy;
    const WORD* p = reinterpret_cast<const WORD*>(dt + 1);
    ReadSz(p);  // menu
    ReadSz(p);  // class
    t->caption = ReadSz(p);
    if (dt->style & DS_SETFONT) {
        t->points = *p++;
        t->font = ReadSz(p);
    }
    for (int i = 0; i < dt->cdit; i++) {
        p = AlignDword(p);
        auto it = reinterpret_cast<const DLGITEMTEMPLATE*>(p);
        Item item;
        item.style = it->style;
        item.x = it->x;
        item.y = it->y;
        item.cx = it->cx;
        item.cy = it->cy;
        item.id = static_cast<short>(it->id);
        p = reinterpret_cast<const WORD*>(it + 1);
        item.cls = ReadSz(p);
        item.text = ReadSz(p);
        p += 1 + *p / sizeof(WORD);  // creation data
        t->items.push_back(item);
    }
    return true;
}

struct Expected {
    const char* name;
    Template t;
};

const Expected kTemplates[] = {
    {"Welcome", {"Welcome!", 0x90c800c0, 62, 65, 219, 121, "MS Sans Serif", 8, {
        {-1, "OrbWeaveTexDlg", "owswirl", 292, 96, 40, 20, 0x50000000},
        {-1, "OrbWeaveFrame", "frame name", 5, 2, 157, 117, 0x58000000},
        {1, "BUTTON", "Continue", 165, 2, 50, 14, 0x50010001},
        {2, "BUTTON", "Exit", 165, 20, 50, 14, 0x50010000},
        {-1, "OrbWeaveMyButt", "Alert", 10, 8, 43, 54, 0x50000000},
        {-1, "OrbWeaveMText", "*~5000", 58, 7, 101, 39, 0x50000000},
        {-1, "OrbWeaveMText", "*~5001", 58, 50, 101, 28, 0x50000000},
        {-1, "OrbWeaveMyButt", "bullet", 14, 81, 13, 12, 0x50000000},
        {-1, "OrbWeaveMText", "*~5002", 31, 83, 128, 33, 0x50000000}}}},
    {"Platform", {"Platform", 0x90c800c0, 62, 65, 219, 121, "MS Sans Serif", 8, {
        {-1, "OrbWeaveTexDlg", "owswirl", 292, 96, 40, 20, 0x50000000},
        {-1, "OrbWeaveFrame", "frame name", 5, 2, 157, 117, 0x58000000},
        {-1, "OrbWeaveMyButt", "Question", 10, 8, 43, 54, 0x50000000},
        {-1, "OrbWeaveMText", "*~5800", 58, 12, 101, 39, 0x50000000},
        {2001, "OrbWeaveCheckBox", " Windows 3.1 or Windows for Workgroups", 13, 66, 145, 15, 0x50010000},
        {2002, "OrbWeaveCheckBox", " Windows NT 3.5 or Windows NT 3.51", 13, 81, 145, 15, 0x50010000},
        {2003, "OrbWeaveCheckBox", " Windows 95", 13, 96, 145, 15, 0x50010000},
        {1, "BUTTON", "Continue", 165, 2, 50, 14, 0x50010001},
        {2, "BUTTON", "Exit", 165, 20, 50, 14, 0x50010000}}}},
    {"PlugIn", {"Plug-in location...", 0x90c800c0, 43, 54, 235, 116, "MS Sans Serif", 8, {
        {-1, "OrbWeaveTexDlg", "owswirl", 48, 125, 40, 20, 0x50000000},
        {-1, "OrbWeaveFrame", "frame name", 2, 2, 176, 112, 0x58000000},
        {100, "EDIT", "", 60, 68, 115, 12, 0x50810080},
        {1, "BUTTON", "&Continue", 182, 2, 50, 14, 0x50010001},
        {2, "BUTTON", "&Exit", 182, 20, 50, 14, 0x50010000},
        {101, "BUTTON", "&Browse...", 182, 67, 50, 14, 0x50010000},
        {-1, "OrbWeaveText", "*&Plug-in directory:", 7, 70, 51, 8, 0x50000000},
        {-1, "OrbWeaveMText", "*~5700", 60, 21, 114, 33, 0x50000000},
        {-1, "OrbWeaveMyButt", "Question", 5, 4, 45, 55, 0x50000000},
        {-1, "OrbWeaveText", "*Space required:", 7, 89, 56, 8, 0x50000000},
        {103, "OrbWeaveText", "", 66, 89, 106, 8, 0x50000000},
        {-1, "OrbWeaveText", "*Space free:", 9, 100, 54, 8, 0x50000000},
        {104, "OrbWeaveText", "", 66, 100, 103, 8, 0x50000000}}}},
    {"Installing", {"Installing...", 0x90c000c0, 91, 95, 207, 81, "MS Sans Serif", 8, {
        {-1, "OrbWeaveTexDlg", "OWSwirl", 141, 101, 40, 20, 0x50000000},
        {-1, "OrbWeaveFrame", "frame name", 3, 3, 201, 54, 0x58000000},
        {2, "OrbWeaveShadButt", "CancelButton", 79, 62, 50, 50, 0x50010000},
        {-1, "OrbWeaveText", "*Copying:", 5, 4, 31, 15, 0x50000000},
        {-1, "OrbWeaveText", "*To:", 7, 18, 29, 15, 0x50000000},
        {102, "OrbWeaveGraph", "Title", 10, 35, 187, 16, 0x50000000},
        {106, "OrbWeaveText", "msvcrt20._ll", 38, 4, 158, 15, 0x50000000},
        {107, "OrbWeaveText", "msvcrt20.dll", 38, 18, 158, 15, 0x50000000}}}},
    {"Done", {"Congratulations...", 0x90c800c0, 62, 67, 198, 63, "MS Sans Serif", 8, {
        {-1, "OrbWeaveTexDlg", "owswirl", 165, 144, 40, 20, 0x50000000},
        {1, "OrbWeaveShadButt", "OkButton", 159, 6, 32, 50, 0x50010000},
        {-1, "OrbWeaveFrame", "frame name", 2, 3, 157, 57, 0x58000000},
        {-1, "OrbWeaveMyButt", "Alert", 5, 5, 46, 55, 0x50000000},
        {-1, "OrbWeaveMText", "*The Orb Weave has been successfully installed.  Click OK to exit the installation program.", 53, 7, 102, 47, 0x50000000}}}},
    {"Failure", {"Warning...", 0x90c800c0, 62, 67, 205, 62, "MS Sans Serif", 8, {
        {-1, "OrbWeaveTexDlg", "OWSwirl", 37, 114, 128, 19, 0x50000000},
        {1, "OrbWeaveShadButt", "OkButton", 166, 3, 30, 50, 0x50010000},
        {-1, "OrbWeaveFrame", "frame name", 2, 3, 161, 56, 0x58000000},
        {-1, "OrbWeaveMyButt", "Alert", 5, 4, 46, 55, 0x50000000},
        {-1, "OrbWeaveMText", "*The Orb Weave has not been installed.  Click OK to exit the installation program.", 55, 14, 104, 42, 0x50000000}}}},
    {"BadPath", {"Bad Path", 0x90c800c0, 61, 45, 205, 63, "MS Sans Serif", 8, {
        {-1, "OrbWeaveTexDlg", "OWSwirl", 99, 98, 40, 20, 0x50000000},
        {1, "OrbWeaveShadButt", "OKButton", 159, 4, 43, 50, 0x50010000},
        {-1, "OrbWeaveFrame", "frame name", 3, 4, 160, 57, 0x58000000},
        {101, "OrbWeaveMText", "Cannot find \"%s\"", 56, 24, 100, 33, 0x50000000},
        {100, "OrbWeaveMyButt", "Alert", 5, 7, 46, 52, 0x50000000}}}},
    {"Alert", {"Alert!", 0x90c800c0, 61, 45, 205, 63, "MS Sans Serif", 8, {
        {-1, "OrbWeaveTexDlg", "OWSwirl", 99, 98, 40, 20, 0x50000000},
        {-1, "OrbWeaveFrame", "frame name", 3, 4, 160, 57, 0x58000000},
        {101, "OrbWeaveMText", "text", 56, 17, 100, 40, 0x50000000},
        {100, "OrbWeaveMyButt", "Alert", 5, 7, 46, 52, 0x50000000},
        {1, "OrbWeaveShadButt", "OKButton", 159, 4, 43, 50, 0x50010000}}}},
};

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

TEST(Resources, DialogTemplatesHoldEveryControlAsDesigned) {
    for (const Expected& e : kTemplates) {
        SCOPED_TRACE(e.name);
        Template t;
        ASSERT_TRUE(LoadTemplate(e.name, &t));
        EXPECT_EQ(t.caption, e.t.caption);
        EXPECT_EQ(t.style, e.t.style);
        EXPECT_EQ(t.x, e.t.x);
        EXPECT_EQ(t.y, e.t.y);
        EXPECT_EQ(t.cx, e.t.cx);
        EXPECT_EQ(t.cy, e.t.cy);
        EXPECT_EQ(t.font, e.t.font);
        EXPECT_EQ(t.points, e.t.points);
        ASSERT_EQ(t.items.size(), e.t.items.size());
        for (size_t i = 0; i < t.items.size(); i++) {
            const Item &got = t.items[i], &want = e.t.items[i];
            SCOPED_TRACE(want.text);
            EXPECT_EQ(got.id, want.id);
            // windres stores custom class names in capitals; Windows matches them
            // without regard to case.
            EXPECT_EQ(lstrcmpiA(got.cls.c_str(), want.cls.c_str()), 0) << got.cls;
            EXPECT_EQ(got.text, want.text);
            EXPECT_EQ(got.style, want.style);
            EXPECT_EQ(got.x, want.x);
            EXPECT_EQ(got.y, want.y);
            EXPECT_EQ(got.cx, want.cx);
            EXPECT_EQ(got.cy, want.cy);
        }
    }
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

}  // namespace
