/* mspack_expand IN OUT: expands an SZDD file with libmspack, an expander
   independent of the Windows one. */
#include <mspack.h>
#include <stdio.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: mspack_expand IN OUT\n");
        return 2;
    }
    struct msszdd_decompressor* d = mspack_create_szdd_decompressor(NULL);
    struct msszddd_header* h = d ? d->open(d, argv[1]) : NULL;
    int err = h ? d->extract(d, h, argv[2]) : MSPACK_ERR_OPEN;
    if (h) d->close(d, h);
    if (d) mspack_destroy_szdd_decompressor(d);
    if (err != MSPACK_ERR_OK) fprintf(stderr, "mspack_expand: %s: error %d\n", argv[1], err);
    return err == MSPACK_ERR_OK ? 0 : 1;
}
