// The shadowed push button in the real "Done" dialog and on a plain one: its
// size and place, the textured shadow, the depths and their timing.
#include <algorithm>

#include "../../controls/core/resload.h"
#include "host.h"

namespace {

// The face bitmap's own pixels: opaque where not magenta, black where lettered.
struct Face {
    void* hRes = nullptr;
    BITMAPINFO* info;
    int w, h;
    explicit Face(const char* name) {
        info = SafeLoadDIB(ghInst, const_cast<char*>(name), &hRes);
        w = info->bmiHeader.biWidth;
        h = info->bmiHeader.biHeight;
    }
    ~Face() { SafeDestroyDIB(hRes); }
    int index(int x, int y) const {
        if (x < 0 || y < 0 || x >= w || y >= h) return 13;
        const BYTE* bits = reinterpret_cast<const BYTE*>(info) + 40 + 16 * 4;
        int stride = ((w * 4 + 31) / 32) * 4;
        BYTE b = bits[size_t(h - 1 - y) * stride + x / 2];
        return x % 2 ? b & 15 : b >> 4;
    }
    bool opaque(int x, int y) const { return index(x, y) != 13; }
};

std::vector<std::pair<int, DWORD>> gDepths;
WNDPROC gButtonProc;
LRESULT CALLBACK RecordDepths(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT r = CallWindowProcA(gButtonProc, hwnd, msg, wParam, lParam);
    if (msg == WM_PAINT)
        gDepths.push_back({static_cast<MyShadowButtonCtl*>(ControlMgr->GetWindowObject(hwnd))->nDepth,
                           GetTickCount()});
    return r;
}

class ShadowButton : public Host {
protected:
    HWND dlg = nullptr, ok = nullptr;
    void SetUp() override {
        Host::SetUp();
        dlg = ShowDialog(host, "Done");
        ok = GetDlgItem(dlg, IDOK);
        Commands::seen.clear();
    }
    void TearDown() override {
        DestroyWindow(dlg);
        Host::TearDown();
    }
};

TEST_F(ShadowButton, GrowsByEightAroundItsFaceCentredOnItsPlace) {
    HWND plain = ShowDialog(host, DialogTemplate("plain", 150, 80, {{"OrbWeaveShadButt", "OKButton", 10, 10, 60,
                                                                      40, 1, WS_CHILD | WS_VISIBLE}}));
    HWND button = GetDlgItem(plain, 1);
    RECT r;
    GetWindowRect(button, &r);
    EXPECT_EQ(r.right - r.left, 62);
    EXPECT_EQ(r.bottom - r.top, 40);
    // Template: 10 dialog units in is 15 pixels, 60 wide is 90 pixels.
    POINT p = {r.left, r.top};
    ScreenToClient(plain, &p);
    EXPECT_EQ(p.x, 15 + (90 - 54 + 8) / 2);
    EXPECT_EQ(p.y, 10 * 13 / 8);
    DestroyWindow(plain);
}

TEST_F(ShadowButton, ShadowShowsTheDialogTextureInItsShadowTone) {
    ASSERT_TRUE(ok);
    DIBTex* tex = DlgTexture(dlg);
    ASSERT_NE(tex, nullptr);
    POINT off;
    DIBTex::ControlOffset(ok, &off);
    Face face("OKButton");
    std::vector<COLORREF> px = Snapshot(ok);
    RECT cr;
    GetClientRect(ok, &cr);
    ASSERT_EQ(cr.right, face.w + 8);
    // The template lets the button reach past the dialog's client area; the
    // screen shows the dialog's frame there.
    RECT visible;
    GetClientRect(dlg, &visible);
    MapWindowPoints(dlg, ok, reinterpret_cast<POINT*>(&visible), 2);
    int shadow = 0, face_ = 0;
    for (int y = 0; y < std::min<int>(cr.bottom, visible.bottom); y++)
        for (int x = 0; x < std::min<int>(cr.right, visible.right); x++) {
            COLORREF got = px[size_t(y) * cr.right + x];
            if (face.opaque(x, y)) {
                if (face.index(x, y) == 0) {
                    EXPECT_EQ(got, RGB(0, 0, 0)) << x << "," << y;
                    face_++;
                }
            } else if (face.opaque(x - 8, y - 8)) {
                ASSERT_EQ(got, TilePixel(tex, TONE_SHADOW, off.x + x, off.y + y)) << x << "," << y;
                shadow++;
            } else {
                ASSERT_EQ(got, TilePixel(tex, TONE_NORMAL, off.x + x, off.y + y)) << x << "," << y;
            }
        }
    EXPECT_GT(shadow, 100);
    EXPECT_GT(face_, 100);
}

TEST_F(ShadowButton, FaceSitsAtOriginUpAndSixPixelsInDown) {
    Face face("OKButton");
    SendMessageA(ok, BM_SETSTATE, 1, 0);
    std::vector<COLORREF> down = Snapshot(ok);
    RECT cr;
    GetClientRect(ok, &cr);
    for (int y = 0; y < face.h; y++)
        for (int x = 0; x < face.w; x++) {
            if (face.index(x, y) == 0) {
                ASSERT_EQ(down[size_t(y + 6) * cr.right + x + 6], RGB(0, 0, 0)) << x << "," << y;
            }
        }
    EXPECT_EQ(Object<MyShadowButtonCtl>(ok)->nDepth, 2);
}

TEST_F(ShadowButton, PressAndReleaseStepThroughTheirDepthsAtLeastSixtyMillisecondsApart) {
    gButtonProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(ok, GWLP_WNDPROC, LONG_PTR(RecordDepths)));
    gDepths.clear();
    Mouse(ok, WM_LBUTTONDOWN, 20, 15);
    Mouse(ok, WM_MOUSEMOVE, 200, 15);  // out: release animation
    Mouse(ok, WM_MOUSEMOVE, 20, 15);   // back in: press animation
    Mouse(ok, WM_LBUTTONUP, 20, 15);
    DWORD clickTick = GetTickCount();
    const int want[] = {8, 6, 4, 2, 2, 5, 8, 8, 6, 4, 2, 8};
    ASSERT_EQ(gDepths.size(), sizeof want / sizeof *want);
    for (size_t i = 0; i < gDepths.size(); i++) EXPECT_EQ(gDepths[i].first, want[i]) << i;
    // At least the design's 60 ms after each step; no upper bound, which a
    // loaded machine would break.
    for (size_t i : {1u, 2u, 3u, 5u, 6u, 8u, 9u, 10u}) EXPECT_GE(gDepths[i].second - gDepths[i - 1].second, 60u) << i;
    ASSERT_EQ(Commands::seen.size(), 1u);  // after the face is back at depth 8
    EXPECT_EQ(LOWORD(Commands::seen[0].first), IDOK);
    EXPECT_GE(clickTick, gDepths.back().second);
}

TEST_F(ShadowButton, ADoubleClickIsTwoClicksEachAnimated) {
    gButtonProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(ok, GWLP_WNDPROC, LONG_PTR(RecordDepths)));
    gDepths.clear();
    Mouse(ok, WM_LBUTTONDOWN, 20, 15);
    Mouse(ok, WM_LBUTTONUP, 20, 15);
    Mouse(ok, WM_LBUTTONDBLCLK, 20, 15);
    Mouse(ok, WM_LBUTTONUP, 20, 15);
    const int want[] = {8, 6, 4, 2, 8, 8, 6, 4, 2, 8};  // down to 2 and back, twice
    ASSERT_EQ(gDepths.size(), sizeof want / sizeof *want);
    for (size_t i = 0; i < gDepths.size(); i++) EXPECT_EQ(gDepths[i].first, want[i]) << i;
    ASSERT_EQ(Commands::seen.size(), 2u);
    for (auto& c : Commands::seen) EXPECT_EQ(LOWORD(c.first), IDOK);
}

TEST_F(ShadowButton, ShadowIsBlackWithoutACarrier) {
    HWND plain = ShowDialog(host, DialogTemplate("plain", 150, 80, {{"OrbWeaveShadButt", "OKButton", 10, 10, 60,
                                                                      40, 1, WS_CHILD | WS_VISIBLE}}));
    HWND button = GetDlgItem(plain, 1);
    Face face("OKButton");
    std::vector<COLORREF> px = Snapshot(button);
    int black = 0;
    for (int y = 0; y < face.h + 8; y++)
        for (int x = 0; x < face.w + 8; x++)
            if (!face.opaque(x, y) && face.opaque(x - 8, y - 8)) {
                EXPECT_EQ(px[size_t(y) * (face.w + 8) + x], RGB(0, 0, 0)) << x << "," << y;
                black++;
            }
    EXPECT_GT(black, 100);
    DestroyWindow(plain);
}

}  // namespace
