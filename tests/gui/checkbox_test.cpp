// The check box: toggling, the timed tick animation, the private messages and
// the label forms, under input delivered through the queue.
#include "host.h"

namespace {

// Frames as they reach the screen, with the time of each paint.
struct Paint {
    int frame, animating;
    DWORD tick;
};
std::vector<Paint> gPaints;
std::vector<DWORD> gCommandTicks;
WNDPROC gBoxProc;

LRESULT CALLBACK RecordPaints(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT r = CallWindowProcA(gBoxProc, hwnd, msg, wParam, lParam);
    if (msg == WM_PAINT) {
        auto* box = static_cast<MyCheckBoxCtl*>(ControlMgr->GetWindowObject(hwnd));
        gPaints.push_back({box->nFrame, box->fAnimating, GetTickCount()});
    }
    return r;
}

LRESULT CALLBACK RecordCommandTimes(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) gCommandTicks.push_back(GetTickCount());
    return Commands::Proc(hwnd, msg, wParam, lParam);
}

class CheckBox : public Host {
protected:
    HWND box = nullptr;
    void SetUp() override {
        Host::SetUp();
        box = Child("OrbWeaveCheckBox", " Windows 95", 10, 10, 220, 24, 2003);
        gBoxProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(box, GWLP_WNDPROC, LONG_PTR(RecordPaints)));
        SetWindowLongPtrA(host, GWLP_WNDPROC, LONG_PTR(RecordCommandTimes));
        gPaints.clear();
        gCommandTicks.clear();
    }
    MyCheckBoxCtl* Ctl() { return Object<MyCheckBoxCtl>(box); }
    void Click(UINT msg = WM_LBUTTONDOWN) { Mouse(box, msg, 12, 12); }
    int RedInBox() {
        std::vector<COLORREF> px = Snapshot(box);
        int red = 0;
        for (int y = 4; y < 20; y++)
            for (int x = 4; x < 34; x++) {
                COLORREF c = px[size_t(y) * 220 + x];
                red += GetRValue(c) > 150 && GetGValue(c) < 100;
            }
        return red;
    }
};

TEST_F(CheckBox, CheckingAnimatesFramesAtLeastNinetyMillisecondsApartThenNotifies) {
    EXPECT_EQ(RedInBox(), 0);
    Click();
    ASSERT_EQ(gPaints.size(), 5u);
    for (int i = 0; i < 5; i++) {
        EXPECT_EQ(gPaints[i].frame, i + 1);
        EXPECT_EQ(gPaints[i].animating, 1);
    }
    // At least the design's 90 ms between frames (the tick counts in steps);
    // a loaded machine may take longer, so there is no upper bound.
    for (int i = 1; i < 5; i++) EXPECT_GE(gPaints[i].tick - gPaints[i - 1].tick, 85u) << i;
    EXPECT_GE(gPaints[4].tick - gPaints[0].tick, 4 * 90u - 10);
    ASSERT_EQ(Commands::seen.size(), 1u);
    EXPECT_EQ(Commands::seen[0].first, MAKEWPARAM(2003, 0));
    EXPECT_EQ(Commands::seen[0].second, 0);
    EXPECT_GE(gCommandTicks[0], gPaints[4].tick);  // after the animation
    EXPECT_EQ(SendMessageA(box, CKM_GETSTATE, 0, 0), 1);
    EXPECT_GT(RedInBox(), 20);
}

// A tick animated while its dialog owes a paint (it was covered while nothing
// was pumped): the dialog's paint wipes the box and its label, and the
// animation puts back all of it, not the tick alone.
TEST_F(CheckBox, ATickAnimatedWhileItsDialogOwesAPaintKeepsItsLabel) {
    HWND dlg = ShowDialog(host, "Platform");
    HWND win95 = GetDlgItem(dlg, 2003);
    SendMessageA(win95, CKM_SETSTATE, 1, 0);
    Pump();
    std::vector<COLORREF> checked = Snapshot(win95);
    SendMessageA(win95, CKM_SETSTATE, 0, 0);
    Pump();
    RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    Object<MyCheckBoxCtl>(win95)->SetState(1, 0, 1);
    Pump();
    EXPECT_EQ(Snapshot(win95), checked);
    DestroyWindow(dlg);
}

TEST_F(CheckBox, UncheckingRemovesTheTickAtOnceAndNotifies) {
    SendMessageA(box, CKM_SETSTATE, 1, 0);
    gPaints.clear();
    Click();
    ASSERT_EQ(gPaints.size(), 1u);
    EXPECT_EQ(gPaints[0].frame, 0);
    EXPECT_EQ(Commands::seen.size(), 1u);
    EXPECT_EQ(SendMessageA(box, CKM_GETSTATE, 0, 0), 0);
    EXPECT_EQ(RedInBox(), 0);
}

TEST_F(CheckBox, DoubleClickTogglesOnce) {
    Click(WM_LBUTTONDOWN);
    Click(WM_LBUTTONUP);
    Click(WM_LBUTTONDBLCLK);
    Click(WM_LBUTTONUP);
    EXPECT_EQ(SendMessageA(box, CKM_GETSTATE, 0, 0), 1);
    EXPECT_EQ(Commands::seen.size(), 1u);
}

TEST_F(CheckBox, SetStateStoresAnyValueReturnsThePreviousAndStaysQuiet) {
    EXPECT_EQ(SendMessageA(box, CKM_SETSTATE, 2, 0), 0);
    EXPECT_EQ(SendMessageA(box, CKM_GETSTATE, 0, 0), 2);
    EXPECT_EQ(Ctl()->nFrame, 5);
    ASSERT_EQ(gPaints.size(), 1u);  // no animation
    EXPECT_TRUE(Commands::seen.empty());
    EXPECT_GT(RedInBox(), 20);
    EXPECT_EQ(SendMessageA(box, CKM_SETSTATE, 0, 0), 2);
    SendMessageA(box, CKM_SETSTATE, 2, 0);
    Click();
    EXPECT_EQ(SendMessageA(box, CKM_GETSTATE, 0, 0), 0);
}

TEST_F(CheckBox, DisabledBoxIgnoresClicksAndLooksTheSame) {
    std::vector<COLORREF> before = Snapshot(box);
    EnableWindow(box, FALSE);
    EXPECT_EQ(Ctl()->fEnabled, 0);
    SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 12));
    EXPECT_EQ(SendMessageA(box, CKM_GETSTATE, 0, 0), 0);
    EXPECT_TRUE(Commands::seen.empty());
    EXPECT_EQ(Snapshot(box), before);
}

// Frame 5 of the tick strip lies with its corner at (4, m - 11): every pixel
// of the tick where the strip has it, and the box beneath where it is white.
TEST_F(CheckBox, TheTickLiesOverTheBoxWhereTheStripPutsIt) {
    std::vector<COLORREF> bare = Snapshot(box);
    SendMessageA(box, CKM_SETSTATE, 1, 0);
    Pump();
    std::vector<COLORREF> ticked = Snapshot(box);
    HBITMAP strip = LoadBitmapA(ghInst, "CheckBox");
    ASSERT_NE(strip, nullptr);
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, strip);
    const int m = 24 / 2, left = 4, top = m - 11;
    int tick = 0, overBox = 0;
    for (int y = 0; y < 22; y++)
        for (int x = 0; x < 30; x++) {
            COLORREF c = GetPixel(mem, 5 * 30 + x, y);
            size_t at = size_t(top + y) * 220 + size_t(left + x);
            if (c == RGB(255, 255, 255)) {
                ASSERT_EQ(ticked[at], bare[at]) << x << "," << y;
            } else {
                ASSERT_EQ(ticked[at], c) << x << "," << y;
                tick++;
                overBox += left + x >= 7 && left + x < 19 && top + y >= m - 6 && top + y < m + 6;
            }
        }
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(strip);
    EXPECT_GT(tick, 40);
    EXPECT_GT(overBox, 10);  // over the box, not only beside it
}

TEST_F(CheckBox, LabelFormsAndTheBoxOverWhatLiesBeneath) {
    char text[64];
    GetWindowTextA(box, text, sizeof text);
    EXPECT_STREQ(text, " Windows 95");  // leading blank kept
    EXPECT_EQ(Ctl()->fOutlined, 0);
    HWND outlined = Child("OrbWeaveCheckBox", "1,Label", 10, 50, 220, 24, 7);
    GetWindowTextA(outlined, text, sizeof text);
    EXPECT_STREQ(text, "Label");
    EXPECT_EQ(Object<MyCheckBoxCtl>(outlined)->fOutlined, 1);
    EXPECT_EQ(Pixel(box, 219, 0), kHostColour);  // the label is not erased behind
    EXPECT_EQ(Pixel(box, 7, 6), RGB(128, 128, 128));  // the box's dark outer edge
    EXPECT_EQ(Pixel(box, 12, 12), GetSysColor(COLOR_WINDOW));
}

}  // namespace
