// A test's own folder for the files it writes, under the temporary folder.
// Wine gives a test program the same process id run after run, so no name a
// test can make tells two runs apart: the folder is emptied of what an earlier
// run left when it is made, and removed when it goes, pass or fail.
#pragma once
#include <string>

class ScratchDir {
public:
    // %TEMP%\NAME-TEST, TEST the running GoogleTest test's name.
    explicit ScratchDir(const char* name);
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    // A file's path in the folder.
    std::string operator/(const std::string& file) const { return path + file; }
    std::string path;  // with its backslash
};

// Deletes a directory and everything in it, read-only files too.
void RemoveTree(const std::string& dir);
