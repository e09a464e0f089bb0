#include <gtest/gtest.h>

#include "../../controls/controls.h"
#include "setup.h"

namespace {

const char* const kClasses[] = {"OrbWeaveMyButt",   "OrbWeaveTexDlg", "OrbWeaveShadButt",
                                "OrbWeaveText",     "OrbWeaveMText",  "OrbWeaveFrame",
                                "OrbWeaveCheckBox", "OrbWeaveGraph"};

bool Registered(const char* name) {
    WNDCLASSA wc;
    return GetClassInfoA(GetModuleHandleA(nullptr), name, &wc) != 0;
}

class Registry : public ::testing::Test {
protected:
    void SetUp() override { ghInst = GetModuleHandleA(nullptr); }
};

TEST_F(Registry, NestedInitRegistersOnceAndOuterTerminateUnregisters) {
    ASSERT_EQ(Init_Controls(), 1);
    MyControlMgr* mgr = ControlMgr;
    MyGraphClass* graph = MyGraph;
    ASSERT_NE(mgr, nullptr);
    for (const char* name : kClasses) EXPECT_TRUE(Registered(name)) << name;

    ASSERT_EQ(Init_Controls(), 1);
    EXPECT_EQ(ControlMgr, mgr);
    EXPECT_EQ(MyGraph, graph);
    EXPECT_EQ(MyGraph->nInit, 1);  // not registered a second time

    ASSERT_EQ(Terminate_Controls(), 1);
    EXPECT_EQ(ControlMgr, mgr);
    for (const char* name : kClasses) EXPECT_TRUE(Registered(name)) << name;

    ASSERT_EQ(Terminate_Controls(), 1);
    EXPECT_EQ(ControlMgr, nullptr);
    EXPECT_EQ(MyButton, nullptr);
    EXPECT_EQ(MyCheckBox, nullptr);
    for (const char* name : kClasses) EXPECT_FALSE(Registered(name)) << name;
}

TEST_F(Registry, ClassesShareTheControlProcedureAndPointerSlot) {
    Init_Controls();
    for (const char* name : kClasses) {
        WNDCLASSA wc;
        ASSERT_TRUE(GetClassInfoA(ghInst, name, &wc)) << name;
        EXPECT_EQ(wc.style, UINT(CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW)) << name;
        EXPECT_EQ(wc.lpfnWndProc, MyControlWndProc) << name;
        EXPECT_EQ(wc.cbWndExtra, int(sizeof(LONG_PTR))) << name;
        EXPECT_EQ(wc.hbrBackground, GetStockObject(LTGRAY_BRUSH)) << name;
        bool graph = lstrcmpA(name, "OrbWeaveGraph") == 0;
        EXPECT_EQ(wc.hCursor, LoadCursorA(nullptr, graph ? IDC_WAIT : IDC_ARROW)) << name;
    }
    EXPECT_STREQ(MyShadowButton->ClassName(), "OrbWeaveShadButt");
    EXPECT_EQ(MyText->hResInstance, ghInst);  // a null resource instance means the program
    Terminate_Controls();
}

TEST_F(Registry, SecondInitIsRefusedAndTerminateCountsDown) {
    ControlMgr = new MyControlMgr;
    MyFrameClass frame;
    EXPECT_EQ(frame.Init(ghInst, nullptr), 1);
    EXPECT_EQ(frame.Init(ghInst, nullptr), 0);  // Windows refuses the class twice
    EXPECT_EQ(frame.nInit, 2);
    EXPECT_EQ(frame.Terminate(ghInst), 0);
    EXPECT_TRUE(Registered("OrbWeaveFrame"));
    EXPECT_NE(frame.Terminate(ghInst), 0);
    EXPECT_FALSE(Registered("OrbWeaveFrame"));
    EXPECT_EQ(frame.nInit, 0);
    delete ControlMgr;
    ControlMgr = nullptr;
}

TEST_F(Registry, DestroyingAnInitialisedClassUnregistersIt) {
    ControlMgr = new MyControlMgr;
    {
        MyTextClass text;
        text.Init(ghInst, nullptr);
        EXPECT_TRUE(Registered("OrbWeaveText"));
    }
    EXPECT_FALSE(Registered("OrbWeaveText"));
    delete ControlMgr;
    ControlMgr = nullptr;
}

TEST_F(Registry, WindowWithoutObjectBehavesAsPlainWindow) {
    Init_Controls();
    ASSERT_EQ(ControlMgr->DelAllocator(NewMyGraph), 1);
    HWND hwnd = CreateWindowA("OrbWeaveGraph", "Title", WS_POPUP, 0, 0, 40, 20, nullptr, nullptr,
                              ghInst, nullptr);
    ASSERT_TRUE(hwnd);
    EXPECT_EQ(ControlMgr->GetWindowObject(hwnd), nullptr);
    HDC mem = CreateCompatibleDC(nullptr);
    // The class brush erases, as DefWindowProc does for any plain window.
    EXPECT_NE(SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem), 0), 0);
    DeleteDC(mem);
    DestroyWindow(hwnd);
    Terminate_Controls();
}

}  // namespace
