// The alert dialog: its text, where it shows, how it ends, and the control
// classes it registers for its own duration.
#include "alert.h"
#include "alertwatch.h"
#include "host.h"

namespace {

class Alerts : public ::testing::Test {
protected:
    void SetUp() override { ghInst = GetModuleHandleA(nullptr); }
};

TEST_F(Alerts, TextIsShownInItem101AndOkEndsWithOne) {
    AlertWatch watch;
    EXPECT_EQ(ShowAlertStr("Cannot open \"a:\\vxfila32._bf\""), 1);
    auto seen = watch.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "Cannot open \"a:\\vxfila32._bf\"");
}

TEST_F(Alerts, WithoutAFocusWindowTheAlertHasNoOwnerAndIsCentred) {
    SetFocus(nullptr);
    AlertWatch watch;
    ShowAlertStr("no owner");
    auto seen = watch.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].owner, nullptr);
    const RECT& r = seen[0].rect;
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2);
}

// A thread that is not in front has no focus: the alert is then owned by the
// program's window in front (the progress dialog during the copy), not left
// unowned where a click on the background would bury it.
TEST_F(Alerts, WithoutAFocusTheAlertIsOwnedByTheProgramsDialogInFront) {
    HWND main = CreateWindowA("STATIC", "main", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr, ghInst,
                              nullptr);
    HWND status = CreateWindowA("STATIC", "status", WS_POPUP | WS_VISIBLE, 50, 50, 100, 80, main, nullptr, ghInst,
                                nullptr);
    SetActiveWindow(status);
    SetFocus(nullptr);
    ghMain = main;
    AlertWatch watch;
    ShowAlertStr("owned");
    auto seen = watch.Seen();
    ghMain = nullptr;
    DestroyWindow(main);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].owner, status);
}

TEST_F(Alerts, ClosingFromTheSystemMenuCountsAsOk) {
    AlertWatch watch(WM_CLOSE);
    EXPECT_EQ(ShowAlertStr("close me"), 1);
    auto seen = watch.Seen();
    EXPECT_EQ(seen.size(), 1u);
}

TEST_F(Alerts, UnknownNumbersShowAsSigned16BitBadErrors) {
    AlertWatch watch;
    ShowAlert(65534);
    ShowAlert(40000);
    ShowAlert(4321);
    ShowAlert(5700);
    auto seen = watch.Seen();
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].text, "Bad error (-2)");
    EXPECT_EQ(seen[1].text, "Bad error (-25536)");
    EXPECT_EQ(seen[2].text, "Bad error (4321)");
    EXPECT_EQ(seen[3].text, "Where is your paint program's plug-in directory?");
}

TEST_F(Alerts, NestedAlertLeavesTheControlsRegistered) {
    Init_Controls();
    {
        AlertWatch watch;
        ShowAlertStr("nested");
    }
    WNDCLASSA wc;
    EXPECT_TRUE(GetClassInfoA(ghInst, "OrbWeaveMText", &wc));
    Terminate_Controls();
    EXPECT_FALSE(GetClassInfoA(ghInst, "OrbWeaveMText", &wc));
}

}  // namespace
