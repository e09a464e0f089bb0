// Single- and multi-line texts and the frame, created in a host window and
// read back from the screen.
#include <cstring>
#include <string>
#include <utility>

#include "dialogs.h"
#include "host.h"

// The next malloc of this many bytes fails, as when memory runs out (the
// program is linked with malloc wrapped); 0 leaves malloc alone.
static size_t gFailMallocOf = 0;
extern "C" void* __real_malloc(size_t n);
extern "C" void* __wrap_malloc(size_t n) {
    if (n && n == gFailMallocOf) {
        gFailMallocOf = 0;
        return nullptr;
    }
    return __real_malloc(n);
}

namespace {

const COLORREF kGrey = RGB(192, 192, 192);

// Columns of a window that hold a dark (text) pixel.
struct Ink {
    int left = -1, right = -1, count = 0;
};
Ink DarkInk(const std::vector<COLORREF>& px, int w) {
    Ink ink;
    for (size_t i = 0; i < px.size(); i++) {
        COLORREF c = px[i];
        if (GetRValue(c) + GetGValue(c) + GetBValue(c) > 150) continue;
        int x = int(i % w);
        ink.left = ink.left < 0 ? x : std::min(ink.left, x);
        ink.right = std::max(ink.right, x);
        ink.count++;
    }
    return ink;
}

std::string Text(HWND hwnd) {
    char buf[400] = "";
    GetWindowTextA(hwnd, buf, sizeof buf);
    return buf;
}

using TextControls = Host;

TEST_F(TextControls, StarRightAlignsOnLightGrey) {
    HWND copying = Child("OrbWeaveText", "*Copying:", 10, 10, 120, 20);
    HWND name = Child("OrbWeaveText", "msvcrt20._ll", 10, 40, 120, 20);
    EXPECT_EQ(Text(copying), "Copying:");
    EXPECT_EQ(Object<MyTextCtl>(copying)->fRightAligned, 1);
    EXPECT_EQ(Object<MyTextCtl>(copying)->fOutlined, 0);
    Ink right = DarkInk(Snapshot(copying), 120), left = DarkInk(Snapshot(name), 120);
    EXPECT_GE(right.right, 115);
    EXPECT_GT(right.left, 50);
    EXPECT_LE(left.left, 2);
    EXPECT_EQ(Pixel(copying, 1, 1), kGrey);
    EXPECT_EQ(Pixel(name, 119, 19), kGrey);
}

TEST_F(TextControls, FlagFieldOutlinesOverWhatLiesBeneath) {
    HWND outlined = Child("OrbWeaveText", "1,Total", 10, 10, 120, 20);
    HWND plain = Child("OrbWeaveText", "0,Total", 10, 40, 120, 20);
    EXPECT_EQ(Text(outlined), "Total");
    EXPECT_EQ(Text(plain), "Total");
    EXPECT_EQ(Object<MyTextCtl>(outlined)->fOutlined, 1);
    EXPECT_EQ(Object<MyTextCtl>(plain)->fOutlined, 0);
    std::vector<COLORREF> px = Snapshot(outlined);
    EXPECT_EQ(px[20 * 120 - 1], kHostColour);  // not erased
    int white = 0, black = 0;
    for (COLORREF c : px) {
        white += c == RGB(255, 255, 255);
        black += c == RGB(0, 0, 0);
    }
    EXPECT_GT(white, black);
    EXPECT_GT(black, 10);
    EXPECT_EQ(Pixel(plain, 119, 0), kGrey);
}

TEST_F(TextControls, AnyCommaMakesTheFlagForm) {
    const struct {
        const char* in;
        const char* shown;
        int outlined, right;
    } cases[] = {{"Hello, world", " world", 0, 0}, {"1,a,b", "a", 1, 0}, {"1,*Right", "Right", 1, 1},
                 {"*Star,x", "x", 0, 0}};  // the star is in the flag field
    for (auto& c : cases) {
        HWND hwnd = Child("OrbWeaveText", c.in, 10, 10, 120, 20);
        EXPECT_EQ(Text(hwnd), c.shown) << c.in;
        EXPECT_EQ(Object<MyTextCtl>(hwnd)->fOutlined, c.outlined) << c.in;
        EXPECT_EQ(Object<MyTextCtl>(hwnd)->fRightAligned, c.right) << c.in;
        DestroyWindow(hwnd);
    }
}

TEST_F(TextControls, LongTextIsDrawnCutTo62Characters) {
    std::string digits;
    for (int i = 0; i < 80; i++) digits += char('0' + i % 10);
    HWND full = Child("OrbWeaveText", digits.c_str(), 0, 10, 400, 20);
    HWND cut = Child("OrbWeaveText", digits.substr(0, 62).c_str(), 0, 40, 400, 20);
    HWND shorter = Child("OrbWeaveText", digits.substr(0, 61).c_str(), 0, 70, 400, 20);
    EXPECT_EQ(Text(full).size(), 80u);
    EXPECT_EQ(Snapshot(full), Snapshot(cut));
    EXPECT_NE(Snapshot(full), Snapshot(shorter));
}

TEST_F(TextControls, SetTextShowsAtTheNextPaint) {
    HWND hwnd = Child("OrbWeaveText", "before", 10, 10, 120, 20);
    std::vector<COLORREF> before = Snapshot(hwnd);
    SetWindowTextA(hwnd, "after, longer");
    EXPECT_EQ(Text(hwnd), "after, longer");  // stored as is: no flag parsing after creation
    RECT update;
    EXPECT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
    Pump();
    EXPECT_NE(Snapshot(hwnd), before);
}

// The plain ANSI text as DrawTextA draws it, without prefix processing, on
// light grey in the controls' font or the one given.
std::vector<COLORREF> Drawn(const char* ansi, int w, int h, UINT format, HFONT font = nullptr) {
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBmp = SelectObject(dc, bmp);
    HGDIOBJ oldFont = SelectObject(dc, font ? font : ControlMgr->GetFont());
    RECT rc = {0, 0, w, h};
    FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, ansi, -1, &rc, format | DT_NOPREFIX);
    GdiFlush();
    std::vector<COLORREF> px(size_t(w) * h);
    const DWORD* p = static_cast<const DWORD*>(bits);
    for (size_t i = 0; i < px.size(); i++) px[i] = RGB(p[i] >> 16 & 255, p[i] >> 8 & 255, p[i] & 255);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBmp);
    DeleteObject(bmp);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return px;
}

// A path the user typed, handed to a text control as the program hands it
// ("To:", alerts, Bad Path): shown as typed, its "&" and its accent kept.
TEST_F(TextControls, APathTypedIsShownAsTyped) {
    const char* typed = "c:\\Tools&Filters\\Effets sp\xE9" "ciaux";
    char text[160];
    ControlText(typed, text, sizeof text);
    const struct {
        const char* cls;
        UINT format;
    } cases[] = {{"OrbWeaveText", DT_SINGLELINE | DT_VCENTER | DT_LEFT},
                 {"OrbWeaveMText", DT_WORDBREAK | DT_VCENTER | DT_CENTER}};
    for (auto& c : cases) {
        HWND hwnd = Child(c.cls, "", 10, 10, 300, 20);
        SetWindowTextA(hwnd, text);
        Pump();
        EXPECT_EQ(Snapshot(hwnd), Drawn(typed, 300, 20, c.format)) << c.cls;
        DestroyWindow(hwnd);
    }
}

// A path typed in the system's own language is drawn in its characters, as
// the system draws it in a font of its character set: double-byte ones, the
// half-width katakana of the Japanese edition (single bytes), the letters of
// a Cyrillic system. The program's own English texts keep their font, and on
// a Western system an accented path is drawn in it too. CTest runs this under
// each edition's locale (codepage.*.gui); the default run is the Western one.
TEST_F(TextControls, ANativePathIsDrawnInTheSystemsCharacters) {
    const struct {
        UINT codePage;
        BYTE charSet;
        const char* path;
    } editions[] = {
        // c:\プラグイン\グソポ
        {932, SHIFTJIS_CHARSET, "c:\\\x83\x76\x83\x89\x83\x4F\x83\x43\x83\x93\\\x83\x4F\x83\x5C\x83\x7C"},
        {932, SHIFTJIS_CHARSET, "c:\\\xBF\xCC\xC4"},  // c:\ｿﾌﾄ
        {936, GB2312_CHARSET, "c:\\\x81\x4F\x81\x5C\x81\x7C"},  // c:\丱乗亅
        {949, HANGEUL_CHARSET, "c:\\\x81\x41\x82\x41"},  // c:\갂괔
        {950, CHINESEBIG5_CHARSET, "c:\\\xA4\x4F\xA5\x5C\xA5\x7C"},  // c:\力功四
        // c:\Плагины\Фильтры
        {1251, RUSSIAN_CHARSET, "c:\\\xCF\xEB\xE0\xE3\xE8\xED\xFB\\\xD4\xE8\xEB\xFC\xF2\xF0\xFB"},
        {1252, ANSI_CHARSET, "c:\\caf\xE9"},
    };
    int ran = 0;
    for (auto& e : editions) {
        if (e.codePage != GetACP()) continue;
        ran++;
        char text[160];
        ControlText(e.path, text, sizeof text);
        HFONT own = CreateFontA(-10, 0, 0, 0, 0, 0, 0, 0, e.charSet, 0, 0, 0, 0, "Helv");
        HFONT western = CreateFontA(-10, 0, 0, 0, 0, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Helv");
        const UINT single = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
        // The system has a font for its set, whose letters are not the Western ones.
        if (e.charSet != ANSI_CHARSET) {
            EXPECT_NE(Drawn(e.path, 300, 20, single, own), Drawn(e.path, 300, 20, single, western)) << e.path;
        }
        for (auto c : {std::make_pair("OrbWeaveText", single),
                       std::make_pair("OrbWeaveMText", UINT(DT_WORDBREAK | DT_VCENTER | DT_CENTER))}) {
            HWND hwnd = Child(c.first, "", 10, 10, 300, 20);
            SetWindowTextA(hwnd, text);
            Pump();
            EXPECT_EQ(Snapshot(hwnd), Drawn(e.path, 300, 20, c.second, own)) << c.first << " " << e.path;
            SetWindowTextA(hwnd, "c:\\plugins\\vxfila32.8bf");
            Pump();
            EXPECT_EQ(Snapshot(hwnd), Drawn("c:\\plugins\\vxfila32.8bf", 300, 20, c.second, western)) << c.first;
            DestroyWindow(hwnd);
        }
        DeleteObject(own);
        DeleteObject(western);
    }
    if (!ran) GTEST_SKIP() << "no rows for code page " << GetACP();
}

// A text label's "&" letter, as a static's, takes the focus to the control
// after it: Alt+P on "*&Plug-in directory:" to the directory field. Both
// kinds of text are labels.
TEST_F(TextControls, AltAndALabelsLetterFocusesTheFieldAfterIt) {
    for (const char* cls : {"OrbWeaveText", "OrbWeaveMText"}) {
        HWND dlg = ShowDialog(host, DialogTemplate("labels", 200, 60,
                                                   {{cls, "*&Plug-in directory:", 5, 5, 80, 12, 10, WS_CHILD | WS_VISIBLE},
                                                    {"EDIT", "", 90, 5, 100, 12, 11, WS_CHILD | WS_VISIBLE | WS_TABSTOP},
                                                    {"BUTTON", "OK", 90, 30, 40, 14, 1, WS_CHILD | WS_VISIBLE | WS_TABSTOP}}));
        ASSERT_TRUE(dlg) << cls;
        SetFocus(GetDlgItem(dlg, 1));
        MSG alt = {GetDlgItem(dlg, 1), WM_SYSCHAR, 'p', 0x20000000, 0, {0, 0}};
        EXPECT_TRUE(IsDialogMessageA(dlg, &alt)) << cls;
        EXPECT_EQ(GetFocus(), GetDlgItem(dlg, 11)) << cls;
        DestroyWindow(dlg);
    }
}

using MultiLine = Host;

TEST_F(MultiLine, StarTildeLoadsTheStringLeftAligned) {
    HWND hwnd = Child("OrbWeaveMText", "*~5000", 10, 10, 150, 60);
    char expected[300];
    LoadStringA(ghInst, 5000, expected, sizeof expected);
    EXPECT_EQ(Text(hwnd), expected);
    EXPECT_EQ(Object<MyMTextCtl>(hwnd)->fCentred, 0);
    EXPECT_LE(DarkInk(Snapshot(hwnd), 150).left, 2);
    HWND centred = Child("OrbWeaveMText", "~5700", 10, 80, 300, 30);
    EXPECT_EQ(Object<MyMTextCtl>(centred)->fCentred, 1);
    HWND missing = Child("OrbWeaveMText", "~4321", 10, 120, 100, 30);
    EXPECT_EQ(Text(missing), "");
}

// A new text's length is the one WM_GETTEXT gives, not the template's; a
// multi-line text made without its buffer takes the next text set.
TEST_F(MultiLine, TheLengthIsTheTextsAndATextMadeWithoutMemoryTakesTheNext) {
    HWND made = Child("OrbWeaveMText", "text", 10, 10, 150, 40);
    SetWindowTextA(made, "a longer text");
    EXPECT_EQ(GetWindowTextLengthA(made), 13);
    gFailMallocOf = MTEXT_BUFFER;
    HWND starved = Child("OrbWeaveMText", "text", 10, 60, 150, 40);
    EXPECT_EQ(gFailMallocOf, 0u);
    SetWindowTextA(starved, "a longer text");
    EXPECT_EQ(Snapshot(starved), Snapshot(made));
}

TEST_F(MultiLine, LiteralTextWithoutPrefixIsCentred) {
    HWND hwnd = Child("OrbWeaveMText", "text", 10, 10, 151, 40);
    EXPECT_EQ(Text(hwnd), "text");
    Ink ink = DarkInk(Snapshot(hwnd), 151);
    ASSERT_GT(ink.count, 5);
    EXPECT_LE(std::abs(ink.left - (150 - ink.right)), 3);
    EXPECT_EQ(Pixel(hwnd, 0, 39), kGrey);
}

TEST_F(MultiLine, SetTextKeepsTheFirst299AndRepaintsAtOnce) {
    HWND hwnd = Child("OrbWeaveMText", "text", 10, 10, 150, 60);
    std::string big(400, 'x');
    for (size_t i = 0; i < big.size(); i += 7) big[i] = ' ';
    EXPECT_EQ(SendMessageA(hwnd, WM_SETTEXT, 0, LPARAM(big.c_str())), 1);
    EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE));  // painted before returning

    char buf[400];
    memset(buf, '#', sizeof buf);
    EXPECT_EQ(SendMessageA(hwnd, WM_GETTEXT, sizeof buf, LPARAM(buf)), 299);
    EXPECT_EQ(std::string(buf), big.substr(0, 299));

    memset(buf, '#', sizeof buf);
    EXPECT_EQ(SendMessageA(hwnd, WM_GETTEXT, 10, LPARAM(buf)), 9);
    EXPECT_EQ(std::string(buf), big.substr(0, 9));
    EXPECT_EQ(buf[10], '#');

    memset(buf, '#', sizeof buf);
    EXPECT_EQ(SendMessageA(hwnd, WM_GETTEXT, 0, LPARAM(buf)), 0);
    EXPECT_EQ(buf[0], '#');  // no room: nothing written

    WCHAR wide[16];
    InternalGetWindowText(hwnd, wide, 16);
    EXPECT_EQ(std::wstring(wide), L"text");  // the window's own text is the creation-time one
}

using Frame = Host;

TEST_F(Frame, SunkenBorderAroundLightGreyAndNoText) {
    HWND hwnd = Child("OrbWeaveFrame", "frame name", 10, 10, 120, 80, -1,
                      WS_CHILD | WS_VISIBLE | WS_DISABLED);
    std::vector<COLORREF> px = Snapshot(hwnd);
    auto at = [&](int x, int y) { return px[size_t(y) * 120 + x]; };
    EXPECT_EQ(at(0, 0), RGB(128, 128, 128));
    EXPECT_EQ(at(1, 1), RGB(0, 0, 0));
    EXPECT_EQ(at(118, 78), kGrey);  // light grey inner edge
    EXPECT_EQ(at(119, 79), RGB(255, 255, 255));
    for (int y = 2; y < 78; y++)
        for (int x = 2; x < 118; x++) ASSERT_EQ(at(x, y), kGrey) << x << "," << y;
}

}  // namespace
