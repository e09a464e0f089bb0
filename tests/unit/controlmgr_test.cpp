#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "../../controls/core/control.h"
#include "../../controls/core/controlmgr.h"

namespace {

MyControlCtl* AllocA(char*) { return nullptr; }
MyControlCtl* AllocB(char*) { return nullptr; }
MyControlCtl* AllocC(char*) { return nullptr; }
MyControlCtl* AllocD(char*) { return nullptr; }

TEST(ControlMgr, ClearedSlotIsReused) {
    MyControlMgr mgr;
    ASSERT_EQ(mgr.AddAllocator(AllocA), 1);
    ASSERT_EQ(mgr.AddAllocator(AllocB), 1);
    ASSERT_EQ(mgr.AddAllocator(AllocC), 1);
    EXPECT_EQ(mgr.DelAllocator(AllocB), 1);
    EXPECT_EQ(mgr.pAllocators[1], nullptr);
    EXPECT_EQ(mgr.AddAllocator(AllocD), 1);
    EXPECT_EQ(mgr.nAllocators, 3);
    EXPECT_EQ(mgr.pAllocators[0], AllocA);
    EXPECT_EQ(mgr.pAllocators[1], AllocD);
    EXPECT_EQ(mgr.pAllocators[2], AllocC);
}

TEST(ControlMgr, DuplicateAllocatorTakesTwoSlotsAndDeletesFirst) {
    MyControlMgr mgr;
    mgr.AddAllocator(AllocA);
    mgr.AddAllocator(AllocA);
    EXPECT_EQ(mgr.nAllocators, 2);
    EXPECT_EQ(mgr.DelAllocator(AllocA), 1);
    EXPECT_EQ(mgr.pAllocators[0], nullptr);
    EXPECT_EQ(mgr.pAllocators[1], AllocA);
}

TEST(ControlMgr, DelAllocatorFailsWhenAbsent) {
    MyControlMgr mgr;
    EXPECT_EQ(mgr.DelAllocator(AllocA), 0);
    mgr.AddAllocator(AllocA);
    EXPECT_EQ(mgr.DelAllocator(AllocB), 0);
    EXPECT_EQ(mgr.nAllocators, 1);
}

TEST(ControlMgr, AnsiBufferGrowsToLongestTextAndIsReused) {
    MyControlMgr mgr;
    std::string longText(300, 'a');
    char* first = mgr.AnsiFromOem(&longText[0]);
    EXPECT_EQ(mgr.cbAnsiBuffer, 300);
    EXPECT_EQ(first, mgr.pAnsiBuffer);
    EXPECT_EQ(std::string(first), longText);
    char shortText[] = "0123456789";
    char* second = mgr.AnsiFromOem(shortText);
    EXPECT_EQ(second, first);
    EXPECT_EQ(mgr.cbAnsiBuffer, 300);
    EXPECT_STREQ(second, "0123456789");
}

TEST(ControlMgr, OemTextIsConvertedToAnsi) {
    MyControlMgr mgr;
    char oem[] = "\x81\x9c";  // u with diaeresis, pound sign in code page 437
    EXPECT_STREQ(mgr.AnsiFromOem(oem), "\xfc\xa3");
    char* copy = mgr.AnsiFromOemMalloced(oem);
    ASSERT_NE(copy, nullptr);
    EXPECT_STREQ(copy, "\xfc\xa3");
    EXPECT_NE(copy, mgr.pAnsiBuffer);
    free(copy);
}

TEST(ControlMgr, DrawingObjectsAreCachedWithTheirColours) {
    MyControlMgr mgr;
    HPEN light = mgr.GetLightGreyPen();
    HPEN dark = mgr.GetDarkGreyPen();
    HPEN client = mgr.GetClientPen();
    HBRUSH brush = mgr.GetClientBrush();
    HFONT font = mgr.GetFont();
    ASSERT_TRUE(light && dark && client && brush && font);
    EXPECT_EQ(mgr.GetLightGreyPen(), light);
    EXPECT_EQ(mgr.GetDarkGreyPen(), dark);
    EXPECT_EQ(mgr.GetClientPen(), client);
    EXPECT_EQ(mgr.GetClientBrush(), brush);
    EXPECT_EQ(mgr.GetFont(), font);

    LOGPEN lp;
    ASSERT_TRUE(GetObjectA(light, sizeof lp, &lp));
    EXPECT_EQ(lp.lopnColor, RGB(192, 192, 192));
    ASSERT_TRUE(GetObjectA(dark, sizeof lp, &lp));
    EXPECT_EQ(lp.lopnColor, RGB(128, 128, 128));
    ASSERT_TRUE(GetObjectA(client, sizeof lp, &lp));
    EXPECT_EQ(lp.lopnColor, GetSysColor(COLOR_WINDOW));
    LOGBRUSH lb;
    ASSERT_TRUE(GetObjectA(brush, sizeof lb, &lb));
    EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_WINDOW));
    LOGFONTA lf;
    ASSERT_TRUE(GetObjectA(font, sizeof lf, &lf));
    EXPECT_EQ(lf.lfHeight, -10);
    EXPECT_STREQ(lf.lfFaceName, "Helv");
}

TEST(ControlMgr, WindowObjectBindingUsesPointerSizedSlot) {
    MyControlMgr mgr;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "OWBindingProbe";
    ASSERT_TRUE(RegisterClassA(&wc));
    HWND hwnd = CreateWindowA("OWBindingProbe", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              wc.hInstance, nullptr);
    ASSERT_TRUE(hwnd);
    EXPECT_EQ(mgr.GetWindowObject(hwnd), nullptr);
    // A pointer above 4 GB would lose its high half in a 32-bit slot.
    auto fake = reinterpret_cast<MyControlCtl*>(static_cast<uintptr_t>(0x123456789ABCull & UINTPTR_MAX));
    mgr.SetWindowObject(hwnd, fake);
    EXPECT_EQ(mgr.GetWindowObject(hwnd), fake);
    mgr.SetWindowObject(hwnd, nullptr);
    EXPECT_EQ(mgr.Allocate(hwnd), nullptr);  // no allocator knows this class
    DestroyWindow(hwnd);
    UnregisterClassA("OWBindingProbe", wc.hInstance);
}

MyControlCtl* gSeen = reinterpret_cast<MyControlCtl*>(0x10);
std::string gAskedFor;
MyControlCtl* Recording(char* name) {
    gAskedFor = name;
    return nullptr;
}
MyControlCtl* Accepting(char* name) { return lstrcmpiA(name, "OWAllocProbe") ? nullptr : gSeen; }

TEST(ControlMgr, AllocateAsksListedAllocatorsInSlotOrder) {
    MyControlMgr mgr;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "OWAllocProbe";
    ASSERT_TRUE(RegisterClassA(&wc));
    HWND hwnd = CreateWindowA("OWAllocProbe", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              wc.hInstance, nullptr);
    ASSERT_TRUE(hwnd);
    mgr.AddAllocator(Recording);
    mgr.AddAllocator(AllocA);
    mgr.DelAllocator(AllocA);  // a cleared slot is skipped
    mgr.AddAllocator(Accepting);
    EXPECT_EQ(mgr.Allocate(hwnd), gSeen);
    EXPECT_EQ(gAskedFor, "OWAllocProbe");
    DestroyWindow(hwnd);
    UnregisterClassA("OWAllocProbe", wc.hInstance);
}

// The animations' waits: a wait that starts just before the tick count
// wraps ends on time, not at the next wrap.
TEST(TicksPassed, CountsTheDifferenceAcrossTheWrap) {
    const struct {
        DWORD start, now, ms;
        bool passed;
    } cases[] = {
        {1000, 1000, 20, false},           {1000, 1019, 20, false},      {1000, 1020, 20, true},
        {0xFFFFFFF0u, 0xFFFFFFFFu, 20, false}, {0xFFFFFFF0u, 3, 20, false}, {0xFFFFFFF0u, 4, 20, true},
        {0xFFFFFFE0u, 5, 20, true},  // the count stepped over the end just before the wrap
    };
    for (auto& c : cases) EXPECT_EQ(TicksPassed(c.start, c.now, c.ms), c.passed) << c.start << " " << c.now;
}

}  // namespace
