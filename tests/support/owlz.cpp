// owlz IN OUT: expands IN into OUT with the Windows LZ expansion library, as
// the setup program does; exit 0 when the library reports success.
#include <windows.h>
#include <lzexpand.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: owlz IN OUT\n");
        return 2;
    }
    OFSTRUCT ofs;
    INT in = LZOpenFileA(argv[1], &ofs, OF_READ);
    INT out = LZOpenFileA(argv[2], &ofs, OF_CREATE);
    LONG n = in >= 0 && out >= 0 ? CopyLZFile(in, out) : -1;
    if (in >= 0) LZClose(in);
    if (out >= 0) LZClose(out);
    if (n < 0) fprintf(stderr, "owlz: %s: LZ error %ld\n", argv[1], n);
    return n < 0 ? 1 : 0;
}
