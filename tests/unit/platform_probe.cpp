// Exits 0 when Platform() gives the value on the command line. The test bed
// runs copies of this program under emulated Windows versions.
#include <cstdio>
#include <cstdlib>

#include "setup.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    int want = atoi(argv[1]), got = Platform();
    if (got != want) fprintf(stderr, "Platform() = %d, expected %d\n", got, want);
    return got == want ? 0 : 1;
}
