// The platform dialog: the detected value checked, the boxes acting as radio
// buttons under clicks through the queue, Continue and Exit.
#include "host.h"
#include "modal.h"
#include "platformdlg.h"
#include "resource.h"

namespace {

const int kIds[] = {IDC_WIN31, IDC_WINNT, IDC_WIN95};

// Which boxes are checked, as "31", "NT" or "95" joined.
std::string Checked(HWND dlg) {
    std::string s;
    const char* names[] = {"31", "NT", "95"};
    for (int i = 0; i < 3; i++)
        if (SendDlgItemMessageA(dlg, kIds[i], CKM_GETSTATE, 0, 0)) s += names[i];
    return s;
}

void ClickBox(HWND dlg, int id) {
    HWND box = GetDlgItem(dlg, id);
    // Sent, not posted: each returns once the box has handled it, the tick's
    // animation and the dialog's answer to the notification included.
    SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 10));
    SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(12, 10));
}

class PlatformDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ghInst = GetModuleHandleA(nullptr);
        Init_Controls();
    }
    void TearDown() override { Terminate_Controls(); }
    INT_PTR Run(int* value, const std::function<void(HWND)>& script) {
        return RunModal("Platform", "Platform", PlatformDlgProc, reinterpret_cast<LPARAM>(value), script);
    }
};

TEST_F(PlatformDialog, OpensWithTheDetectedBoxChecked) {
    const struct {
        int value;
        const char* checked;
    } cases[] = {{PLATFORM_WIN95, "95"}, {PLATFORM_NT, "NT"}, {PLATFORM_WIN32S, "31"}, {0, ""}};
    for (auto& c : cases) {
        int value = c.value;
        std::string seen;
        Run(&value, [&](HWND dlg) {
            seen = Checked(dlg);
            Press(dlg, IDCANCEL);
        });
        EXPECT_EQ(seen, c.checked) << c.value;
    }
}

TEST_F(PlatformDialog, BoxesActAsRadioButtonsAndContinueStoresTheChoice) {
    int value = PLATFORM_WIN95;
    std::string afterNT, afterSame;
    INT_PTR r = Run(&value, [&](HWND dlg) {
        ClickBox(dlg, IDC_WINNT);
        afterNT = Checked(dlg);
        ClickBox(dlg, IDC_WINNT);  // the checked box stays checked
        afterSame = Checked(dlg);
        Press(dlg, IDOK);
    });
    EXPECT_EQ(afterNT, "NT");
    EXPECT_EQ(afterSame, "NT");
    EXPECT_EQ(r, IDOK);
    EXPECT_EQ(value, PLATFORM_NT);
}

TEST_F(PlatformDialog, ExitLeavesTheValueAlone) {
    int value = PLATFORM_WIN95;
    INT_PTR r = Run(&value, [&](HWND dlg) {
        ClickBox(dlg, IDC_WIN31);
        Press(dlg, IDCANCEL);
    });
    EXPECT_EQ(r, IDCANCEL);
    EXPECT_EQ(value, PLATFORM_WIN95);
}

}  // namespace
