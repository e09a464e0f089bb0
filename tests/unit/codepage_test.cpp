// The path and text functions on the double-byte code pages of the Japanese
// (932), Simplified Chinese (936), Traditional Chinese (950) and Korean (949)
// editions, whose second bytes can be capitals, backslashes and "|", and the
// same bytes on a single-byte code page (1252), where each is a character of
// its own. Each row
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
// 936: 丱 (81 4F), 乗 (81 5C), 亅 (81 7C).
#define GUAN "\x81\x4F"
#define CHENG "\x81\x5C"
#define JUE "\x81\x7C"
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
// From a current directory of fewer than MAX_PATH characters but more than
// MAX_PATH bytes: whether the directory is found, and the current directory
// is the same after.
std::string FoundFromDeep(const char* in) {
    char part[2 * 70 + 1] = "";
    for (int i = 0; i < 70; i++) lstrcatA(part, GetACP() == 932 ? "\x83\x4F" : "\x81\x4F");
    std::string deep = std::string("C:\\owdeep\\") + part + "\\" + part, before(2 * MAX_PATH, '\0'),
                after(2 * MAX_PATH, '\0');
    std::string made = "C:\\owdeep";
    CreateDirectoryA(made.c_str(), nullptr);
    CreateDirectoryA((made + "\\" + part).c_str(), nullptr);
    CreateDirectoryA(deep.c_str(), nullptr);
    std::string result = "no deep directory";
    if (SetCurrentDirectoryA(deep.c_str())) {
        GetCurrentDirectoryA(DWORD(before.size()), &before[0]);
        result = validdir(in) ? "found" : "not found";
        GetCurrentDirectoryA(DWORD(after.size()), &after[0]);
        if (before != after) result += ", and the current directory moved";
        SetCurrentDirectoryA("C:\\");
    }
    RemoveDirectoryA(deep.c_str());
    RemoveDirectoryA((made + "\\" + part).c_str());
    RemoveDirectoryA(made.c_str());
    return result;
}
// What a template field of 63 bytes keeps after 60 letters: whole characters
// only, at most 61 bytes.
std::string Picked(const char* in) {
    std::string text = std::string(60, 'a') + in + ",next";
    char field[63];
    MyControlCtl::pickOff(&text[0], ',', field, sizeof field);
    return std::string(field).substr(60);
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
        {936, Prepared, "C:\\" GUAN CHENG JUE CHENG, "c:\\" GUAN CHENG JUE CHENG "\\"},
        {950, Prepared, "C:\\" LI GONG SI GONG, "c:\\" LI GONG SI GONG "\\"},
        {932, Prepared, "C:\\\xBF\xCC\xC4", "c:\\\xBF\xCC\xC4\\"},  // half-width katakana: single bytes
        {949, Prepared, "C:\\" GA GWA, "c:\\" GA GWA "\\"},
        {1252, Prepared, "C:\\" GU SO PO SO, "c:\\\x83o\x83\\\x83|\x83\\"},
        {1252, Prepared, "C:\\" GA GWA, "c:\\\x81" "a\x82" "a\\"},
        {932, Tidied, "c:/" GU "/" SO " ", "c:\\" GU "\\" SO},
        {932, Tidied, " c:\\" PO SO ". ", "c:\\" PO SO},
        {936, Tidied, "c:/" GUAN "/" CHENG " ", "c:\\" GUAN "\\" CHENG},
        {950, Tidied, "c:\\" LI "\\" GONG, "c:\\" LI "\\" GONG},
        {1252, Tidied, "c:/" GU "/" SO " ", "c:\\\x83O\\\x83"},
        {932, Full, "c:\\" PO SO, "full"},
        {932, Full, "\\\\srv\\" SO "\\" PO, "full"},
        {932, Full, "c:\\" GU "|", "refused"},
        {936, Full, "c:\\" JUE CHENG, "full"},
        {936, Full, "c:\\" GUAN "|", "refused"},
        {950, Full, "c:\\" SI, "full"},
        {1252, Full, "c:\\" PO, "refused"},
        // A last lead byte alone (c:\café written in 1252, read on another
        // system): the backslash put after it would be its second byte.
        {932, Full, "c:\\caf\xE9", "refused"},
        {936, Full, "c:\\caf\xE9", "refused"},
        {949, Full, "c:\\caf\xE9", "refused"},
        {950, Full, "c:\\caf\xE9", "refused"},
        {1252, Full, "c:\\caf\xE9", "full"},
        {932, Full, "c:\\\xBF\xCC\xC4", "full"},
        {932, Directory, "c:\\" GU SO "x.8bf", "c:\\"},
        {936, Directory, "c:\\" CHENG "x.8bf", "c:\\"},
        {950, Directory, "c:\\" GONG "x.8bf", "c:\\"},
        {1252, Directory, "c:\\" GU SO "x.8bf", "c:\\\x83O\x83\\"},
        {932, ShareRoot, "\\\\srv\\" SO "\\dir", "\\\\srv\\" SO "\\"},
        {936, ShareRoot, "\\\\srv\\" CHENG "\\dir", "\\\\srv\\" CHENG "\\"},
        {950, ShareRoot, "\\\\srv\\" GONG, "\\\\srv\\" GONG "\\"},
        {1252, ShareRoot, "\\\\srv\\" SO "\\dir", "\\\\srv\\\x83\\"},
        {932, Shown, GU SO PO, GU},
        {936, Shown, CHENG JUE, CHENG},
        {949, Shown, GA GWA, GA},
        {932, ReadBack, GU SO PO, GU},
        {936, ReadBack, CHENG GUAN, CHENG},
        {950, ReadBack, LI GONG, LI},
        {932, Picked, GU, ""},
        {936, Picked, CHENG, ""},
        {1252, Picked, GU, "\x83"},
        {932, FoundFromDeep, "c:\\windows", "found"},
        {936, FoundFromDeep, "c:\\windows", "found"},
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
