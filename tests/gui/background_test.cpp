// The background window's painting: texture, logo margins, the text list.
#include "background.h"
#include "host.h"
#include "resource.h"

namespace {

LRESULT CALLBACK BackgroundProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PaintWindow(hwnd);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// A logo that fills its whole 1000 x 750 window with one colour.
HMETAFILE FullLogo(COLORREF colour) {
    HDC mf = CreateMetaFileA(nullptr);
    SetWindowOrgEx(mf, 0, 0, nullptr);
    SetWindowExtEx(mf, 1000, 750, nullptr);
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ old = SelectObject(mf, brush);
    SelectObject(mf, GetStockObject(NULL_PEN));
    Rectangle(mf, 0, 0, 1001, 751);
    SelectObject(mf, old);
    DeleteObject(brush);
    return CloseMetaFile(mf);
}

class BackgroundWindow : public Host {
protected:
    HWND win = nullptr;
    void SetUp() override {
        Host::SetUp();
        LoadBackground(ghInst);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = BackgroundProc;
        wc.hInstance = ghInst;
        wc.lpszClassName = "OWBackgroundTest";
        RegisterClassA(&wc);
    }
    void TearDown() override {
        if (win) DestroyWindow(win);
        ReleaseBackground();
        UnregisterClassA("OWBackgroundTest", ghInst);
        Host::TearDown();
    }
    void Open(int w, int h) {
        win = CreateWindowA("OWBackgroundTest", "", WS_POPUP | WS_VISIBLE, 0, 0, w, h, nullptr, nullptr, ghInst,
                            nullptr);
        Pump();
    }
};

TEST_F(BackgroundWindow, ResourcesLoadAndRelease) {
    ASSERT_NE(gBackground.texture, nullptr);
    EXPECT_EQ(gBackground.texture->nWidth, 128);
    EXPECT_NE(gBackground.logo, nullptr);
    Open(400, 300);
    EXPECT_NE(gBackground.largeFont, nullptr);
    ReleaseBackground();
    EXPECT_EQ(gBackground.texture, nullptr);
    EXPECT_EQ(gBackground.logo, nullptr);
    EXPECT_EQ(gBackground.largeFont, nullptr);
    EXPECT_EQ(gBackground.smallFont, nullptr);
}

// tests/gui/badlogo.rc: headers that claim more than their resources hold.
TEST(Logo, AResourceShorterThanItsHeaderSaysGivesNoLogo) {
    HINSTANCE self = GetModuleHandleA(nullptr);
    HMETAFILE exact = LoadAPMMetaFile(self, "ExactLogo");
    EXPECT_NE(exact, nullptr);
    if (exact) DeleteMetaFile(exact);
    EXPECT_EQ(LoadAPMMetaFile(self, "ShortLogo"), nullptr);
    EXPECT_EQ(LoadAPMMetaFile(self, "TinyLogo"), nullptr);
    EXPECT_EQ(LoadAPMMetaFile(self, "NoSuchLogo"), nullptr);
}

TEST_F(BackgroundWindow, LogoKeepsATwentiethOfEachSideFree) {
    DeleteMetaFile(gBackground.logo);
    gBackground.logo = FullLogo(RGB(255, 0, 0));
    const int w = 600, h = 300;  // proportions unlike the logo's own
    Open(w, h);
    std::vector<COLORREF> px = Snapshot(win);
    auto red = [&](int x, int y) { return px[size_t(y) * w + x] == RGB(255, 0, 0); };
    int mx = w / 20, my = h / 20;
    // The far edge's last pixel depends on how the rectangle's end rounds.
    for (int x = 0; x < w; x++) {
        if (x == w - mx - 1) continue;
        ASSERT_EQ(red(x, h / 2 + 40), x >= mx && x < w - mx) << x;
    }
    for (int y = 0; y < h; y++) {
        if (y == h - my - 1) continue;
        ASSERT_EQ(red(w - 100, y), y >= my && y < h - my) << y;
    }
    EXPECT_EQ(px[0], TilePixel(gBackground.texture, TONE_NORMAL, 0, 0));  // texture from the origin
}

TEST_F(BackgroundWindow, TextShowsWhiteOverABlackShadowInFontsOfTheFirstPaint) {
    Open(560, 420);
    HFONT large = gBackground.largeFont;
    LOGFONTA lf;
    GetObjectA(large, sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, -(560 / 28));
    EXPECT_STREQ(lf.lfFaceName, "Arial");
    std::vector<COLORREF> px = Snapshot(win);
    int white = 0, black = 0;
    for (int y = 0; y < 60; y++)
        for (int x = 0; x < 300; x++) {
            white += px[size_t(y) * 560 + x] == RGB(255, 255, 255);
            black += px[size_t(y) * 560 + x] == RGB(0, 0, 0);
        }
    EXPECT_GT(white, 100);
    EXPECT_GT(black, 50);
    SetWindowPos(win, nullptr, 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_EQ(gBackground.largeFont, large);  // kept after a resize
}

// Where the list lands, against the same texts drawn where the design puts
// them: the title at (5, 5) in the large font, each line 10 further in and the
// height of the line above plus 4 below it, in the small font, each white over
// a black shadow two pixels right of and below it.
TEST_F(BackgroundWindow, TheListsLinesLieWhereTheDesignPutsThem) {
    DeleteMetaFile(gBackground.logo);
    gBackground.logo = nullptr;  // only the texture beneath
    const int w = 560, h = 420;
    Open(w, h);
    std::vector<COLORREF> shown = Snapshot(win);

    HDC dc = GetDC(win);
    HDC mem = CreateCompatibleDC(dc);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits;
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBmp = SelectObject(mem, bmp);
    RECT all = {0, 0, w, h};
    gBackground.texture->TexMap(mem, 0, 0, all, TONE_NORMAL, SRCCOPY);
    SetBkMode(mem, TRANSPARENT);
    char text[256];
    LoadStringA(ghInst, IDS_PAINT_PROGRAMS, text, 255);
    const char* lines[] = {text, nullptr, nullptr, nullptr, nullptr};
    int n = 1;
    for (char* p = text; *p; p++)
        if (*p == '\n' && n < 5) *p = '\0', lines[n++] = p + 1;
    ASSERT_EQ(n, 5);
    int y = 7;
    for (int i = 0; i < 5; i++) {
        HGDIOBJ oldFont = SelectObject(mem, i ? gBackground.smallFont : gBackground.largeFont);
        int x = i ? 15 : 5, len = lstrlenA(lines[i]);
        SetTextColor(mem, RGB(0, 0, 0));
        TextOutA(mem, x + 2, y, lines[i], len);
        SetTextColor(mem, RGB(255, 255, 255));
        TextOutA(mem, x, y - 2, lines[i], len);
        SIZE size;
        GetTextExtentPointA(mem, lines[i], len, &size);
        y += size.cy + 4;
        SelectObject(mem, oldFont);
    }
    GdiFlush();
    int differ = 0, firstX = -1, firstY = -1;
    for (int i = 0; i < w * h; i++) {
        DWORD p = static_cast<DWORD*>(bits)[i];
        if (shown[size_t(i)] != RGB((p >> 16) & 255, (p >> 8) & 255, p & 255) && !differ++)
            firstX = i % w, firstY = i / w;
    }
    SelectObject(mem, oldBmp);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(win, dc);
    EXPECT_EQ(differ, 0) << "the first at " << firstX << "," << firstY;
}

TEST_F(BackgroundWindow, MinimisedWindowDrawsNothing) {
    Open(200, 150);
    ShowWindow(win, SW_MINIMIZE);
    HDC mem = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(GetDC(nullptr), 10, 10);
    HGDIOBJ old = SelectObject(mem, bmp);
    PatBlt(mem, 0, 0, 10, 10, WHITENESS);
    Paint(win, mem);
    EXPECT_EQ(GetPixel(mem, 5, 5), RGB(255, 255, 255));
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
}

}  // namespace
