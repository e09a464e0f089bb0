// owhold PATH: keeps PATH open with no sharing, as another program using the
// file would, until it is killed.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    HANDLE h = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        fprintf(stderr, "owhold: cannot open %s\n", argv[1]);
        return 1;
    }
    printf("holding\n");
    fflush(stdout);
    Sleep(INFINITE);
    return 0;
}
