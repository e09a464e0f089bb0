// The control base: the shared window procedure's dispatch, the text splitter
// and the drawing helpers, on real windows and device contexts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "../../controls/controls.h"
#include "setup.h"

// From the Nth call on (counting from 0) the nothrow operator new fails, as
// the program's own does when memory runs out; -1 leaves it alone.
static int gFailNewAt = -1;

// Replaces the nothrow operator new of this test program.
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
    if (gFailNewAt >= 0 && gFailNewAt-- == 0) return nullptr;
    return malloc(n ? n : 1);
}

namespace {

// A control that records what reaches it.
struct ProbeCtl : MyControlCtl {
    static ProbeCtl* last;
    static bool destroyed;
    std::vector<std::string> calls;
    POINT lastPt = {};
    UINT lastKeys = 0;
    bool handlePaint = false;
    HWND createdWith = nullptr;

    ProbeCtl() { last = this; }
    ~ProbeCtl() override { destroyed = true; }
    int OnCreate(HWND hwnd, CREATESTRUCTA* cs) override {
        createdWith = cs->hwndParent;
        calls.push_back("create");
        return MyControlCtl::OnCreate(hwnd, cs);
    }
    void OnPaint(PAINTSTRUCT&) override { calls.push_back("paint"); }
    void Mouse(const char* what, UINT keys, POINT* pt) {
        calls.push_back(what);
        lastPt = *pt;
        lastKeys = keys;
    }
    void OnLButtonDown(UINT k, POINT* p) override { Mouse("ldown", k, p); }
    void OnLButtonUp(UINT k, POINT* p) override { Mouse("lup", k, p); }
    void OnLButtonDblClk(UINT k, POINT* p) override { Mouse("ldbl", k, p); }
    void OnRButtonDown(UINT k, POINT* p) override { Mouse("rdown", k, p); }
    void OnRButtonUp(UINT k, POINT* p) override { Mouse("rup", k, p); }
    void OnMouseMove(UINT k, POINT* p) override { Mouse("move", k, p); }
    int OnMessage(UINT msg, WPARAM, LPARAM, LRESULT* result) override {
        if (msg == WM_DESTROY) calls.push_back("destroy");
        if (msg == WM_PAINT && handlePaint) {
            *result = 42;
            return 1;
        }
        return 0;
    }
};
ProbeCtl* ProbeCtl::last = nullptr;
bool ProbeCtl::destroyed = false;

MyControlCtl* NewProbe(char* name) { return lstrcmpiA(name, "OWProbe") ? nullptr : new ProbeCtl; }

struct ProbeClass : MyControlClass {
    ~ProbeClass() override { UnregisterIfInit(); }
    int RegisterClassA() override { return RegisterControlClass(IDC_ARROW, NewProbe); }
    char* ClassName() override {
        static char name[] = "OWProbe";
        return name;
    }
};

class ControlBase : public ::testing::Test {
protected:
    ProbeClass probeClass;
    HWND parent = nullptr, hwnd = nullptr;
    ProbeCtl* probe = nullptr;

    void SetUp() override {
        ghInst = GetModuleHandleA(nullptr);
        Init_Controls();
        probeClass.Init(ghInst, nullptr);
        parent = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 50, 50, 200, 100, nullptr, nullptr, ghInst,
                               nullptr);
        ProbeCtl::destroyed = false;
        hwnd = CreateWindowA("OWProbe", "", WS_CHILD | WS_VISIBLE, 10, 10, 40, 30, parent, HMENU(77), ghInst,
                             nullptr);
        probe = ProbeCtl::last;
        MyYield();
    }
    void TearDown() override {
        DestroyWindow(parent);
        probeClass.Terminate(ghInst);
        Terminate_Controls();
    }
    // Delivers a message through the queue, as input arrives.
    void Post(UINT msg, WPARAM wParam, LPARAM lParam) {
        PostMessageA(hwnd, msg, wParam, lParam);
        MyYield();
    }
};

TEST_F(ControlBase, CreationBindsObjectAndCallsOnCreate) {
    ASSERT_TRUE(hwnd);
    ASSERT_EQ(ControlMgr->GetWindowObject(hwnd), probe);
    EXPECT_EQ(probe->hWnd, hwnd);
    EXPECT_EQ(probe->createdWith, parent);
    ASSERT_FALSE(probe->calls.empty());
    EXPECT_EQ(probe->calls[0], "create");
}

TEST_F(ControlBase, DestructionDeletesTheObject) {
    DestroyWindow(hwnd);
    EXPECT_TRUE(ProbeCtl::destroyed);
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(ControlBase, MouseMessagesReachTheirHandlersWithSignedPoints) {
    const struct {
        UINT msg;
        const char* call;
    } table[] = {{WM_LBUTTONDOWN, "ldown"}, {WM_LBUTTONUP, "lup"}, {WM_LBUTTONDBLCLK, "ldbl"},
                 {WM_RBUTTONDOWN, "rdown"}, {WM_RBUTTONUP, "rup"},  {WM_MOUSEMOVE, "move"}};
    for (auto& row : table) {
        probe->calls.clear();
        Post(row.msg, MK_LBUTTON, MAKELPARAM(0xFFFF, 0xFFFE));
        ASSERT_EQ(probe->calls.size(), 1u) << row.call;
        EXPECT_EQ(probe->calls[0], row.call);
        EXPECT_EQ(probe->lastPt.x, -1);  // the low word is a signed 16-bit value
        EXPECT_EQ(probe->lastPt.y, -2);
        EXPECT_EQ(probe->lastKeys, UINT(MK_LBUTTON));
    }
}

TEST_F(ControlBase, EraseWithoutOverrideReturnsZeroAndLeavesPixels) {
    HDC dc = GetDC(hwnd);
    RECT rc = {0, 0, 40, 30};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &rc, red);
    EXPECT_EQ(SendMessageA(hwnd, WM_ERASEBKGND, WPARAM(dc), 0), 0);
    EXPECT_EQ(GetPixel(dc, 20, 15), RGB(255, 0, 0));  // not the class's light grey
    DeleteObject(red);
    ReleaseDC(hwnd, dc);
}

TEST_F(ControlBase, OnMessageHandlingPaintSuppressesBeginPaintAndOnPaint) {
    probe->handlePaint = true;
    probe->calls.clear();
    InvalidateRect(hwnd, nullptr, FALSE);
    EXPECT_EQ(SendMessageA(hwnd, WM_PAINT, 0, 0), 42);
    EXPECT_TRUE(probe->calls.empty());
    EXPECT_TRUE(GetUpdateRect(hwnd, nullptr, FALSE));  // no BeginPaint validated it
    probe->handlePaint = false;
    probe->Repaint();
    ASSERT_EQ(probe->calls.size(), 1u);  // painted at once, without an erase
    EXPECT_EQ(probe->calls[0], "paint");
    EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE));
}

WNDPROC gStaticProc;
LRESULT CALLBACK RecordParentPaint(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK RecordParentPaint(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT && ProbeCtl::last) ProbeCtl::last->calls.push_back("parent paint");
    return CallWindowProcA(gStaticProc, h, msg, wParam, lParam);
}

// A parent that owes a paint (it was covered while nothing was pumped) paints
// over its children: it goes first, and the control is painted over it, once.
TEST_F(ControlBase, RepaintLetsTheParentPaintFirstThenPaintsTheControlOnce) {
    gStaticProc = WNDPROC(SetWindowLongPtrA(parent, GWLP_WNDPROC, LONG_PTR(RecordParentPaint)));
    InvalidateRect(parent, nullptr, FALSE);
    probe->calls.clear();
    probe->Repaint();
    EXPECT_EQ(probe->calls, (std::vector<std::string>{"parent paint", "paint"}));
    SetWindowLongPtrA(parent, GWLP_WNDPROC, LONG_PTR(gStaticProc));
}

TEST_F(ControlBase, EnableAndFocusKeepTheirArguments) {
    EnableWindow(hwnd, FALSE);
    EXPECT_EQ(probe->fEnabled, 0);
    EnableWindow(hwnd, TRUE);
    EXPECT_EQ(probe->fEnabled, 1);
    SendMessageA(hwnd, WM_SETFOCUS, WPARAM(parent), 0);
    EXPECT_EQ(probe->hFocusPeer, WPARAM(parent));
}

TEST_F(ControlBase, InMeExcludesRightAndBottomEdges) {
    POINT in = {39, 29}, right = {40, 0}, below = {0, 30}, left = {-1, 0};
    EXPECT_TRUE(probe->InMe(&in));
    EXPECT_FALSE(probe->InMe(&right));
    EXPECT_FALSE(probe->InMe(&below));
    EXPECT_FALSE(probe->InMe(&left));
}

LRESULT CALLBACK RecordCommand(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
WPARAM gCommandW;
LPARAM gCommandL;
LRESULT CALLBACK RecordCommand(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) {
        gCommandW = wParam;
        gCommandL = lParam;
        return 0;
    }
    return DefWindowProcA(h, msg, wParam, lParam);
}

TEST_F(ControlBase, SendNotifyPutsIdCodeAndValueInWmCommand) {
    SetWindowLongPtrA(parent, GWLP_WNDPROC, LONG_PTR(RecordCommand));
    probe->SendNotify(3, 0xBEEF);
    EXPECT_EQ(gCommandW, MAKEWPARAM(77, 3));
    EXPECT_EQ(gCommandL, LPARAM(0xBEEF));
}

TEST(ControlLibrary, AFailedAllocationRegistersNothingAndALaterStartWorks) {
    ghInst = GetModuleHandleA(nullptr);
    WNDCLASSA wc;
    for (int n = 0; n < 9; n++) {  // the manager, then each of the eight classes
        gFailNewAt = n;
        EXPECT_EQ(Init_Controls(), 0) << "allocation " << n;
        gFailNewAt = -1;
        EXPECT_EQ(ControlMgr, nullptr) << "allocation " << n;
        EXPECT_FALSE(GetClassInfoA(ghInst, "OrbWeaveMyButt", &wc)) << "allocation " << n;
    }
    EXPECT_EQ(Init_Controls(), 1);
    EXPECT_TRUE(GetClassInfoA(ghInst, "OrbWeaveCheckBox", &wc));
    Terminate_Controls();
    EXPECT_FALSE(GetClassInfoA(ghInst, "OrbWeaveCheckBox", &wc));
}

// A 32-bit memory surface whose pixels read back exactly.
struct Surface {
    HDC dc;
    HBITMAP bmp;
    HGDIOBJ old;
    Surface(int w, int h, COLORREF fill) {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits;
        dc = CreateCompatibleDC(nullptr);
        bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = SelectObject(dc, bmp);
        RECT rc = {0, 0, w, h};
        HBRUSH b = CreateSolidBrush(fill);
        FillRect(dc, &rc, b);
        DeleteObject(b);
    }
    ~Surface() {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
};

TEST_F(ControlBase, Ctl3dBoxDrawsSunkenEdgesAndFillsInside) {
    Surface s(10, 10, RGB(0, 0, 255));
    HGDIOBJ pen = GetCurrentObject(s.dc, OBJ_PEN);
    probe->Ctl3dBox(s.dc, RECT{0, 0, 9, 9}, HBRUSH(GetStockObject(LTGRAY_BRUSH)));
    EXPECT_EQ(GetCurrentObject(s.dc, OBJ_PEN), pen);  // the caller's pen is back
    // D dark grey, K black, L light grey, W white, F the brush (light grey too).
    const char* expected[10] = {"DDDDDDDDDW", "DKKKKKKKLW", "DKFFFFFFLW", "DKFFFFFFLW", "DKFFFFFFLW",
                                "DKFFFFFFLW", "DKFFFFFFLW", "DKFFFFFFLW", "DLLLLLLLLW", "WWWWWWWWWW"};
    for (int y = 0; y < 10; y++)
        for (int x = 0; x < 10; x++) {
            COLORREF want = 0;
            switch (expected[y][x]) {
            case 'D': want = RGB(128, 128, 128); break;
            case 'K': want = RGB(0, 0, 0); break;
            case 'L': case 'F': want = RGB(192, 192, 192); break;
            case 'W': want = RGB(255, 255, 255); break;
            }
            EXPECT_EQ(GetPixel(s.dc, x, y), want) << x << "," << y;
        }
}

TEST_F(ControlBase, Ctl3dBoxWithoutBrushLeavesInside) {
    Surface s(10, 10, RGB(0, 0, 255));
    probe->Ctl3dBox(s.dc, RECT{0, 0, 9, 9}, nullptr);
    EXPECT_EQ(GetPixel(s.dc, 4, 4), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(s.dc, 1, 1), RGB(0, 0, 0));
}

// Pixels of a text drawn plainly at (x, y) on white.
std::vector<bool> Glyphs(const char* text, int x, int y) {
    Surface s(40, 30, RGB(255, 255, 255));
    SelectObject(s.dc, ControlMgr->GetFont());
    SetBkMode(s.dc, TRANSPARENT);
    TextOutA(s.dc, x, y, text, lstrlenA(text));
    std::vector<bool> on;
    for (int j = 0; j < 30; j++)
        for (int i = 0; i < 40; i++) on.push_back(GetPixel(s.dc, i, j) != RGB(255, 255, 255));
    return on;
}

TEST_F(ControlBase, OutlineTextDrawsFourOffsetsThenTheTextOnTop) {
    char text[] = "Il";
    Surface s(40, 30, RGB(255, 255, 255));
    HGDIOBJ oldFont = SelectObject(s.dc, ControlMgr->GetFont());
    SetBkMode(s.dc, TRANSPARENT);
    SetTextColor(s.dc, RGB(1, 2, 3));
    MyControlCtl::OutlineText(s.dc, 10, 8, text, RGB(255, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetTextColor(s.dc), RGB(1, 2, 3));  // restored
    SelectObject(s.dc, oldFont);

    std::vector<bool> centre = Glyphs(text, 10, 8);
    std::vector<bool> around[4] = {Glyphs(text, 9, 8), Glyphs(text, 11, 8), Glyphs(text, 10, 7), Glyphs(text, 10, 9)};
    int blue = 0, red = 0;
    for (int j = 0; j < 30; j++)
        for (int i = 0; i < 40; i++) {
            size_t k = size_t(j) * 40 + i;
            bool outline = around[0][k] || around[1][k] || around[2][k] || around[3][k];
            COLORREF want = centre[k] ? RGB(0, 0, 255) : outline ? RGB(255, 0, 0) : RGB(255, 255, 255);
            EXPECT_EQ(GetPixel(s.dc, i, j), want) << i << "," << j;
            blue += centre[k];
            red += !centre[k] && outline;
        }
    EXPECT_GT(blue, 10);
    EXPECT_GT(red, blue);
}

TEST_F(ControlBase, GetTextWidthMeasuresTheConvertedText) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, ControlMgr->GetFont());
    char text[] = "50%";
    SIZE size;
    GetTextExtentPointA(dc, "50", 2, &size);
    EXPECT_EQ(probe->GetTextWidth(dc, text, 2), size.cx);
    EXPECT_GT(size.cx, 0);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
}

TEST(KillObject, DeletesAndClears) {
    HGDIOBJ pen = CreatePen(PS_SOLID, 0, 0);
    MyControlCtl::KillObject(&pen);
    EXPECT_EQ(pen, nullptr);
    MyControlCtl::KillObject(&pen);  // null stays null
    HICON icon = CopyIcon(LoadIconA(nullptr, IDI_APPLICATION));
    MyControlCtl::KillIcon(&icon);
    EXPECT_EQ(icon, nullptr);
}

}  // namespace
