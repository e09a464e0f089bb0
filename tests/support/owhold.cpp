// owhold PATH [delete]: keeps PATH open with no sharing, as another program
// using the file would, until it is killed. With "delete" it lets the file be
// deleted meanwhile, as Windows 95 does with any open file.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) return 2;
    DWORD share = argc == 3 && !lstrcmpA(argv[2], "delete") ? FILE_SHARE_DELETE : 0;
    HANDLE h = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        fprintf(stderr, "owhold: cannot open %s\n", argv[1]);
        return 1;
    }
    printf("holding\n");
    fflush(stdout);
    Sleep(INFINITE);
    return 0;
}
