#include "scratch.h"

#include <gtest/gtest.h>
#include <windows.h>

ScratchDir::ScratchDir(const char* name) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string dir = std::string(temp) + name + "-" + testing::UnitTest::GetInstance()->current_test_info()->name();
    RemoveTree(dir);
    CreateDirectoryA(dir.c_str(), nullptr);
    path = dir + "\\";
}

ScratchDir::~ScratchDir() { RemoveTree(path.substr(0, path.size() - 1)); }

void RemoveTree(const std::string& dir) {
    SetFileAttributesA(dir.c_str(), FILE_ATTRIBUTE_NORMAL);
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = dir + "\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else if (SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL))
                DeleteFileA(path.c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}
