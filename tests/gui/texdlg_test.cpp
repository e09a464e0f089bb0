// Textured dialogs: the carrier's properties and subclassing, and the tiling
// of client area and bevels read back from the screen.
#include "host.h"

namespace {

const DWORD kCarrierStyle = WS_CHILD | WS_VISIBLE;

class Textured : public Host {
protected:
    HWND dlg = nullptr;
    void TearDown() override {
        if (dlg) DestroyWindow(dlg);
        Host::TearDown();
    }
    WNDPROC Proc(HWND hwnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)); }
    WNDPROC StandardProc() {
        HWND plain = ShowDialog(host, DialogTemplate("plain", 100, 60, {}));
        WNDPROC proc = Proc(plain);
        DestroyWindow(plain);
        return proc;
    }
};

TEST_F(Textured, CarrierPublishesTextureAndSubclassesUntilItIsDestroyed) {
    WNDPROC standard = StandardProc();
    dlg = ShowDialog(host, DialogTemplate("carrier", 150, 80, {{"OrbWeaveTexDlg", "OWSwirl", 300, 300, 40, 20,
                                                                  WORD(-1), kCarrierStyle}}));
    ASSERT_TRUE(dlg);
    HWND carrier = FindWindowExA(dlg, nullptr, "OrbWeaveTexDlg", nullptr);
    EXPECT_EQ(Proc(dlg), Tex_SubclassProc);
    EXPECT_EQ(GetPropA(dlg, "OWTexDlg"), carrier);
    DIBTex* tex = DlgTexture(dlg);
    ASSERT_NE(tex, nullptr);
    EXPECT_EQ(tex->nWidth, 128);
    EXPECT_EQ(tex, &Object<MyTexDlgCtl>(carrier)->pTexDlg->tex);

    DestroyWindow(carrier);
    EXPECT_EQ(GetPropA(dlg, "OWTexDlg"), nullptr);
    EXPECT_EQ(GetPropA(dlg, "DIBTexPtr"), nullptr);
    EXPECT_EQ(DlgTexture(dlg), nullptr);
    EXPECT_EQ(Proc(dlg), standard);
}

TEST_F(Textured, ASecondCarrierIsRefusedAndTheFirstKeepsTheDialog) {
    WNDPROC standard = StandardProc();
    DlgItem carrier = {"OrbWeaveTexDlg", "OWSwirl", 300, 300, 40, 20, WORD(-1), kCarrierStyle};
    dlg = ShowDialog(host, DialogTemplate("two", 150, 80, {carrier, carrier}));
    ASSERT_TRUE(dlg);
    HWND first = FindWindowExA(dlg, nullptr, "OrbWeaveTexDlg", nullptr);
    HWND second = FindWindowExA(dlg, first, "OrbWeaveTexDlg", nullptr);
    ASSERT_TRUE(second);
    EXPECT_EQ(GetPropA(dlg, "OWTexDlg"), first);
    EXPECT_EQ(Object<MyTexDlgCtl>(second)->pTexDlg, nullptr);
    RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    EXPECT_EQ(Proc(dlg), Tex_SubclassProc);
    DestroyWindow(second);
    EXPECT_EQ(Proc(dlg), Tex_SubclassProc);
    DestroyWindow(first);
    EXPECT_EQ(Proc(dlg), standard);
}

TEST_F(Textured, NoCarrierOrAnEmptyOneLeavesTheDialogStandard) {
    WNDPROC standard = StandardProc();
    dlg = ShowDialog(host, DialogTemplate("empty", 150, 80, {{"OrbWeaveTexDlg", "", 300, 300, 40, 20, WORD(-1),
                                                               kCarrierStyle}}));
    EXPECT_EQ(Proc(dlg), standard);
    EXPECT_EQ(DlgTexture(dlg), nullptr);
    EXPECT_EQ(DlgTexture(reinterpret_cast<void*>(0x12345)), nullptr);  // not a window
    EXPECT_EQ(SetDlgDIBTex(reinterpret_cast<void*>(0x12345), nullptr), 0);
}

TEST_F(Textured, ClientContinuesTheFrameTilingAndBevelsShowTheirTones) {
    dlg = ShowDialog(host, DialogTemplate("tiles", 160, 100, {{"OrbWeaveTexDlg", "OWSwirl", 300, 300, 40, 20,
                                                                WORD(-1), kCarrierStyle}}));
    DIBTex* tex = DlgTexture(dlg);
    ASSERT_NE(tex, nullptr);
    RECT wr, cr;
    GetWindowRect(dlg, &wr);
    GetClientRect(dlg, &cr);
    MapWindowPoints(dlg, nullptr, reinterpret_cast<POINT*>(&cr), 2);
    int w = wr.right - wr.left, h = wr.bottom - wr.top;
    ASSERT_GT(w, 200);  // wide enough for a tile edge at x = 128 inside the client area
    std::vector<COLORREF> px = WindowSnapshot(dlg);
    auto at = [&](int x, int y) { return px[size_t(y) * w + x]; };

    // Client area, in window coordinates, through the tile edge at x = 128.
    int y = (cr.top - wr.top) + 20;
    for (int x = cr.left - wr.left; x < cr.right - wr.left; x++)
        ASSERT_EQ(at(x, y), TilePixel(tex, TONE_NORMAL, x, y)) << x << "," << y;

    int d = Object<MyTexDlgCtl>(FindWindowExA(dlg, nullptr, "OrbWeaveTexDlg", nullptr))->pTexDlg->nBorder;
    ASSERT_GT(d, 0);
    for (int x = d; x < w - d; x += 7) {
        EXPECT_EQ(at(x, 0), TilePixel(tex, TONE_HIGHLIGHT, x, 0)) << x;
        EXPECT_EQ(at(x, h - 1), TilePixel(tex, TONE_SHADOW, x, h - 1)) << x;
    }
    for (int yy = d; yy < h - d; yy += 7) {
        EXPECT_EQ(at(0, yy), TilePixel(tex, TONE_HIGHLIGHT, 0, yy)) << yy;
        EXPECT_EQ(at(w - 1, yy), TilePixel(tex, TONE_SHADOW, w - 1, yy)) << yy;
    }
}

// The dialog's texture as its carrier builds it, against the bitmap: the
// shadow tone is every colour less 60, the highlight adds half and 40.
TEST_F(Textured, TonesAreTheBitmapsColoursLessSixtyAndPlusHalfAndForty) {
    dlg = ShowDialog(host, DialogTemplate("tones", 150, 80, {{"OrbWeaveTexDlg", "OWSwirl", 300, 300, 40, 20,
                                                               WORD(-1), kCarrierStyle}}));
    DIBTex* tex = DlgTexture(dlg);
    ASSERT_NE(tex, nullptr);
    char name[] = "OWSwirl";
    BITMAPINFO* dib = nullptr;
    HGLOBAL res = nullptr;
    ASSERT_TRUE(DIBTex::LoadDIB(ghInst, name, &dib, &res));
    const BYTE* pixels = reinterpret_cast<const BYTE*>(dib) + dib->bmiHeader.biSize + 256 * sizeof(RGBQUAD);
    int w = dib->bmiHeader.biWidth, h = dib->bmiHeader.biHeight, stride = (w + 3) & ~3;
    for (int y = 0; y < h; y += 3)
        for (int x = 0; x < w; x += 5) {
            const RGBQUAD& c = dib->bmiColors[pixels[(h - 1 - y) * stride + x]];  // bottom-up
            ASSERT_EQ(TilePixel(tex, TONE_NORMAL, x, y), RGB(c.rgbRed, c.rgbGreen, c.rgbBlue)) << x << "," << y;
            ASSERT_EQ(TilePixel(tex, TONE_SHADOW, x, y),
                      RGB(ShadowValue(c.rgbRed, 60), ShadowValue(c.rgbGreen, 60), ShadowValue(c.rgbBlue, 60)));
            ASSERT_EQ(TilePixel(tex, TONE_HIGHLIGHT, x, y),
                      RGB(HilightValue(c.rgbRed, 40, 2), HilightValue(c.rgbGreen, 40, 2), HilightValue(c.rgbBlue, 40, 2)));
        }
    DIBTex::DestroyDIB(res);
}

// Each bevel is as deep as the frame, no more, and the light and dark ones
// meet on the diagonals at the top-right and bottom-left corners.
TEST_F(Textured, BevelsFillTheFrameToItsDepthAndMeetOnTheDiagonals) {
    dlg = ShowDialog(host, DialogTemplate("depth", 160, 100, {{"OrbWeaveTexDlg", "OWSwirl", 300, 300, 40, 20,
                                                                WORD(-1), kCarrierStyle}}));
    DIBTex* tex = DlgTexture(dlg);
    ASSERT_NE(tex, nullptr);
    RECT wr;
    GetWindowRect(dlg, &wr);
    int w = wr.right - wr.left, h = wr.bottom - wr.top;
    int d = Object<MyTexDlgCtl>(FindWindowExA(dlg, nullptr, "OrbWeaveTexDlg", nullptr))->pTexDlg->nBorder;
    ASSERT_GE(d, 3);
    std::vector<COLORREF> px = WindowSnapshot(dlg);
    auto is = [&](int x, int y, int tone) { return px[size_t(y) * w + x] == TilePixel(tex, tone, x, y); };
    for (int k = 0; k < d; k++) {
        EXPECT_TRUE(is(w / 2, k, TONE_HIGHLIGHT)) << "top, depth " << k;
        EXPECT_TRUE(is(k, h / 2, TONE_HIGHLIGHT)) << "left, depth " << k;
        EXPECT_TRUE(is(w - 1 - k, h / 2, TONE_SHADOW)) << "right, depth " << k;
        EXPECT_TRUE(is(w / 2, h - 1 - k, TONE_SHADOW)) << "bottom, depth " << k;
    }
    EXPECT_FALSE(is(w / 2, d, TONE_HIGHLIGHT));  // the caption begins
    EXPECT_TRUE(is(d, h / 2, TONE_NORMAL));      // the client area begins
    EXPECT_TRUE(is(w - 1 - d, h / 2, TONE_NORMAL));
    EXPECT_TRUE(is(w / 2, h - 1 - d, TONE_NORMAL));
    EXPECT_TRUE(is(w - 3, 0, TONE_HIGHLIGHT));  // above the top-right diagonal
    EXPECT_TRUE(is(w - 1, 2, TONE_SHADOW));     // below it
    EXPECT_TRUE(is(0, h - 3, TONE_HIGHLIGHT));  // left of the bottom-left one
    EXPECT_TRUE(is(2, h - 1, TONE_SHADOW));
}

TEST_F(Textured, RegionsAreMadeAtTheFirstFramePaintAndKept) {
    dlg = ShowDialog(host, DialogTemplate("regions", 150, 80, {{"OrbWeaveTexDlg", "OWSwirl", 300, 300, 40, 20,
                                                                  WORD(-1), kCarrierStyle}}));
    TexDlg* painter = Object<MyTexDlgCtl>(FindWindowExA(dlg, nullptr, "OrbWeaveTexDlg", nullptr))->pTexDlg;
    HRGN top = painter->hrgnTop;
    ASSERT_NE(top, nullptr);
    RedrawWindow(dlg, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(painter->hrgnTop, top);
    RECT wr, cr;
    GetWindowRect(dlg, &wr);
    GetClientRect(dlg, &cr);
    EXPECT_EQ(painter->nBorder, BevelWidth(wr.right - wr.left, cr.right));
}

TEST_F(Textured, ControlOffsetIgnoresWhereTheDialogLies) {
    dlg = ShowDialog(host, DialogTemplate("offset", 150, 80, {{"OrbWeaveFrame", "", 5, 20, 40, 20, 9,
                                                                 WS_CHILD | WS_VISIBLE}}));
    HWND child = GetDlgItem(dlg, 9);
    POINT before, after, origin = {0, 0};
    DIBTex::ControlOffset(child, &before);
    RECT wr;
    GetWindowRect(dlg, &wr);
    ClientToScreen(child, &origin);
    EXPECT_EQ(before.x, origin.x - wr.left);
    EXPECT_EQ(before.y, origin.y - wr.top);
    SetWindowPos(dlg, nullptr, wr.left + 37, wr.top + 11, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    DIBTex::ControlOffset(child, &after);
    EXPECT_EQ(after.x, before.x);
    EXPECT_EQ(after.y, before.y);
}

TEST_F(Textured, TexMapDrawsWholeTilesAtTheGridPositions) {
    char name[] = "BlueTex";
    DIBTex tex(ghInst, name);
    HDC mem = CreateCompatibleDC(nullptr);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 300, -200, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits;
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    auto clear = [&] { PatBlt(mem, 0, 0, 300, 200, WHITENESS); };
    auto drawn = [&](int x, int y) { return GetPixel(mem, x, y) != RGB(255, 255, 255); };

    clear();
    RECT area = {0, 0, 200, 50};
    EXPECT_EQ(tex.TexMap(mem, 10, 30, area, TONE_NORMAL, SRCCOPY), 1);
    // Tiles at (-10, -30) and (118, -30): rows 0..97, columns 0..245.
    EXPECT_EQ(GetPixel(mem, 0, 0), TilePixel(&tex, TONE_NORMAL, 10, 30));
    EXPECT_EQ(GetPixel(mem, 245, 97), TilePixel(&tex, TONE_NORMAL, 127, 127));
    EXPECT_FALSE(drawn(246, 0));
    EXPECT_FALSE(drawn(0, 98));

    clear();
    RECT one = {0, 0, 128, 128};
    tex.TexMap(mem, 0, 0, one, TONE_NORMAL, SRCCOPY);
    EXPECT_TRUE(drawn(127, 127) || GetPixel(mem, 127, 127) == TilePixel(&tex, TONE_NORMAL, 127, 127));
    EXPECT_FALSE(drawn(128, 0));
    RECT wider = {0, 0, 129, 128};
    tex.TexMap(mem, 0, 0, wider, TONE_NORMAL, SRCCOPY);
    EXPECT_EQ(GetPixel(mem, 255, 0), TilePixel(&tex, TONE_NORMAL, 127, 0));

    clear();
    RECT empty = {0, 0, 0, 50};
    EXPECT_EQ(tex.TexMap(mem, 0, 0, empty, TONE_NORMAL, SRCCOPY), 1);
    EXPECT_FALSE(drawn(0, 0));
    RECT thin = {10, 0, 10, 50};
    tex.TexMap(mem, 0, 0, thin, TONE_NORMAL, SRCCOPY);
    EXPECT_EQ(GetPixel(mem, 0, 0), TilePixel(&tex, TONE_NORMAL, 0, 0));
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
}

}  // namespace
