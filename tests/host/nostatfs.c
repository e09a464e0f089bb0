/* Preloaded into Wine (LD_PRELOAD), makes the file systems under the path in
 * OW_NOSTATFS answer no free-space query, as a network file system that does
 * not implement one: Windows programs then see GetDiskFreeSpace(Ex) fail
 * there, while their files are read and written as before. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <unistd.h>

static int unanswered(int fd) {
    const char* prefix = getenv("OW_NOSTATFS");
    char link[64], path[4096];
    if (!prefix || !*prefix) return 0;
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    ssize_t n = readlink(link, path, sizeof path - 1);
    if (n < 0) return 0;
    path[n] = '\0';
    return strncmp(path, prefix, strlen(prefix)) == 0;
}

int fstatfs(int fd, struct statfs* buf) {
    static int (*real)(int, struct statfs*);
    if (!real) real = (int (*)(int, struct statfs*))dlsym(RTLD_NEXT, "fstatfs");
    if (unanswered(fd)) {
        errno = ENOSYS;
        return -1;
    }
    return real(fd, buf);
}

int fstatvfs(int fd, struct statvfs* buf) {
    static int (*real)(int, struct statvfs*);
    if (!real) real = (int (*)(int, struct statvfs*))dlsym(RTLD_NEXT, "fstatvfs");
    if (unanswered(fd)) {
        errno = ENOSYS;
        return -1;
    }
    return real(fd, buf);
}
