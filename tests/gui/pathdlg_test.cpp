// The plug-in directory dialog under Wine, with the prefix arranged per case:
// the paint program's INI file, directories on drives C: and E:, the tiny T:.
#include <string>

#include "alertwatch.h"
#include "host.h"

#include <commdlg.h>  // after windows.h

#include "modal.h"
#include "pathdlg.h"
#include "resource.h"

namespace {

std::string WindowsDir() {
    char dir[MAX_PATH];
    GetWindowsDirectoryA(dir, sizeof dir);
    return dir;
}

// Free space as the dialog shows it ("1234.567 MB"), back in kilobytes.
unsigned long long ShownKilobytes(const std::string& text) {
    unsigned long long kb = 0;
    for (char c : text)
        if (c >= '0' && c <= '9') kb = kb * 10 + unsigned(c - '0');
    return kb;
}

// v between a and b, in either order.
bool Between(unsigned long long v, unsigned long long a, unsigned long long b) {
    return a < b ? a <= v && v <= b : b <= v && v <= a;
}

class PathDialog : public ::testing::Test {
protected:
    char path[PATH_BUFFER] = "";
    std::string ini = WindowsDir() + "\\photos30.ini";

    void SetUp() override {
        ghInst = GetModuleHandleA(nullptr);
        gfScan = 1;
        Init_Controls();
        DeleteFileA(ini.c_str());
        for (const char* d : {"C:\\photoshp", "E:\\photoshp", "C:\\win32app", "C:\\owtest", "C:\\plugins"})
            RemoveTree(d);
        CreateDirectoryA("C:\\owtest", nullptr);
    }
    void TearDown() override {
        DeleteFileA(ini.c_str());
        for (const char* d : {"C:\\photoshp", "E:\\photoshp", "C:\\win32app", "C:\\owtest", "C:\\plugins"})
            RemoveTree(d);
        Terminate_Controls();
        gfScan = 1;
    }
    INT_PTR Run(const std::function<void(HWND)>& script) {
        return RunModal("PlugIn", "Plug-in location...", PathDlgProc, reinterpret_cast<LPARAM>(path), script);
    }
    static bool ContinueEnabled(HWND dlg) { return IsWindowEnabled(GetDlgItem(dlg, IDOK)); }
};

TEST_F(PathDialog, IniValueIsProposedAndCreatedOnContinue) {
    WritePrivateProfileStringA("Photoshop", "PlugInDirectory", "C:\\owtest\\fromini", "photos30.ini");
    std::string shown;
    INT_PTR r = Run([&](HWND dlg) {
        shown = ItemText(dlg, IDC_PATH_EDIT);
        Press(dlg, IDOK);
    });
    EXPECT_EQ(shown, "C:\\owtest\\fromini");
    EXPECT_EQ(r, IDOK);
    EXPECT_STREQ(path, "C:\\owtest\\fromini");
    EXPECT_TRUE(validdir("C:\\owtest\\fromini"));
}

TEST_F(PathDialog, WithoutIniOrDirectoriesTheDefaultIsProposed) {
    std::string shown, required;
    Run([&](HWND dlg) {
        shown = ItemText(dlg, IDC_PATH_EDIT);
        required = ItemText(dlg, IDC_SPACE_REQUIRED);
        Press(dlg, IDCANCEL);
    });
    EXPECT_EQ(shown, "c:\\plugins");
    EXPECT_EQ(required, "1.300 MB");
}

// The dialog's own proposal as each place appears: the second location alone,
// then the first on another drive (every drive is searched for the first
// before any for the second), then a settings file naming a third.
TEST_F(PathDialog, ProposalsComeFromTheSettingsThenTheFirstLocationThenTheSecond) {
    ASSERT_TRUE(DrivePresent('E')) << "the test bed links drive E:";
    ASSERT_FALSE(DrivePresent('D'));  // drives are not contiguous here: C:, E:, T:, Z:
    auto proposal = [&] {
        std::string shown;
        path[0] = '\0';
        Run([&](HWND dlg) {
            shown = ItemText(dlg, IDC_PATH_EDIT);
            Press(dlg, IDCANCEL);
        });
        return shown;
    };
    for (const char* d : {"C:\\win32app", "C:\\win32app\\photoshp", "C:\\win32app\\photoshp\\plugins"})
        CreateDirectoryA(d, nullptr);
    EXPECT_EQ(proposal(), "C:\\win32app\\photoshp\\plugins");
    CreateDirectoryA("E:\\photoshp", nullptr);
    CreateDirectoryA("E:\\photoshp\\plugins", nullptr);
    EXPECT_EQ(proposal(), "E:\\photoshp\\plugins");
    WritePrivateProfileStringA("Photoshop", "PlugInDirectory", "C:\\owtest\\third", "photos30.ini");
    EXPECT_EQ(proposal(), "C:\\owtest\\third");
}

TEST_F(PathDialog, WithoutScanningTheFieldStartsEmptyAndContinueWaitsForText) {
    gfScan = 0;
    bool before = true, after = false;
    std::string shown = "x";
    Run([&](HWND dlg) {
        shown = ItemText(dlg, IDC_PATH_EDIT);
        before = ContinueEnabled(dlg);
        Type(dlg, IDC_PATH_EDIT, "c:\\owtest");
        after = ContinueEnabled(dlg);
        Press(dlg, IDCANCEL);
    });
    EXPECT_EQ(shown, "");
    EXPECT_FALSE(before);
    EXPECT_TRUE(after);
}

TEST_F(PathDialog, FreeSpaceFollowsTheDriveTypedButNotEveryCharacter) {
    ULARGE_INTEGER total;
    bool tiny = GetDiskFreeSpaceExA("T:\\", nullptr, &total, nullptr) && total.QuadPart <= 1024 * 1024;
    std::string empty, cDrive, tDrive, tDriveLater;
    bool emptyEnabled = true;
    unsigned long long before = freespace(3);
    Run([&](HWND dlg) {
        Type(dlg, IDC_PATH_EDIT, "");
        empty = ItemText(dlg, IDC_SPACE_FREE);
        emptyEnabled = ContinueEnabled(dlg);
        Type(dlg, IDC_PATH_EDIT, "c:\\owtest");
        cDrive = ItemText(dlg, IDC_SPACE_FREE);
        if (!tiny) return Press(dlg, IDCANCEL);
        Type(dlg, IDC_PATH_EDIT, "t:\\");
        tDrive = ItemText(dlg, IDC_SPACE_FREE);
        HANDLE f = CreateFileA("T:\\filler", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        char block[16384] = {};
        DWORD n;
        WriteFile(f, block, sizeof block, &n, nullptr);
        CloseHandle(f);
        Type(dlg, IDC_PATH_EDIT, "t:\\plugins");
        tDriveLater = ItemText(dlg, IDC_SPACE_FREE);
        Press(dlg, IDCANCEL);
    });
    DeleteFileA("T:\\filler");
    EXPECT_EQ(empty, "--");
    EXPECT_FALSE(emptyEnabled);
    // Other programs write to C: meanwhile: what was shown lies between two readings.
    EXPECT_PRED3(Between, ShownKilobytes(cDrive), before, freespace(3));
    if (!tiny) GTEST_SKIP() << "no 64 KB drive T: (mounting a tmpfs was refused here)";
    EXPECT_NE(tDrive, cDrive);
    EXPECT_EQ(tDriveLater, tDrive);  // the same drive: not read again
}

TEST_F(PathDialog, FreeSpaceAboveFourGigabytesIsRight) {
    ULARGE_INTEGER avail, after;
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &avail, nullptr, nullptr));
    if (avail.QuadPart < (5ull << 30)) GTEST_SKIP() << "drive C: has less than 5 GB free";
    unsigned long long kb = freespace(3);
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &after, nullptr, nullptr));
    EXPECT_PRED3(Between, kb, avail.QuadPart / 1024, after.QuadPart / 1024);
    char text[32];
    freespacestr(freespace(3), text);
    EXPECT_GT(strlen(text), strlen("4294.967 MB"));
}

TEST_F(PathDialog, LeadingBlanksAreAcceptedAndDropped) {
    EXPECT_TRUE(validdir("   C:\\owtest"));
    INT_PTR r = Run([&](HWND dlg) {
        Type(dlg, IDC_PATH_EDIT, "   C:\\owtest");
        Press(dlg, IDOK);
    });
    EXPECT_EQ(r, IDOK);
    EXPECT_STREQ(path, "C:\\owtest");
}

TEST_F(PathDialog, RejectedPathShowsBadPathAndReturnsToTheField) {
    std::string message;
    bool stillOpen = false;
    HWND focus = nullptr, edit = nullptr;
    Run([&](HWND dlg) {
        Type(dlg, IDC_PATH_EDIT, "c:\\owtest\\no\\such");
        Press(dlg, IDOK);
        HWND bad = WaitWindow("Bad Path");
        if (bad) {
            message = ItemText(bad, IDC_BADPATH_TEXT);
            PostMessageA(bad, WM_COMMAND, IDOK, 0);
        }
        edit = GetDlgItem(dlg, IDC_PATH_EDIT);
        WaitUntil([&] { return !IsWindow(bad) && FocusOf(dlg) == edit; });
        stillOpen = IsWindowVisible(dlg);
        focus = FocusOf(dlg);
        Press(dlg, IDCANCEL);
    });
    EXPECT_EQ(message, "Cannot find \"c:\\owtest\\no\\such\"");
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(focus, edit);
}

// One character of the system's own language: a double-byte one where the
// code page has them, else a single byte beyond ASCII.
std::string NativeChar() {
    switch (GetACP()) {
    case 932: return "\x83\x4F";  // グ
    case 936: return "\x81\x4F";  // 丱
    case 949: return "\x81\x41";  // 갂
    case 950: return "\xA4\x4F";  // 力
    case 1251: return "\xCF";      // П
    default: return "\xE9";        // é
    }
}
std::string Repeated(const std::string& s, int n) {
    std::string r;
    while (n-- > 0) r += s;
    return r;
}

// A directory too long for the plug-ins is refused, and the limit said as it
// is counted: in bytes where a character can take two.
TEST_F(PathDialog, OverlongPathIsRefusedWithAMessage) {
    bool dbcs = IsDBCSLeadByte(BYTE(NativeChar()[0]));
    // 123 bytes where a character takes two, 63 characters; else 150.
    std::string dir = "c:\\" + Repeated(NativeChar(), dbcs ? 60 : 147);
    AlertWatch watch;
    bool stillOpen = false;
    Run([&](HWND dlg) {
        Type(dlg, IDC_PATH_EDIT, dir.c_str());
        Press(dlg, IDOK);
        WaitUntil([&] { return watch.Answered() == 1; });
        stillOpen = IsWindowVisible(dlg);
        Press(dlg, IDCANCEL);
    });
    EXPECT_TRUE(stillOpen);
    auto seen = watch.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_NE(seen[0].text.find("is too long"), std::string::npos) << seen[0].text;
    EXPECT_NE(seen[0].text.find(dbcs ? "at most 114 bytes" : "at most 114 characters"), std::string::npos)
        << seen[0].text;
    EXPECT_FALSE(validdir(dir.c_str()));  // nothing made
}

// A pick too long for the dialog's buffer is forgotten, with a word, never cut:
// a dialog that counts the buffer in characters fills it in bytes, and where
// a character takes two it returns the pick cut, without its end.
TEST_F(PathDialog, ABrowsedPathTooLongForTheBufferIsForgottenNotCut) {
    // 80 characters: 160 bytes where each takes two, more than the buffer's
    // 159; else 160 letters (each as long on the host's disk as on Windows).
    bool dbcs = IsDBCSLeadByte(BYTE(NativeChar()[0]));
    std::string dir = "C:\\" + (dbcs ? Repeated(NativeChar(), 80) : std::string(160, 'x'));
    ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
    std::string pick = dir + "\\any.8bf", shown;
    AlertWatch watch;
    Run([&](HWND dlg) {
        Type(dlg, IDC_PATH_EDIT, "C:\\owtest");
        Press(dlg, IDC_BROWSE);
        HWND open = WaitWindow("Plug-in's directory...");
        ASSERT_NE(open, nullptr);
        HWND name = GetDlgItem(open, 0x47C) ? GetDlgItem(open, 0x47C) : GetDlgItem(open, 0x480);
        SetWindowTextA(name, pick.c_str());
        PostMessageA(open, WM_COMMAND, IDOK, 0);
        WaitUntil([&] { return !IsWindow(open); });
        shown = ItemText(dlg, IDC_PATH_EDIT);
        Press(dlg, IDCANCEL);
    });
    RemoveDirectoryA(dir.c_str());
    EXPECT_EQ(shown, "C:\\owtest");
    for (const SeenAlert& a : watch.Seen())
        EXPECT_NE(a.text.find("is too long"), std::string::npos) << a.text;
}

// Browse, then Cancel: the next Browse still starts in the folder picked last.
TEST_F(PathDialog, ACancelledBrowseKeepsTheFolderPickedLast) {
    CreateDirectoryA("C:\\owtest\\browse", nullptr);
    // The folder each Browse opened in, or what kept it from opening or closing.
    std::vector<std::string> folders;
    Run([&](HWND dlg) {
        auto browse = [&](const char* pick) {
            Type(dlg, IDC_PATH_EDIT, "C:\\owtest");
            Press(dlg, IDC_BROWSE);
            HWND open = WaitWindow("Plug-in's directory...");
            if (!open) return folders.push_back("(no Browse)");
            char at[MAX_PATH] = "";
            SendMessageA(open, CDM_GETFOLDERPATH, sizeof at, reinterpret_cast<LPARAM>(at));
            HWND name = GetDlgItem(open, 0x47C) ? GetDlgItem(open, 0x47C) : GetDlgItem(open, 0x480);
            if (pick) SetWindowTextA(name, pick);
            PostMessageA(open, WM_COMMAND, pick ? IDOK : IDCANCEL, 0);
            folders.push_back(WaitUntil([&] { return !IsWindow(open); }) ? at : "(Browse stayed open)");
        };
        browse("C:\\owtest\\browse\\any.8bf");
        browse(nullptr);
        browse(nullptr);
        Press(dlg, IDCANCEL);
    });
    ASSERT_EQ(folders.size(), 3u);
    EXPECT_EQ(folders[1], "C:\\owtest\\browse");
    EXPECT_EQ(folders[2], "C:\\owtest\\browse");
}

TEST_F(PathDialog, BrowsePutsTheChosenDirectoryInTheField) {
    CreateDirectoryA("C:\\owtest\\browse", nullptr);
    std::string shown;
    Run([&](HWND dlg) {
        Press(dlg, IDC_BROWSE);
        HWND open = WaitWindow("Plug-in's directory...");
        ASSERT_NE(open, nullptr);
        // The file name field: a combo box in the Explorer-style dialog, an edit in the old one.
        HWND name = GetDlgItem(open, 0x47C) ? GetDlgItem(open, 0x47C) : GetDlgItem(open, 0x480);
        SetWindowTextA(name, "C:\\owtest\\browse\\any.8bf");
        PostMessageA(open, WM_COMMAND, IDOK, 0);
        WaitUntil([&] { return !IsWindow(open) && ItemText(dlg, IDC_PATH_EDIT) == "C:\\owtest\\browse\\"; });
        shown = ItemText(dlg, IDC_PATH_EDIT);
        Press(dlg, IDCANCEL);
    });
    EXPECT_EQ(shown, "C:\\owtest\\browse\\");
}

}  // namespace
