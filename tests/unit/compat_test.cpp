// What the oldest systems lack, with the fallbacks run against the real API.
#include <gtest/gtest.h>

#include <string>

#include "compat.h"
#include "scratch.h"

namespace {

UINT CurrentErrorMode() {
    UINT mode = SetErrorMode(0);
    SetErrorMode(mode);
    return mode;
}

TEST(QuietDriveProbe, AddsFailCriticalErrorsAndRestoresTheModeItFound) {
    UINT before = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    {
        QuietDriveProbe outer;
        EXPECT_EQ(CurrentErrorMode(), UINT(SEM_NOOPENFILEERRORBOX | SEM_FAILCRITICALERRORS));
        {
            QuietDriveProbe inner;  // probes nest: validdir inside the directory check
        }
        EXPECT_EQ(CurrentErrorMode(), UINT(SEM_NOOPENFILEERRORBOX | SEM_FAILCRITICALERRORS));
    }
    EXPECT_EQ(CurrentErrorMode(), UINT(SEM_NOOPENFILEERRORBOX));
    SetErrorMode(before);
}

TEST(DiskRootOf, DrivePathsAndSharesGiveTheirRoot) {
    const struct {
        const char* path;
        const char* root;  // null: the current drive
    } cases[] = {
        {"c:\\plugins\\", "c:\\"}, {"E:", "E:\\"}, {"a:setup", "a:\\"},
        {"\\\\server\\share\\dir\\x\\", "\\\\server\\share\\"}, {"\\\\server\\share", "\\\\server\\share\\"},
        {"plugins", nullptr}, {"\\plugins", nullptr}, {"", nullptr}, {nullptr, nullptr},
    };
    for (auto& c : cases) {
        char root[MAX_PATH] = "unchanged";
        bool got = DiskRootOf(c.path, root, sizeof root);
        EXPECT_EQ(got, c.root != nullptr) << (c.path ? c.path : "(null)");
        if (c.root) {
            EXPECT_STREQ(root, c.root);
        }
    }
    char small[4];
    EXPECT_FALSE(DiskRootOf("\\\\server\\share\\", small, sizeof small));
}

// Without GetDiskFreeSpaceExA (NT 3.5, the first Windows 95, Win32s) the
// figures of GetDiskFreeSpaceA for the path's root give the same count.
TEST(DiskFreeBytes, WithoutTheExFunctionTheClusterFiguresGiveTheSameCount) {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    std::string dir = std::string(windows) + "\\system32\\";
    unsigned long long ex = DiskFreeBytes(dir.c_str());
    unsigned long long old = DiskFreeBytes(dir.c_str(), nullptr);
    ASSERT_GT(ex, 0u);
    // Other programs write meanwhile: allow for 64 MB of difference.
    EXPECT_LT(ex > old ? ex - old : old - ex, 64ull << 20);
    EXPECT_EQ(DiskFreeBytes("Q:\\nowhere\\", nullptr), 0u);  // no such drive
    EXPECT_EQ(ClusterBytes(65535, 64, 512), 2147450880ull);   // Windows 95's 2 GB cap, in 64 bits
    EXPECT_EQ(ClusterBytes(1u << 26, 8, 512), 1ull << 38);
}

// MoveFileExA as Windows 95 has it: exported, but not implemented.
BOOL WINAPI NotImplemented(LPCSTR, LPCSTR, DWORD) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}
BOOL WINAPI AccessDenied(LPCSTR, LPCSTR, DWORD) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

std::string ReadAll(const std::string& path) {
    char text[64] = "";
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD n = 0;
    if (h != INVALID_HANDLE_VALUE) {
        ReadFile(h, text, sizeof text - 1, &n, nullptr);
        CloseHandle(h);
    }
    return std::string(text, n);
}

void WriteAll(const std::string& path, const char* text) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n;
    WriteFile(h, text, lstrlenA(text), &n, nullptr);
    CloseHandle(h);
}

int FilesIn(const std::string& dir) {
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((dir + "*").c_str(), &found);
    int n = 0;
    if (h == INVALID_HANDLE_VALUE) return n;
    do n += !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    while (FindNextFileA(h, &found));
    FindClose(h);
    return n;
}

TEST(ReplaceWith, EverySystemsWayPutsTheNewFileInPlace) {
    ScratchDir scratch("owcompat");
    std::string dir = scratch.path, temp = scratch / "new.tmp", dest = scratch / "dest.dll";
    const struct {
        const char* system;
        MoveFileExProc ex;
        bool replaced;
        bool newHeld;  // the new file cannot be moved: another program has it open
    } cases[] = {
        {"NT", MoveFileExA, true, false},
        {"Windows 95", NotImplemented, true, false},
        {"Win32s", nullptr, true, false},
        {"a real failure", AccessDenied, false, false},  // the old file is kept
        // Wine has MoveFileExA whatever system it plays, so only here does a
        // run reach the fallback's failure: the old file must still be there.
        {"Windows 95, the move in fails", NotImplemented, false, true},
        {"Win32s, the move in fails", nullptr, false, true},
    };
    for (auto& c : cases) {
        WriteAll(dest, "old");
        WriteAll(temp, "new");
        HANDLE held = c.newHeld ? CreateFileA(temp.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                              nullptr)
                                : INVALID_HANDLE_VALUE;
        EXPECT_EQ(ReplaceWith(temp.c_str(), dest.c_str(), c.ex), c.replaced) << c.system;
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        EXPECT_EQ(ReadAll(dest), c.replaced ? "new" : "old") << c.system;
        EXPECT_EQ(GetFileAttributesA(temp.c_str()) == INVALID_FILE_ATTRIBUTES, c.replaced) << c.system;
        DeleteFileA(temp.c_str());
        EXPECT_EQ(FilesIn(dir), 1) << c.system << ": something was left beside the destination";
    }
}

}  // namespace
