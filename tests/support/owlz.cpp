// owlz IN OUT [IN OUT...]: expands each IN into its OUT with the Windows LZ
// expansion library, as the setup program does; exit 0 when the library
// reports success for every one. One start of Wine for many files.
#include <windows.h>
#include <lzexpand.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3 || argc % 2 == 0) {
        fprintf(stderr, "usage: owlz IN OUT [IN OUT...]\n");
        return 2;
    }
    int rc = 0;
    for (int i = 1; i < argc; i += 2) {
        OFSTRUCT ofs;
        INT in = LZOpenFileA(argv[i], &ofs, OF_READ);
        INT out = LZOpenFileA(argv[i + 1], &ofs, OF_CREATE);
        LONG n = in >= 0 && out >= 0 ? CopyLZFile(in, out) : -1;
        if (in >= 0) LZClose(in);
        if (out >= 0) LZClose(out);
        if (n < 0) {
            fprintf(stderr, "owlz: %s: LZ error %ld\n", argv[i], n);
            rc = 1;
        }
    }
    return rc;
}
