// The installation sequence: the dialogs from the welcome to the closing
// message, and the copy loop with its progress dialog and Cancel.
#include "install.h"

#include "../controls/common/graph.h"
#include "../controls/core/chars.h"
#include "alert.h"
#include "compat.h"
#include "copy.h"
#include "dialogs.h"
#include "filetable.h"
#include "pathdlg.h"
#include "platformdlg.h"
#include "presses.h"
#include "resource.h"
#include "sums.h"

// Tells the user that a directory's path is too long for the path buffers.
static void TooLong(const char* dir) {
    EndsWith(EXIT_TOO_LONG);
    ShowAlertFormatted(IDS_DIR_TOO_LONG, dir);
}

// dir + name into out (PATH_BUFFER bytes); false, with the alert shown, when
// it would not fit.
static bool JoinPath(char* out, const char* dir, const char* name) {
    if (lstrlenA(dir) + lstrlenA(name) + 1 > PATH_BUFFER) {
        TooLong(dir);
        return false;
    }
    lstrcpyA(out, dir);
    lstrcatA(out, name);
    return true;
}

// The system directory (or the Windows directory with -n), ready for names.
static bool SystemDestination(char* dir) {
    UINT n = gfNetworkWin ? GetWindowsDirectoryA(dir, PATH_BUFFER) : GetSystemDirectoryA(dir, PATH_BUFFER);
    if (n == 0 || n >= PATH_BUFFER - 1) {
        dir[0] = '\0';
        return false;
    }
    PreparePath(dir);  // measured with its backslash, as a last byte alone can mislead
    if (DirFits(dir, 0)) return true;
    dir[0] = '\0';
    return false;
}

// The directory the setup program runs from, with its backslash; false when
// it is too long for the sources in it to be opened.
static bool SourceDirectory(char* dir) {
    DWORD n = GetModuleFileNameA(ghInst, dir, PATH_BUFFER - 1);
    if (n == 0 || n >= PATH_BUFFER - 2) return false;  // cut short: too long for our buffers
    char* slash = LastCharOf(dir, '\\');
    if (slash)
        slash[1] = '\0';
    else
        dir[0] = '\0';
    if (dir[0]) PreparePath(dir);
    return DirFits(dir, 1);
}

// -m replaces the runtime whatever its age, once the new one is whole. One
// that cannot be replaced (read-only, in use, the system's) is kept when it is
// known to be at least as new as ours; false, with the error shown, when it is
// older, or when the failure was not the destination's (the disk's runtime
// cannot be read): then the replacement asked for did not happen.
static bool ForcedCopy(const char* source, const char* dest) {
    char failed[MAX_PATH];
    int code = ExpandFile(source, dest, failed);
    if (code >= 0 || (failed[0] && lstrcmpiA(failed, source) && PresentAsNew(source, dest))) return true;
    ShowLZError(code, failed);
    return false;
}

int Install(HWND hwndMain) {
    char pluginDir[PATH_BUFFER] = "", sourceDir[PATH_BUFFER] = "";
    PressFilter presses;
    int platform = Platform();
    if (gfQuiet) {
        // Quiet: the system's platform, and -d's directory or the one the
        // dialog would propose, checked as Continue checks it.
        ProposePlugInDir(pluginDir);
        if (int refused = CheckPlugInDir(pluginDir)) {
            EndsWith(refused);
            return 0;
        }
    } else {
        if (ShowModalDialog("Welcome", GenericDlgProc, hwndMain, 0) != IDOK) return 0;
        if (ShowModalDialog("Platform", PlatformDlgProc, hwndMain, reinterpret_cast<LPARAM>(&platform)) != IDOK)
            return 0;
        if (ShowModalDialog("PlugIn", PathDlgProc, hwndMain, reinterpret_cast<LPARAM>(pluginDir)) != IDOK) {
            ShowModalDialog("Failure", GenericDlgProc, hwndMain, 0);
            return 0;
        }
    }
    PreparePath(pluginDir);
    if (!SourceDirectory(sourceDir)) {
        char exe[MAX_PATH];
        GetModuleFileNameA(ghInst, exe, sizeof exe);
        TooLong(exe);
        gfAbort = 1;
    }

    // A disk with a list of what its files expand to has every file checked
    // against it; a damaged list stops the installation before it starts.
    if (!gfAbort && LoadDiskSums(sourceDir) < 0) {
        char list[PATH_BUFFER];
        if (JoinPath(list, sourceDir, kSumsName)) ShowLZError(kDiskDamaged, list);
        gfAbort = 1;
    }
    if (!gfAbort) {
        char systemDir[PATH_BUFFER];
        RemoveStaleTemporaries(pluginDir);
        if (SystemDestination(systemDir)) RemoveStaleTemporaries(systemDir);
    }
    gfCopying = 1;
    ghStatus = CreateDialogParamA(ghInst, "Installing", hwndMain, InstallDlgProc, 0);
    UpdateWindow(hwndMain);
    // Nothing is pumped while a file is expanded: the dialog and its Cancel
    // are painted now, not after the first file, and shown (a system that
    // composes windows puts a paint on screen once the thread looks for
    // messages again).
    if (ghStatus) {
        UpdateWindow(ghStatus);
        NoteShown(ghStatus);
    }
    MyYield();
    for (int i = 0; !gfAbort && i < gFiles;) {
        const CopyEntry& row = gCopy[i];
        if (row.dwPlatforms & DWORD(platform)) {
            char destDir[PATH_BUFFER], source[PATH_BUFFER], dest[PATH_BUFFER];
            if (row.fSystemDir && !SystemDestination(destDir)) {
                TooLong(gfNetworkWin ? "the Windows directory" : "the system directory");
                gfAbort = 1;
                break;
            }
            if (!row.fSystemDir) lstrcpyA(destDir, pluginDir);
            bool ok = JoinPath(source, sourceDir, row.pszSource) && JoinPath(dest, destDir, row.pszDest);
            if (!ok) {
                gfAbort = 1;
                break;
            }
            SetDlgItemTextA(ghStatus, IDC_COPY_SOURCE, row.pszSource);
            char shown[PATH_BUFFER];
            ControlText(dest, shown, sizeof shown);
            SetDlgItemTextA(ghStatus, IDC_COPY_DEST, shown);
            UpdateWindow(GetDlgItem(ghStatus, IDC_COPY_SOURCE));
            UpdateWindow(GetDlgItem(ghStatus, IDC_COPY_DEST));
            // A disk taken out or a bad sector fails the copy, said in the
            // program's own alert, not the system's "Drive not ready" box.
            QuietDriveProbe quiet;
            bool failed;
            if (row.fSystemDir && gfForceMSVC)
                failed = !ForcedCopy(source, dest);
            else
                failed = (!row.fCheckNewer || FileNewer(source, dest)) && MyLZCopy(source, dest) < 0;
            if (failed) {
                gfAbort = 1;
                break;
            }
        }
        i++;
        SendDlgItemMessageA(ghStatus, IDC_PROGRESS, GRM_SETPOS, 1, MulDiv(i, 100, gFiles));
        MyYield();  // repaints, and lets a click on Cancel through
    }
    if (ghStatus) DestroyWindow(ghStatus);
    ghStatus = nullptr;
    gfCopying = 0;
    if (gfAbort) EndsWith(EXIT_NOT_INSTALLED);  // cancelled, when nothing said otherwise
    if (!gfQuiet) ShowModalDialog(gfAbort ? "Failure" : "Done", GenericDlgProc, hwndMain, 0);
    return !gfAbort;
}

INT_PTR CALLBACK GenericDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        CenterDialog(hDlg);
        SetFocus(GetDlgItem(hDlg, IDOK));
        return FALSE;
    case WM_COMMAND:
        return EndOnButton(hDlg, wParam);
    }
    return FALSE;
}

INT_PTR CALLBACK InstallDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        CenterDialog(hDlg);
        SendDlgItemMessageA(hDlg, IDC_PROGRESS, GRM_SETRANGE, 0, MAKELPARAM(0, 100));
        SendDlgItemMessageA(hDlg, IDC_PROGRESS, GRM_SETPOS, 1, 0);
        SetFocus(GetDlgItem(hDlg, IDCANCEL));
        return FALSE;
    case WM_COMMAND:
        if (wParam == IDCANCEL) {
            gfAbort = 1;  // the loop ends after the file it is copying
            return TRUE;
        }
        break;
    }
    return FALSE;
}
