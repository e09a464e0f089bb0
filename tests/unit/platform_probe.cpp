// Run as copies that the test bed emulates as Windows 95, NT 3.51 and 3.1 with
// Win32s: Platform() must give the value on the command line, and the platform
// dialog must open with that platform's box, and only that one, checked.
#include <cstdio>
#include <cstdlib>

#include "../../controls/controls.h"
#include "platformdlg.h"
#include "resource.h"
#include "setup.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    int want = atoi(argv[1]), got = Platform();
    if (got != want) {
        fprintf(stderr, "Platform() = %d, expected %d\n", got, want);
        return 1;
    }
    ghInst = GetModuleHandleA(nullptr);
    Init_Controls();
    HWND dlg = CreateDialogParamA(ghInst, "Platform", nullptr, PlatformDlgProc, reinterpret_cast<LPARAM>(&got));
    const struct {
        int id, value;
    } boxes[] = {{IDC_WIN31, PLATFORM_WIN32S}, {IDC_WINNT, PLATFORM_NT}, {IDC_WIN95, PLATFORM_WIN95}};
    int wrong = dlg ? 0 : 1;
    for (auto& b : boxes) {
        bool checked = SendDlgItemMessageA(dlg, b.id, CKM_GETSTATE, 0, 0) != 0;
        if (checked != (b.value == want)) {
            fprintf(stderr, "box %d is %s\n", b.id, checked ? "checked" : "clear");
            wrong = 1;
        }
    }
    DestroyWindow(dlg);
    Terminate_Controls();
    return wrong;
}
