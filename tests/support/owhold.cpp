// owhold PATH [writer]: keeps PATH open with no sharing, as another program
// using the file would, until it is killed, or until the file that OW_RELEASE
// names exists: then it closes PATH and says whether PATH is still there
// ("kept") or went with its handle ("gone": a file deleted while open goes
// when the last handle to it closes). With "writer" it holds the file as
// another setup writing its temporary does on Windows 95: OpenFile's
// compatibility mode lets others read and write it, and Windows 95 lets any
// open file be deleted.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) return 2;
    DWORD share = argc == 3 && !lstrcmpA(argv[2], "writer") ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE : 0;
    HANDLE h = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        fprintf(stderr, "owhold: cannot open %s\n", argv[1]);
        return 1;
    }
    printf("holding\n");
    fflush(stdout);
    const char* release = getenv("OW_RELEASE");
    if (!release) Sleep(INFINITE);
    while (GetFileAttributesA(release) == INVALID_FILE_ATTRIBUTES) Sleep(20);
    CloseHandle(h);
    printf(GetFileAttributesA(argv[1]) == INVALID_FILE_ATTRIBUTES ? "gone\n" : "kept\n");
    return 0;
}
