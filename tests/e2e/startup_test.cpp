// The program as a user meets it: started under Wine, driven with the mouse.
#include <gtest/gtest.h>

#include <string>

#include "drive.h"
#include "scratch.h"

namespace {

class Startup : public ::testing::Test {
protected:
    // Goes after the program run from it has been ended (TearDown), pass or fail.
    ScratchDir scratch{"owstart"};
    Launched setup;
    void TearDown() override { Kill(&setup); }
};

TEST_F(Startup, WelcomeCentredOverFullScreenWindowAndExitEndsCleanly) {
    ASSERT_TRUE(Launch(OW_SETUP_EXE, "", &setup));
    HWND welcome = WaitForWindow("Welcome!", kPatience, setup.pid);
    ASSERT_TRUE(welcome);
    HWND main = FindTopWindow("Orb Weave 2.0 Setup", setup.pid);
    ASSERT_TRUE(main);

    int sx = GetSystemMetrics(SM_CXSCREEN), sy = GetSystemMetrics(SM_CYSCREEN);
    RECT rc;
    GetWindowRect(main, &rc);
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.top, 0);
    EXPECT_EQ(rc.right, sx);
    EXPECT_EQ(rc.bottom, sy);  // not Windows 95: no room left for the taskbar

    GetWindowRect(welcome, &rc);
    EXPECT_EQ(rc.left, (sx - (rc.right - rc.left)) / 2);
    EXPECT_EQ(rc.top, (sy - (rc.bottom - rc.top)) / 2);
    EXPECT_EQ(GetParent(welcome), main);  // owned by the main window

    ASSERT_TRUE(ClickItem(welcome, IDCANCEL));
    EXPECT_EQ(WaitExit(setup, kPatience), 0u);
}

TEST_F(Startup, OnWindows95TheMainWindowLeavesRoomForTheTaskbar) {
    // The test bed runs a program named ow_win95.exe as Windows 95.
    std::string copy = scratch / "ow_win95.exe";
    ASSERT_TRUE(CopyFileA(WindowsPath(OW_SETUP_EXE).c_str(), copy.c_str(), FALSE));
    ASSERT_TRUE(Launch(copy, "", &setup));
    HWND welcome = WaitForWindow("Welcome!", kPatience, setup.pid);
    ASSERT_TRUE(welcome);
    RECT rc;
    GetWindowRect(FindTopWindow("Orb Weave 2.0 Setup", setup.pid), &rc);
    EXPECT_EQ(rc.bottom, GetSystemMetrics(SM_CYSCREEN) - GetSystemMetrics(SM_CYICON));
    ASSERT_TRUE(ClickItem(welcome, IDCANCEL));
    EXPECT_EQ(WaitExit(setup, kPatience), 0u);
}

}  // namespace
