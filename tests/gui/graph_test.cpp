// The progress graph: clamping and geometry, then whole paints compared pixel
// by pixel with the bar and inverse-video label they must show.
#include "host.h"

namespace {

class Graph : public Host {
protected:
    static const int W = 187, H = 24;
    HWND graph = nullptr;
    void SetUp() override {
        Host::SetUp();
        graph = Child("OrbWeaveGraph", "Title", 10, 10, W, H, 102);
    }
    int Send(UINT msg, WPARAM w, LPARAM l) { return int(SendMessageA(graph, msg, w, l)); }

    // What the graph must show: sunken box, dark part up to x, client colour
    // after it, and the label XORed in at the place "50%" would take.
    std::vector<COLORREF> Expected(int x, const char* label) {
        HDC mem = CreateCompatibleDC(nullptr);
        HBITMAP mono = CreateBitmap(W, H, 1, 1, nullptr);
        HGDIOBJ oldBmp = SelectObject(mem, mono);
        PatBlt(mem, 0, 0, W, H, BLACKNESS);
        HGDIOBJ oldFont = SelectObject(mem, ControlMgr->GetFont());
        SIZE sample;
        GetTextExtentPointA(mem, "50%", 3, &sample);
        SetBkMode(mem, TRANSPARENT);
        SetTextColor(mem, RGB(255, 255, 255));
        TextOutA(mem, (W - 1 - sample.cx) / 2, (H - 1 - 10) / 2, label, lstrlenA(label));
        COLORREF window = GetSysColor(COLOR_WINDOW);
        std::vector<COLORREF> out;
        for (int yy = 0; yy < H; yy++)
            for (int xx = 0; xx < W; xx++) {
                COLORREF c;
                if ((xx == 0 && yy < H - 1) || (yy == 0 && xx < W - 1)) c = RGB(128, 128, 128);
                else if (xx == W - 1 || yy == H - 1) c = RGB(255, 255, 255);
                else if ((xx == 1 && yy < H - 2) || (yy == 1 && xx < W - 2)) c = RGB(0, 0, 0);
                else if (xx == W - 2 || yy == H - 2) c = RGB(192, 192, 192);
                else c = xx < x ? RGB(64, 64, 64) : window;
                if (GetPixel(mem, xx, yy) == RGB(255, 255, 255)) c ^= 0xFFFFFF;
                out.push_back(c);
            }
        SelectObject(mem, oldFont);
        SelectObject(mem, oldBmp);
        DeleteObject(mono);
        DeleteDC(mem);
        return out;
    }
};

TEST_F(Graph, FreshGraphShowsHalfAndFiftyPercent) {
    EXPECT_EQ(Send(GRM_GETPOS, 0, 0), 50);
    EXPECT_EQ(Snapshot(graph), Expected(Object<MyGraphCtl>(graph)->PosToScreen(), "50%"));
    EXPECT_EQ(Object<MyGraphCtl>(graph)->PosToScreen(), 94);  // MulDiv(50, 183, 100) + 2, 91.5 rounded up
}

TEST_F(Graph, PositionsClampAndLabelsStartWhereFiftyPercentWould) {
    Send(GRM_SETRANGE, 0, 0x00640000);
    EXPECT_EQ(Send(GRM_SETPOS, 1, -5), 1);
    EXPECT_EQ(Send(GRM_GETPOS, 0, 0), 0);
    EXPECT_EQ(Snapshot(graph), Expected(2, "0%"));
    Send(GRM_SETPOS, 1, 250);
    EXPECT_EQ(Send(GRM_GETPOS, 0, 0), 100);
    EXPECT_EQ(Snapshot(graph), Expected(W - 2, "100%"));  // light label over the dark bar
    Send(GRM_SETPOS, 1, 5);
    EXPECT_EQ(Snapshot(graph), Expected(PositionToX(5, 0, 100, W), "5%"));
}

TEST_F(Graph, RangeDoesNotMoveThePositionAndHalvesAreUnsigned) {
    Send(GRM_SETRANGE, 1, MAKELPARAM(0, 10));
    EXPECT_EQ(Send(GRM_GETPOS, 0, 0), 50);
    Send(GRM_SETRANGE, 0, MAKELPARAM(0x8000, 0x9000));
    EXPECT_EQ(Object<MyGraphCtl>(graph)->nMinimum, 0x8000);
    EXPECT_EQ(Object<MyGraphCtl>(graph)->nMaximum, 0x9000);
    Send(GRM_SETPOS, 0, 0x8800);
    EXPECT_EQ(Send(GRM_GETPOS, 0, 0), 0x8800);
}

// A range moved past the position keeps the position, but the bar stays in
// its box: drawn at the range's end, or its start.
TEST_F(Graph, APositionOutsideANewRangeIsDrawnAtItsEnd) {
    Send(GRM_SETRANGE, 1, MAKELPARAM(0, 10));
    EXPECT_EQ(Snapshot(graph), Expected(W - 2, "100%"));
    Send(GRM_SETRANGE, 1, MAKELPARAM(60, 100));
    EXPECT_EQ(Snapshot(graph), Expected(2, "0%"));
}

// Covered and uncovered while nothing was pumped (a file being expanded),
// the progress dialog owes a paint when the bar moves: its texture and frame
// are drawn first, the bar over them.
TEST_F(Graph, ABarMovedWhileItsDialogOwesAPaintStaysDrawn) {
    HWND dlg = ShowDialog(host, "Installing");
    HWND bar = GetDlgItem(dlg, 102);
    SendMessageA(bar, GRM_SETPOS, 1, 80);
    Pump();
    std::vector<COLORREF> drawn = Snapshot(bar);
    SendMessageA(bar, GRM_SETPOS, 1, 20);
    RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    SendMessageA(bar, GRM_SETPOS, 1, 80);
    Pump();
    EXPECT_EQ(Snapshot(bar), drawn);
    DestroyWindow(dlg);
}

TEST_F(Graph, WithoutRepaintFlagTheNewValueShowsAtTheNextPaint) {
    std::vector<COLORREF> before = Snapshot(graph);
    Send(GRM_SETPOS, 0, 10);
    EXPECT_FALSE(GetUpdateRect(graph, nullptr, FALSE));
    EXPECT_EQ(Snapshot(graph), before);
    InvalidateRect(graph, nullptr, FALSE);
    Pump();
    EXPECT_EQ(Snapshot(graph), Expected(PositionToX(10, 0, 100, W), "10%"));
}

TEST_F(Graph, EmptyRangeDrawsAnEmptyBarAndZeroPercent) {
    Send(GRM_SETRANGE, 0, MAKELPARAM(7, 7));
    Send(GRM_SETPOS, 1, 7);
    EXPECT_EQ(Snapshot(graph), Expected(2, "0%"));
}

}  // namespace
