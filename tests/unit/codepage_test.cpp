// The path and text functions on the double-byte code pages of the Japanese
// (932), Traditional Chinese (950) and Korean (949) editions, whose second
// bytes can be capitals, backslashes and "|", and the same bytes on a
// single-byte code page (1252), where each is a character of its own. Each row
// runs where the process's code page is its own: CTest runs this program once
// under each locale (OW_CODEPAGE says which it must be).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "../../controls/controls.h"
#include "compat.h"
#include "copy.h"
#include "dialogs.h"
#include "pathdlg.h"

namespace {

// 932: グ (83 4F, "O"), ソ (83 5C, a backslash), ポ (83 7C, "|").
#define GU "\x83\x4F"
#define SO "\x83\x5C"
#define PO "\x83\x7C"
// 950: 力 (A4 4F), 功 (A5 5C), 四 (A5 7C).
#define LI "\xA4\x4F"
#define GONG "\xA5\x5C"
#define SI "\xA5\x7C"
// 949: 갂 (81 41), 괔 (82 41), each with a capital; lowered, another character.
#define GA "\x81\x41"
#define GWA "\x82\x41"

std::string Prepared(const char* in) {
    char b[PATH_BUFFER];
    lstrcpyA(b, in);
    PreparePath(b);
    return b;
}
std::string Tidied(const char* in) {
    char b[PATH_BUFFER];
    lstrcpyA(b, in);
    TidyPath(b);
    return b;
}
std::string Full(const char* in) { return FullPath(in) ? "full" : "refused"; }
std::string Directory(const char* in) {
    char b[PATH_BUFFER];
    DirectoryOf(in, b, sizeof b);
    return b;
}
std::string ShareRoot(const char* in) {
    char b[PATH_BUFFER] = "";
    return DiskRootOf(in, b, sizeof b) ? b : "none";
}
// What fits in four bytes, shown by a text control or read back from one.
std::string Shown(const char* in) {
    char b[4];
    ControlText(in, b, sizeof b);
    return b;
}
std::string ReadBack(const char* in) {
    ghInst = GetModuleHandleA(nullptr);
    Init_Controls();
    HWND hwnd = CreateWindowA("OrbWeaveMText", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, ghInst, nullptr);
    SetWindowTextA(hwnd, in);
    char b[4] = "";
    SendMessageA(hwnd, WM_GETTEXT, sizeof b, reinterpret_cast<LPARAM>(b));
    DestroyWindow(hwnd);
    Terminate_Controls();
    return b;
}

TEST(CodePages, PathsAreWalkedByCharacter) {
    if (const char* want = getenv("OW_CODEPAGE")) {
        ASSERT_EQ(GetACP(), UINT(atoi(want))) << "the locale is missing";
    }
    const struct {
        UINT codePage;
        std::string (*fn)(const char*);
        const char* in;
        const char* out;
    } rows[] = {
        {932, Prepared, "C:\\" GU SO PO SO, "c:\\" GU SO PO SO "\\"},
        {950, Prepared, "C:\\" LI GONG SI GONG, "c:\\" LI GONG SI GONG "\\"},
        {949, Prepared, "C:\\" GA GWA, "c:\\" GA GWA "\\"},
        {1252, Prepared, "C:\\" GU SO PO SO, "c:\\\x83o\x83\\\x83|\x83\\"},
        {1252, Prepared, "C:\\" GA GWA, "c:\\\x81" "a\x82" "a\\"},
        {932, Tidied, "c:/" GU "/" SO " ", "c:\\" GU "\\" SO},
        {932, Tidied, " c:\\" PO SO ". ", "c:\\" PO SO},
        {950, Tidied, "c:\\" LI "\\" GONG, "c:\\" LI "\\" GONG},
        {1252, Tidied, "c:/" GU "/" SO " ", "c:\\\x83O\\\x83"},
        {932, Full, "c:\\" PO SO, "full"},
        {932, Full, "\\\\srv\\" SO "\\" PO, "full"},
        {932, Full, "c:\\" GU "|", "refused"},
        {950, Full, "c:\\" SI, "full"},
        {1252, Full, "c:\\" PO, "refused"},
        {932, Directory, "c:\\" GU SO "x.8bf", "c:\\"},
        {950, Directory, "c:\\" GONG "x.8bf", "c:\\"},
        {1252, Directory, "c:\\" GU SO "x.8bf", "c:\\\x83O\x83\\"},
        {932, ShareRoot, "\\\\srv\\" SO "\\dir", "\\\\srv\\" SO "\\"},
        {950, ShareRoot, "\\\\srv\\" GONG, "\\\\srv\\" GONG "\\"},
        {1252, ShareRoot, "\\\\srv\\" SO "\\dir", "\\\\srv\\\x83\\"},
        {932, Shown, GU SO PO, GU},
        {949, Shown, GA GWA, GA},
        {932, ReadBack, GU SO PO, GU},
        {950, ReadBack, LI GONG, LI},
        {1252, ReadBack, GU SO PO, "\x83O\x83"},
    };
    int ran = 0;
    for (auto& r : rows) {
        if (r.codePage != GetACP()) continue;
        EXPECT_EQ(r.fn(r.in), r.out) << "row " << &r - rows << " (" << r.codePage << ")";
        ran++;
    }
    if (!ran) GTEST_SKIP() << "no rows for code page " << GetACP();
}

}  // namespace
