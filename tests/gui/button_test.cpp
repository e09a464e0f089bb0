// The bitmap button: size and place from its picture, transparency, and the
// push-button behaviour under mouse input delivered through the queue.
#include "host.h"

namespace {

class Button : public Host {
protected:
    HWND button = nullptr;
    std::vector<COLORREF> rest, pressed;

    void SetUp() override {
        Host::SetUp();
        button = Child("OrbWeaveMyButt", "Alert", 20, 30, 100, 50, 55);
        rest = Snapshot(button);
        SendMessageA(button, BM_SETSTATE, 1, 0);
        pressed = Snapshot(button);
        SendMessageA(button, BM_SETSTATE, 0, 0);
        Commands::seen.clear();
    }
    MyButtonCtl* Ctl() { return Object<MyButtonCtl>(button); }
    void Click(UINT msg, int x, int y) { Mouse(button, msg, x, y); }
    WPARAM ExpectedW() { return MAKEWPARAM(55, 0); }
    LPARAM ExpectedL() { return LPARAM(LOWORD(reinterpret_cast<UINT_PTR>(button))); }
};

TEST_F(Button, TakesOneFrameCentredOnItsTemplatePlace) {
    RECT r = Placed(button);
    EXPECT_EQ(r.right - r.left, 80);
    EXPECT_EQ(r.bottom - r.top, 86);
    EXPECT_EQ(r.left, 30);  // 20 + (100 - 80) / 2
    EXPECT_EQ(r.top, 30);
    HWND bullet = Child("OrbWeaveMyButt", "bullet", 200, 10, 30, 30);
    r = Placed(bullet);
    EXPECT_EQ(r.right - r.left, 24);
    EXPECT_EQ(r.bottom - r.top, 24);
    EXPECT_EQ(r.left, 203);
    EXPECT_EQ(Pixel(bullet, 0, 0), kHostColour);  // magenta corner shows the host
}

TEST_F(Button, MagentaShowsWhatLiesBeneathAndFramesDiffer) {
    EXPECT_EQ(rest[0], kHostColour);
    EXPECT_EQ(rest[80 * 86 - 1], kHostColour);
    int opaque = 0;
    for (COLORREF c : rest) opaque += c != kHostColour;
    EXPECT_GT(opaque, 80 * 86 / 4);
    EXPECT_NE(rest, pressed);
}

TEST_F(Button, ClickWithExcursionNotifiesOnceAtRelease) {
    Click(WM_LBUTTONDOWN, 40, 40);
    EXPECT_EQ(GetCapture(), button);
    EXPECT_EQ(Ctl()->nState, BTN_TRACKING);
    EXPECT_EQ(Snapshot(button), pressed);
    Click(WM_MOUSEMOVE, -5, 40);  // captured: the point is outside, to the left
    EXPECT_EQ(Ctl()->nState, BTN_TRACKING | BTN_OUTSIDE);
    EXPECT_EQ(Snapshot(button), rest);
    Click(WM_MOUSEMOVE, 40, 40);
    EXPECT_EQ(Snapshot(button), pressed);
    EXPECT_TRUE(Commands::seen.empty());
    Click(WM_LBUTTONUP, 40, 40);
    ASSERT_EQ(Commands::seen.size(), 1u);
    EXPECT_EQ(Commands::seen[0].first, ExpectedW());
    EXPECT_EQ(Commands::seen[0].second, ExpectedL());
    EXPECT_EQ(Ctl()->nState, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Snapshot(button), rest);
}

TEST_F(Button, ReleaseOutsideSendsNothing) {
    Click(WM_LBUTTONDOWN, 40, 40);
    Click(WM_MOUSEMOVE, 100, 40);
    Click(WM_LBUTTONUP, 100, 40);
    EXPECT_TRUE(Commands::seen.empty());
    EXPECT_EQ(Ctl()->nState, 0);
    EXPECT_EQ(Snapshot(button), rest);
}

// A press the mouse is taken from, by another window or by the system
// (WM_CANCELMODE: Alt+Tab, another program's dialog): at rest at once, and
// the release that follows over the button is no click.
TEST_F(Button, APressThatLosesTheMouseEndsWithoutAClick) {
    HWND other = Child("STATIC", "", 200, 10, 20, 20, 56);
    for (bool cancelMode : {false, true}) {
        Click(WM_LBUTTONDOWN, 40, 40);
        ASSERT_EQ(Snapshot(button), pressed);
        if (cancelMode)
            SendMessageA(button, WM_CANCELMODE, 0, 0);
        else
            SetCapture(other);
        EXPECT_EQ(Ctl()->nState, 0) << cancelMode;
        EXPECT_EQ(Snapshot(button), rest) << cancelMode;
        EXPECT_NE(GetCapture(), button) << cancelMode;  // the button let the mouse go
        ReleaseCapture();
        Click(WM_LBUTTONUP, 40, 40);
        EXPECT_TRUE(Commands::seen.empty()) << cancelMode;
    }
}

// Out of GDI memory a sprite draws nothing: here its composition bitmap
// cannot be made for a move too far for one. Its face, selected where that
// bitmap would go, does not take the screen instead.
TEST_F(Button, ASpriteThatCannotComposeDrawsNothingAndKeepsItsFace) {
    Sprite* s = Ctl()->pSprite;
    auto face = [s] {
        BITMAP b;
        GetObjectA(s->hImage, sizeof b, &b);
        std::vector<BYTE> bits(size_t(b.bmWidthBytes) * b.bmHeight);
        GetBitmapBits(s->hImage, LONG(bits.size()), bits.data());
        return bits;
    };
    std::vector<BYTE> before = face();
    HDC dc = GetDC(button);
    EXPECT_EQ(s->Animate(dc, 0x4000000, 0, 0), 0);
    ReleaseDC(button, dc);
    EXPECT_EQ(face(), before);
    EXPECT_EQ(Snapshot(button), rest);
}

// A sprite whose mask could not be had draws nothing: the memory context's
// own one-pixel bitmap is no mask, and would black out what lies beneath.
TEST_F(Button, ASpriteWithoutItsMaskDrawsNothing) {
    Sprite s;
    char image[] = "Alert", mask[] = "NoSuchMask";
    s.Load(ghInst, image, mask, RGB(255, 0, 255), 2, nullptr);
    ASSERT_TRUE(s.hImage);
    ASSERT_FALSE(s.hMask);
    HDC dc = GetDC(button);
    EXPECT_EQ(s.Draw(dc, 0, 0, 0), 1);
    ReleaseDC(button, dc);
    EXPECT_EQ(Snapshot(button), rest);
}

TEST_F(Button, DoubleClickIsTwoClicks) {
    Click(WM_LBUTTONDOWN, 40, 40);
    Click(WM_LBUTTONUP, 40, 40);
    Click(WM_LBUTTONDBLCLK, 40, 40);
    Click(WM_LBUTTONUP, 40, 40);
    EXPECT_EQ(Commands::seen.size(), 2u);
}

TEST_F(Button, HeldStateIgnoresPressesUntilReleased) {
    EXPECT_EQ(SendMessageA(button, WM_GETDLGCODE, 0, 0), 0x2020);
    SendMessageA(button, BM_SETSTATE, 1, 0);
    EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0), 1);
    EXPECT_EQ(Snapshot(button), pressed);
    Click(WM_LBUTTONDOWN, 40, 40);
    EXPECT_EQ(GetCapture(), nullptr);
    Click(WM_LBUTTONUP, 40, 40);
    EXPECT_TRUE(Commands::seen.empty());
    SendMessageA(button, BM_SETSTATE, 0, 0);
    EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0), 0);
    EXPECT_EQ(Snapshot(button), rest);
}

TEST_F(Button, HeldDuringTrackingIsClearedByTheClick) {
    Click(WM_LBUTTONDOWN, 40, 40);
    SendMessageA(button, BM_SETSTATE, 1, 0);
    Click(WM_LBUTTONUP, 40, 40);
    EXPECT_EQ(Commands::seen.size(), 1u);
    EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0), 0);
}

TEST_F(Button, DisabledButtonIgnoresTheMouse) {
    EnableWindow(button, FALSE);
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 40));  // disabled windows get no input
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(40, 40));
    EXPECT_EQ(Ctl()->nState, 0);
    EXPECT_TRUE(Commands::seen.empty());
}

}  // namespace
