#include "pathdlg.h"

#include <commdlg.h>

#include "../controls/core/chars.h"

#include "alert.h"
#include "compat.h"
#include "copy.h"
#include "dialogs.h"
#include "filetable.h"
#include "resource.h"

static char* gPath;                      // the caller's buffer, while the dialog is up
enum { SHARE_SHOWN = 27 };               // past Z: a network share, named by gShareShown
static int gDriveShown = -1;             // drive whose free space is on display
static char gShareShown[PATH_BUFFER];    // its root, "\\server\share\", when a share
static char gBrowse[PATH_BUFFER] = "";   // the last browse result
char gszDest[PATH_BUFFER] = "";

int CheckINI(char* buffer) {
    return GetPrivateProfileStringA("Photoshop", "PlugInDirectory", "", buffer, PATH_BUFFER - 1,
                                    "photos30.ini") != 0;
}

bool DrivePresent(char letter) {
    char root[] = "?:\\";
    root[0] = letter;
    UINT type = GetDriveTypeA(root);
    return type != DRIVE_UNKNOWN && type != DRIVE_NO_ROOT_DIR;
}

// The current directory, read when made and put back when it goes. It has
// at most MAX_PATH characters, which on a double-byte code page take up to
// twice as many bytes.
class KeptDirectory {
public:
    KeptDirectory() {
        DWORD n = GetCurrentDirectoryA(sizeof szDir, szDir);
        fKept = n && n < sizeof szDir;
    }
    ~KeptDirectory() {
        if (fKept) SetCurrentDirectoryA(szDir);
    }
    KeptDirectory(const KeptDirectory&) = delete;
    KeptDirectory& operator=(const KeptDirectory&) = delete;
    // Whether it was read: a directory that could not be, could not be put back.
    bool Kept() const { return fKept; }

private:
    char szDir[2 * MAX_PATH];
    bool fKept;
};

int testdir(const char* subpath, char* result) {
    QuietDriveProbe quiet;
    result[0] = '\0';
    KeptDirectory start;
    if (!start.Kept()) return 0;  // the search moves it: not without the way back
    // Every present letter: drives need not be contiguous (C: and E:, say).
    for (char d = 'C'; d <= 'Z' && !result[0]; d++) {
        if (!DrivePresent(d)) continue;
        char drive[] = "?:";
        drive[0] = d;
        if (!SetCurrentDirectoryA(drive)) continue;
        char remembered[PATH_BUFFER];
        // One too long for the buffer gives its length and leaves the buffer unset.
        DWORD got = GetCurrentDirectoryA(PATH_BUFFER - 1, remembered);
        if (!got || got >= PATH_BUFFER - 1) continue;
        if (SetCurrentDirectoryA(subpath)) {
            if (GetCurrentDirectoryA(PATH_BUFFER - 1, result) >= PATH_BUFFER - 1) result[0] = '\0';
        }
        SetCurrentDirectoryA(remembered);
    }
    return result[0] != '\0';
}

int validdir(const char* path) {
    QuietDriveProbe quiet;
    while (*path == ' ') path++;
    KeptDirectory start;
    if (!start.Kept()) return 0;
    // A drive letter makes that drive current first, so that a relative
    // path after it is taken on that drive.
    if (lstrlenA(path) > 2 && path[1] == ':') {
        char letter = path[0] >= 'a' && path[0] <= 'z' ? char(path[0] - 'a' + 'A') : path[0];
        char drive[] = "?:";
        drive[0] = letter;
        if (letter >= 'A' && letter <= 'Z' && DrivePresent(letter)) SetCurrentDirectoryA(drive);
    }
    KeptDirectory here;  // the drive's own, when a letter made it current
    return here.Kept() && SetCurrentDirectoryA(path);
}

unsigned long long freespace(int drive) {
    char root[] = "?:\\";
    const char* at = nullptr;
    if (drive > 0) {
        root[0] = char('A' + drive - 1);
        at = root;
    }
    return DiskFreeBytes(at) / 1024;
}

void freespacestr(unsigned long long kilobytes, char* buffer) {
    // wsprintfA has no 64-bit numbers on the older systems: spell it out.
    char digits[24];
    int n = 0;
    unsigned long long mb = kilobytes / 1000;
    do digits[n++] = char('0' + mb % 10); while (mb /= 10);
    char* p = buffer;
    while (n) *p++ = digits[--n];
    wsprintfA(p, ".%03u MB", static_cast<unsigned>(kilobytes % 1000));
}

// Whether path begins "\\server\share" with both names given; the device
// spaces "\\.\" and "\\?\" are no servers.
static bool NamesShare(const char* path) {
    if (path[0] != '\\' || path[1] != '\\') return false;
    const char* server = path + 2;
    const char* share = server;
    while (*share && *share != '\\') share = NextChar(share);
    if (share == server || !share[0] || !share[1] || share[1] == '\\') return false;
    return !(share - server == 1 && (*server == '.' || *server == '?'));
}

void ShowFreeSpace(HWND hDlg, const char* path, bool typing) {
    char text[32];
    if (!path) {
        freespacestr(KB_REQUIRED, text);
        SetDlgItemTextA(hDlg, IDC_SPACE_REQUIRED, text);
        return;
    }
    char tidy[PATH_BUFFER];
    lstrcpynA(tidy, path, sizeof tidy);
    TidyPath(tidy);
    if (!tidy[0]) {
        SetDlgItemTextA(hDlg, IDC_SPACE_FREE, "--");
        gDriveShown = -1;
        return;
    }
    int drive;
    char root[PATH_BUFFER] = "";
    if (tidy[0] == '\\' && tidy[1] == '\\') {
        // A share's space is its own, asked for once the field is left: while
        // its name is typed, each query of a slow or unreachable server would
        // hold every keystroke for the network's timeout.
        drive = SHARE_SHOWN;
        if (!typing && NamesShare(tidy)) DiskRootOf(tidy, root, sizeof root);
    } else {
        char c = tidy[0] >= 'A' && tidy[0] <= 'Z' ? char(tidy[0] - 'A' + 'a') : tidy[0];
        drive = c >= 'a' && c <= 'z' ? c - 'a' + 1 : 0;
    }
    if (drive == gDriveShown && !lstrcmpiA(root, gShareShown)) return;
    unsigned long long kb = drive != SHARE_SHOWN ? freespace(drive) : root[0] ? DiskFreeBytes(root) / 1024 : 0;
    if (kb)
        freespacestr(kb, text);
    else
        lstrcpyA(text, "--");
    SetDlgItemTextA(hDlg, IDC_SPACE_FREE, text);
    gDriveShown = drive;
    lstrcpyA(gShareShown, root);
}

int FindDir(HWND hDlg, char* path) {
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;  // the size the older systems know
    ofn.hwndOwner = hDlg;
    ofn.hInstance = ghInst;
    ofn.lpstrFilter = "Plug-in's (*.8bf)\0*.8bf\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = gBrowse;
    ofn.nMaxFile = PATH_BUFFER - 1;
    ofn.lpstrInitialDir = path;
    ofn.lpstrTitle = "Plug-in's directory...";
    ofn.Flags = OFN_HIDEREADONLY | OFN_NOVALIDATE | OFN_PATHMUSTEXIST;
    // The common dialogs bring a dozen libraries with them: they are loaded
    // when Browse is first pressed, not at every start, and stay loaded.
    static HMODULE comdlg = nullptr;
    if (!comdlg) comdlg = LoadLibraryA("comdlg32.dll");
    typedef BOOL(WINAPI * OpenFileName)(OPENFILENAMEA*);
    typedef DWORD(WINAPI * ExtendedError)();
    auto open = comdlg ? SystemProc<OpenFileName>("comdlg32.dll", "GetOpenFileNameA") : nullptr;
    if (!open || !open(&ofn)) {
        // Cancel keeps the last pick for the next Browse. An error forgets it:
        // a path too long for the buffer leaves its needed size there, not a path.
        auto error = comdlg ? SystemProc<ExtendedError>("comdlg32.dll", "CommDlgExtendedError") : nullptr;
        if (!open || !error || error()) gBrowse[0] = '\0';
        return 0;
    }
    // A dialog that counts the buffer in characters fills it in bytes: a
    // double-byte pick too long for it comes back cut, without its end, and
    // its name's offset lies past what came back. Forgotten, never cut.
    int got = lstrlenA(gBrowse);
    if (got >= int(ofn.nMaxFile) || ofn.nFileOffset > got) {
        DropPartialChar(gBrowse);
        ShowAlertFormatted(IDS_DIR_TOO_LONG, gBrowse);
        gBrowse[0] = '\0';
        return 0;
    }
    // The directory and its backslash, found by character.
    char* slash = LastCharOf(gBrowse, '\\');
    if (slash) slash[1] = '\0';
    lstrcpynA(path, slash ? gBrowse : "", PATH_BUFFER);
    if (!path[0]) GetCurrentDirectoryA(PATH_BUFFER - 1, path);
    return 1;
}

// Whether the focus left the field for another control of the dialog, which
// stays up: not for Continue or Exit, not for "Bad Path" or the owner as the
// dialog ends. Only then is a share's free space worth the wait for a server
// that does not answer.
static bool FocusStaysIn(HWND hDlg) {
    HWND focus = GetFocus();
    if (!focus || GetParent(focus) != hDlg) return false;
    int id = GetDlgCtrlID(focus);
    return id != IDOK && id != IDCANCEL;
}

static void ReadPath(HWND hDlg) {
    GetDlgItemTextA(hDlg, IDC_PATH_EDIT, gPath, PATH_BUFFER - 1);
    EnableWindow(GetDlgItem(hDlg, IDOK), gPath[0] != '\0');
}

// Windows drops trailing blanks and dots from the last name of a path ("."
// and ".." keep their dots): "c:\plugins " is "c:\plugins".
static bool TrimLastName(char* path) {
    char* name = path;
    for (char* p = path; *p; p = NextChar(p))
        if (*p == '\\' || *p == ':') name = p + 1;
    bool dotsOnly = true;
    for (char* p = name; *p; p = NextChar(p)) dotsOnly = dotsOnly && (*p == '.' || *p == ' ');
    char* end = name;  // after the last character that stays
    for (char* p = name; *p; p = NextChar(p))
        if (*p != ' ' && (*p != '.' || dotsOnly)) end = NextChar(p);
    bool trimmed = *end != '\0';
    *end = '\0';
    return trimmed;
}

void TidyPath(char* path) {
    for (char* p = path; *p; p = NextChar(p))
        if (*p == '/') *p = '\\';
    char* p = path;
    while (*p == ' ') p++;
    MoveMemory(path, p, lstrlenA(p) + 1);
    // A backslash after the last name goes too (a root's stays): the blanks
    // before it would otherwise stay inside every path made from this one.
    for (bool changed = true; changed;) {
        changed = TrimLastName(path);
        char* last = const_cast<char*>(LastChar(path));
        if (*last == '\\' && last - path >= 2 && last[-1] != ':') {
            *last = '\0';
            changed = true;
        }
    }
}

int FullPath(const char* path) {
    // A last lead byte without its second (a value written in another code
    // page) would pair with the backslash put after it, into another name.
    if (WholeChars(path, lstrlenA(path)) != lstrlenA(path)) return 0;
    const char* names = path + 3;
    char drive = char(path[0] | 0x20);
    if (NamesShare(path))
        names = path + 2;
    else if (drive < 'a' || drive > 'z' || path[1] != ':' || path[2] != '\\')
        return 0;
    for (const char* p = names; *p; p = NextChar(p)) {
        unsigned char c = static_cast<unsigned char>(*p);  // a double-byte character is none of these
        if (c < 32 || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|') return 0;
    }
    return 1;
}

static bool ExistsOrMade(const char* dir) {
    QuietDriveProbe quiet;
    return validdir(dir) || CreateDirectoryA(dir, nullptr);
}

int CheckPlugInDir(char* path) {
    // What is checked, made and installed into is one and the same directory.
    TidyPath(path);
    // Measured with its backslash: a last byte of the same value may be the
    // second half of a character.
    char dir[PATH_BUFFER];
    lstrcpyA(dir, path);
    AddBackslash(dir);
    if (!DirFits(dir, 0)) return EXIT_TOO_LONG;
    return FullPath(path) && ExistsOrMade(path) ? EXIT_INSTALLED : EXIT_BAD_PATH;
}

void ProposePlugInDir(char* path) {
    if (gszDest[0]) {
        lstrcpyA(path, gszDest);
    } else if (gfScan) {
        SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        if (!CheckINI(path) && !testdir("\\photoshp\\plugins", path) &&
            !testdir("\\win32app\\photoshp\\plugins", path))
            lstrcpyA(path, "c:\\plugins");
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    }
}

static void Accept(HWND hDlg) {
    ReadPath(hDlg);
    switch (CheckPlugInDir(gPath)) {
    case EXIT_INSTALLED:
        EndDialog(hDlg, IDOK);
        return;
    case EXIT_TOO_LONG:
        // Counted in bytes: on a double-byte system that is said.
        ShowAlertFormatted(DoubleByteSystem() ? IDS_PATH_TOO_LONG_BYTES : IDS_PATH_TOO_LONG, gPath, MaxDirLength(0));
        break;
    default:
        ShowModalDialog("BadPath", BadPathDlgProc, hDlg, reinterpret_cast<LPARAM>(gPath));
    }
    SetFocus(GetDlgItem(hDlg, IDC_PATH_EDIT));
}

INT_PTR CALLBACK PathDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        CenterDialog(hDlg);
        gPath = reinterpret_cast<char*>(lParam);
        gDriveShown = -1;  // this dialog shows nothing yet
        ProposePlugInDir(gPath);
        EnableWindow(GetDlgItem(hDlg, IDOK), gPath[0] != '\0');
        SendDlgItemMessageA(hDlg, IDC_PATH_EDIT, EM_LIMITTEXT, PATH_BUFFER - 1, 0);
        SetDlgItemTextA(hDlg, IDC_PATH_EDIT, gPath);
        ShowFreeSpace(hDlg, nullptr);
        ShowFreeSpace(hDlg, gPath);
        SetFocus(GetDlgItem(hDlg, IDC_PATH_EDIT));
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            Accept(hDlg);
            return TRUE;
        case IDCANCEL:
            EndDialog(hDlg, IDCANCEL);
            return TRUE;
        case IDC_PATH_EDIT:
            if (HIWORD(wParam) == EN_CHANGE) {
                ReadPath(hDlg);
                ShowFreeSpace(hDlg, gPath, true);
            }
            if (HIWORD(wParam) == EN_KILLFOCUS && FocusStaysIn(hDlg)) ShowFreeSpace(hDlg, gPath);
            return FALSE;
        case IDC_BROWSE:
            GetDlgItemTextA(hDlg, IDC_PATH_EDIT, gPath, PATH_BUFFER - 1);
            if (FindDir(hDlg, gPath)) {
                SetDlgItemTextA(hDlg, IDC_PATH_EDIT, gPath);
                EnableWindow(GetDlgItem(hDlg, IDOK), gPath[0] != '\0');
                ShowFreeSpace(hDlg, gPath);
            }
            return TRUE;
        }
        break;
    }
    return FALSE;
}

INT_PTR CALLBACK BadPathDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: {
        CenterDialog(hDlg);
        char format[63], shown[160], text[224];
        GetDlgItemTextA(hDlg, IDC_BADPATH_TEXT, format, sizeof format);
        ControlText(reinterpret_cast<const char*>(lParam), shown, sizeof shown);
        wsprintfA(text, format, shown);
        SetDlgItemTextA(hDlg, IDC_BADPATH_TEXT, text);
        SetFocus(GetDlgItem(hDlg, IDOK));
        return FALSE;
    }
    case WM_COMMAND:
        return EndOnButton(hDlg, wParam);
    }
    return FALSE;
}
