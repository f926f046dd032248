/* Preloaded into a program under test (LD_PRELOAD), this library counts the program's
 * file-system calls by kind and, when told, kills the program with SIGKILL just before
 * the N-th call of one kind, as a power cut or an OOM kill would stop it there.
 *
 *   QUILLERY_KILL_KIND=rename QUILLERY_KILL_AT=2   kill before the second rename
 *   QUILLERY_REFUSE_RENAMEAT2=1                    renameat2 fails with EINVAL, so the
 *                                                  link + unlink fallback runs
 *   QUILLERY_COUNT_FILE=path                       at exit, write one line per kind:
 *                                                  "kind total before-first-rename"
 *
 * Only calls that reach libc through its exported symbols are seen; libc's own
 * internal calls (stdio's, mkstemp's) are counted at the exported function instead
 * (fopen, mkostemp), which is why those are wrapped too.
 *
 * Written in C: the C++ headers declare these functions with exception specifications
 * that a redefinition would have to repeat one by one. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/uio.h>
#include <unistd.h>
#include <utime.h>

enum Kind { kOpen, kWrite, kSync, kRename, kLink, kUnlink, kMkdir, kTruncate, kClose, kAttr, kKinds };

static const char* const kKindNames[kKinds] = {"open", "write", "sync", "rename", "link",
                                               "unlink", "mkdir", "truncate", "close", "attr"};

static unsigned long s_counts[kKinds];
static unsigned long s_beforeFirstRename[kKinds];
static int s_killKind = -1;
static unsigned long s_killAt;
static int s_refuseRenameat2;
static const char* s_countFile;
static pthread_once_t s_once = PTHREAD_ONCE_INIT;

static void ReadSettings(void)
{
    const char* kind = getenv("QUILLERY_KILL_KIND");
    const char* at = getenv("QUILLERY_KILL_AT");
    if (kind != NULL && at != NULL) {
        for (int k = 0; k < kKinds; ++k)
            if (strcmp(kind, kKindNames[k]) == 0) s_killKind = k;
        s_killAt = strtoul(at, NULL, 10);
    }
    const char* refuse = getenv("QUILLERY_REFUSE_RENAMEAT2");
    s_refuseRenameat2 = refuse != NULL && strcmp(refuse, "1") == 0;
    s_countFile = getenv("QUILLERY_COUNT_FILE");
}

static void* Next(const char* name)
{
    return dlsym(RTLD_NEXT, name);
}

/* The next definition of `name` (libc's), looked up at the first call: a call may come
 * from another library's constructor before ours has run. dlsym gives an object
 * pointer; memcpy turns it into a function pointer without the cast ISO C forbids. */
#define REAL(type, name)                                                                   \
    static __typeof__(type) real_##name;                                                   \
    if (__atomic_load_n(&real_##name, __ATOMIC_ACQUIRE) == NULL) {                         \
        void* found = Next(#name);                                                         \
        __typeof__(type) fn;                                                               \
        memcpy(&fn, &found, sizeof fn);                                                    \
        __atomic_store_n(&real_##name, fn, __ATOMIC_RELEASE);                              \
    }

/* Counts one call; dies here, before the call, when it is the chosen one. */
static void Count(enum Kind kind)
{
    pthread_once(&s_once, ReadSettings);
    const unsigned long n = __atomic_add_fetch(&s_counts[kind], 1, __ATOMIC_SEQ_CST);
    if (kind == kRename && n == 1) {
        for (int k = 0; k < kKinds; ++k)
            s_beforeFirstRename[k] = __atomic_load_n(&s_counts[k], __ATOMIC_SEQ_CST);
        s_beforeFirstRename[kRename] = 0;
    }
    if ((int)kind == s_killKind && n == s_killAt) {
        kill(getpid(), SIGKILL);
        for (;;) pause();
    }
}

static mode_t ModeArgument(int flags, va_list arguments)
{
    return (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE ? (mode_t)va_arg(arguments, int)
                                                                      : 0;
}

/* ---- open ---- */

#define WRAP_OPEN(name)                                                                    \
    int name(const char* path, int flags, ...)                                             \
    {                                                                                      \
        va_list arguments;                                                                 \
        va_start(arguments, flags);                                                        \
        const mode_t mode = ModeArgument(flags, arguments);                                \
        va_end(arguments);                                                                 \
        Count(kOpen);                                                                      \
        REAL(int (*)(const char*, int, ...), name)                                         \
        return real_##name(path, flags, mode);                                             \
    }
WRAP_OPEN(open)
WRAP_OPEN(open64)

#define WRAP_OPENAT(name)                                                                  \
    int name(int directory, const char* path, int flags, ...)                              \
    {                                                                                      \
        va_list arguments;                                                                 \
        va_start(arguments, flags);                                                        \
        const mode_t mode = ModeArgument(flags, arguments);                                \
        va_end(arguments);                                                                 \
        Count(kOpen);                                                                      \
        REAL(int (*)(int, const char*, int, ...), name)                                    \
        return real_##name(directory, path, flags, mode);                                  \
    }
WRAP_OPENAT(openat)
WRAP_OPENAT(openat64)

/* The fortified entry points a -D_FORTIFY_SOURCE build calls instead. */
int __open_2(const char* path, int flags);
int __open64_2(const char* path, int flags);
int __openat_2(int directory, const char* path, int flags);
int __openat64_2(int directory, const char* path, int flags);
#define WRAP_OPEN_2(name)                                                                  \
    int name(const char* path, int flags)                                                  \
    {                                                                                      \
        Count(kOpen);                                                                      \
        REAL(int (*)(const char*, int), name)                                              \
        return real_##name(path, flags);                                                   \
    }
WRAP_OPEN_2(__open_2)
WRAP_OPEN_2(__open64_2)
#define WRAP_OPENAT_2(name)                                                                \
    int name(int directory, const char* path, int flags)                                   \
    {                                                                                      \
        Count(kOpen);                                                                      \
        REAL(int (*)(int, const char*, int), name)                                         \
        return real_##name(directory, path, flags);                                        \
    }
WRAP_OPENAT_2(__openat_2)
WRAP_OPENAT_2(__openat64_2)

#define WRAP_CREAT(name)                                                                   \
    int name(const char* path, mode_t mode)                                                \
    {                                                                                      \
        Count(kOpen);                                                                      \
        REAL(int (*)(const char*, mode_t), name)                                           \
        return real_##name(path, mode);                                                    \
    }
WRAP_CREAT(creat)
WRAP_CREAT(creat64)

#define WRAP_FOPEN(name)                                                                   \
    FILE* name(const char* path, const char* mode)                                         \
    {                                                                                      \
        Count(kOpen);                                                                      \
        REAL(FILE* (*)(const char*, const char*), name)                                    \
        return real_##name(path, mode);                                                    \
    }
WRAP_FOPEN(fopen)
WRAP_FOPEN(fopen64)

#define WRAP_MKSTEMP(name)                                                                 \
    int name(char* pattern)                                                                \
    {                                                                                      \
        Count(kOpen);                                                                      \
        REAL(int (*)(char*), name)                                                         \
        return real_##name(pattern);                                                       \
    }
WRAP_MKSTEMP(mkstemp)
WRAP_MKSTEMP(mkstemp64)
#define WRAP_MKOSTEMP(name)                                                                \
    int name(char* pattern, int flags)                                                     \
    {                                                                                      \
        Count(kOpen);                                                                      \
        REAL(int (*)(char*, int), name)                                                    \
        return real_##name(pattern, flags);                                                \
    }
WRAP_MKOSTEMP(mkostemp)
WRAP_MKOSTEMP(mkostemp64)
#define WRAP_MKSTEMPS(name)                                                                \
    int name(char* pattern, int suffixLength)                                              \
    {                                                                                      \
        Count(kOpen);                                                                      \
        REAL(int (*)(char*, int), name)                                                    \
        return real_##name(pattern, suffixLength);                                         \
    }
WRAP_MKSTEMPS(mkstemps)
WRAP_MKSTEMPS(mkstemps64)
#define WRAP_MKOSTEMPS(name)                                                               \
    int name(char* pattern, int suffixLength, int flags)                                   \
    {                                                                                      \
        Count(kOpen);                                                                      \
        REAL(int (*)(char*, int, int), name)                                               \
        return real_##name(pattern, suffixLength, flags);                                  \
    }
WRAP_MKOSTEMPS(mkostemps)
WRAP_MKOSTEMPS(mkostemps64)

#define WRAP_TMPFILE(name)                                                                 \
    FILE* name(void)                                                                       \
    {                                                                                      \
        Count(kOpen);                                                                      \
        REAL(FILE* (*)(void), name)                                                        \
        return real_##name();                                                              \
    }
WRAP_TMPFILE(tmpfile)
WRAP_TMPFILE(tmpfile64)

/* ---- write ---- */

ssize_t write(int fd, const void* data, size_t size)
{
    Count(kWrite);
    REAL(ssize_t(*)(int, const void*, size_t), write)
    return real_write(fd, data, size);
}

#define WRAP_PWRITE(name)                                                                  \
    ssize_t name(int fd, const void* data, size_t size, off_t offset)                      \
    {                                                                                      \
        Count(kWrite);                                                                     \
        REAL(ssize_t(*)(int, const void*, size_t, off_t), name)                            \
        return real_##name(fd, data, size, offset);                                        \
    }
WRAP_PWRITE(pwrite)
WRAP_PWRITE(pwrite64)

ssize_t writev(int fd, const struct iovec* pieces, int count)
{
    Count(kWrite);
    REAL(ssize_t(*)(int, const struct iovec*, int), writev)
    return real_writev(fd, pieces, count);
}

#define WRAP_PWRITEV(name)                                                                 \
    ssize_t name(int fd, const struct iovec* pieces, int count, off_t offset)              \
    {                                                                                      \
        Count(kWrite);                                                                     \
        REAL(ssize_t(*)(int, const struct iovec*, int, off_t), name)                       \
        return real_##name(fd, pieces, count, offset);                                     \
    }
WRAP_PWRITEV(pwritev)
WRAP_PWRITEV(pwritev64)

#define WRAP_SENDFILE(name)                                                                \
    ssize_t name(int to, int from, off_t* offset, size_t count)                            \
    {                                                                                      \
        Count(kWrite);                                                                     \
        REAL(ssize_t(*)(int, int, off_t*, size_t), name)                                   \
        return real_##name(to, from, offset, count);                                       \
    }
WRAP_SENDFILE(sendfile)
WRAP_SENDFILE(sendfile64)

ssize_t copy_file_range(int from, off64_t* fromOffset, int to, off64_t* toOffset, size_t count,
                        unsigned int flags)
{
    Count(kWrite);
    REAL(ssize_t(*)(int, off64_t*, int, off64_t*, size_t, unsigned int), copy_file_range)
    return real_copy_file_range(from, fromOffset, to, toOffset, count, flags);
}

/* ---- sync ---- */

#define WRAP_FD(kind, name)                                                                \
    int name(int fd)                                                                       \
    {                                                                                      \
        Count(kind);                                                                       \
        REAL(int (*)(int), name)                                                           \
        return real_##name(fd);                                                            \
    }
WRAP_FD(kSync, fsync)
WRAP_FD(kSync, fdatasync)
WRAP_FD(kSync, syncfs)

void sync(void)
{
    Count(kSync);
    REAL(void (*)(void), sync)
    real_sync();
}

int sync_file_range(int fd, off64_t offset, off64_t count, unsigned int flags)
{
    Count(kSync);
    REAL(int (*)(int, off64_t, off64_t, unsigned int), sync_file_range)
    return real_sync_file_range(fd, offset, count, flags);
}

/* ---- rename ---- */

int rename(const char* from, const char* to)
{
    Count(kRename);
    REAL(int (*)(const char*, const char*), rename)
    return real_rename(from, to);
}

int renameat(int fromDirectory, const char* from, int toDirectory, const char* to)
{
    Count(kRename);
    REAL(int (*)(int, const char*, int, const char*), renameat)
    return real_renameat(fromDirectory, from, toDirectory, to);
}

int renameat2(int fromDirectory, const char* from, int toDirectory, const char* to,
              unsigned int flags)
{
    Count(kRename);
    pthread_once(&s_once, ReadSettings);
    if (s_refuseRenameat2) {
        errno = EINVAL;
        return -1;
    }
    REAL(int (*)(int, const char*, int, const char*, unsigned int), renameat2)
    return real_renameat2(fromDirectory, from, toDirectory, to, flags);
}

/* ---- link ---- */

int link(const char* from, const char* to)
{
    Count(kLink);
    REAL(int (*)(const char*, const char*), link)
    return real_link(from, to);
}

int linkat(int fromDirectory, const char* from, int toDirectory, const char* to, int flags)
{
    Count(kLink);
    REAL(int (*)(int, const char*, int, const char*, int), linkat)
    return real_linkat(fromDirectory, from, toDirectory, to, flags);
}

int symlink(const char* target, const char* path)
{
    Count(kLink);
    REAL(int (*)(const char*, const char*), symlink)
    return real_symlink(target, path);
}

int symlinkat(const char* target, int directory, const char* path)
{
    Count(kLink);
    REAL(int (*)(const char*, int, const char*), symlinkat)
    return real_symlinkat(target, directory, path);
}

/* ---- unlink ---- */

#define WRAP_PATH(kind, name)                                                              \
    int name(const char* path)                                                             \
    {                                                                                      \
        Count(kind);                                                                       \
        REAL(int (*)(const char*), name)                                                   \
        return real_##name(path);                                                          \
    }
WRAP_PATH(kUnlink, unlink)
WRAP_PATH(kUnlink, remove)
WRAP_PATH(kUnlink, rmdir)

int unlinkat(int directory, const char* path, int flags)
{
    Count(kUnlink);
    REAL(int (*)(int, const char*, int), unlinkat)
    return real_unlinkat(directory, path, flags);
}

/* ---- mkdir ---- */

int mkdir(const char* path, mode_t mode)
{
    Count(kMkdir);
    REAL(int (*)(const char*, mode_t), mkdir)
    return real_mkdir(path, mode);
}

int mkdirat(int directory, const char* path, mode_t mode)
{
    Count(kMkdir);
    REAL(int (*)(int, const char*, mode_t), mkdirat)
    return real_mkdirat(directory, path, mode);
}

/* ---- truncate ---- */

#define WRAP_FTRUNCATE(name)                                                               \
    int name(int fd, off_t size)                                                           \
    {                                                                                      \
        Count(kTruncate);                                                                  \
        REAL(int (*)(int, off_t), name)                                                    \
        return real_##name(fd, size);                                                      \
    }
WRAP_FTRUNCATE(ftruncate)
WRAP_FTRUNCATE(ftruncate64)
#define WRAP_TRUNCATE(name)                                                                \
    int name(const char* path, off_t size)                                                 \
    {                                                                                      \
        Count(kTruncate);                                                                  \
        REAL(int (*)(const char*, off_t), name)                                            \
        return real_##name(path, size);                                                    \
    }
WRAP_TRUNCATE(truncate)
WRAP_TRUNCATE(truncate64)

#define WRAP_FALLOCATE(name)                                                               \
    int name(int fd, int mode, off_t offset, off_t length)                                 \
    {                                                                                      \
        Count(kTruncate);                                                                  \
        REAL(int (*)(int, int, off_t, off_t), name)                                        \
        return real_##name(fd, mode, offset, length);                                      \
    }
WRAP_FALLOCATE(fallocate)
WRAP_FALLOCATE(fallocate64)
#define WRAP_POSIX_FALLOCATE(name)                                                         \
    int name(int fd, off_t offset, off_t length)                                           \
    {                                                                                      \
        Count(kTruncate);                                                                  \
        REAL(int (*)(int, off_t, off_t), name)                                             \
        return real_##name(fd, offset, length);                                            \
    }
WRAP_POSIX_FALLOCATE(posix_fallocate)
WRAP_POSIX_FALLOCATE(posix_fallocate64)

/* ---- close ---- */

WRAP_FD(kClose, close)

int fclose(FILE* stream)
{
    Count(kClose);
    REAL(int (*)(FILE*), fclose)
    return real_fclose(stream);
}

/* ---- attr: modes, owners, times ---- */

int fchmod(int fd, mode_t mode)
{
    Count(kAttr);
    REAL(int (*)(int, mode_t), fchmod)
    return real_fchmod(fd, mode);
}

int chmod(const char* path, mode_t mode)
{
    Count(kAttr);
    REAL(int (*)(const char*, mode_t), chmod)
    return real_chmod(path, mode);
}

int fchmodat(int directory, const char* path, mode_t mode, int flags)
{
    Count(kAttr);
    REAL(int (*)(int, const char*, mode_t, int), fchmodat)
    return real_fchmodat(directory, path, mode, flags);
}

int fchown(int fd, uid_t owner, gid_t group)
{
    Count(kAttr);
    REAL(int (*)(int, uid_t, gid_t), fchown)
    return real_fchown(fd, owner, group);
}

#define WRAP_CHOWN(name)                                                                   \
    int name(const char* path, uid_t owner, gid_t group)                                   \
    {                                                                                      \
        Count(kAttr);                                                                      \
        REAL(int (*)(const char*, uid_t, gid_t), name)                                     \
        return real_##name(path, owner, group);                                            \
    }
WRAP_CHOWN(chown)
WRAP_CHOWN(lchown)

int fchownat(int directory, const char* path, uid_t owner, gid_t group, int flags)
{
    Count(kAttr);
    REAL(int (*)(int, const char*, uid_t, gid_t, int), fchownat)
    return real_fchownat(directory, path, owner, group, flags);
}

int utimensat(int directory, const char* path, const struct timespec times[2], int flags)
{
    Count(kAttr);
    REAL(int (*)(int, const char*, const struct timespec*, int), utimensat)
    return real_utimensat(directory, path, times, flags);
}

int futimens(int fd, const struct timespec times[2])
{
    Count(kAttr);
    REAL(int (*)(int, const struct timespec*), futimens)
    return real_futimens(fd, times);
}

int utime(const char* path, const struct utimbuf* times)
{
    Count(kAttr);
    REAL(int (*)(const char*, const struct utimbuf*), utime)
    return real_utime(path, times);
}

int utimes(const char* path, const struct timeval times[2])
{
    Count(kAttr);
    REAL(int (*)(const char*, const struct timeval*), utimes)
    return real_utimes(path, times);
}

/* ---- the counts, at exit ---- */

__attribute__((destructor)) static void WriteCounts(void)
{
    pthread_once(&s_once, ReadSettings);
    if (s_countFile == NULL) return;
    /* The report's own calls are not the program's: the real functions write it. */
    REAL(int (*)(const char*, int, ...), open)
    REAL(ssize_t(*)(int, const void*, size_t), write)
    REAL(int (*)(int), close)
    const int fd = real_open(s_countFile, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return;
    char line[96];
    for (int k = 0; k < kKinds; ++k) {
        const int length = snprintf(line, sizeof line, "%s %lu %lu\n", kKindNames[k],
                                    __atomic_load_n(&s_counts[k], __ATOMIC_SEQ_CST),
                                    s_beforeFirstRename[k]);
        if (length > 0) real_write(fd, line, (size_t)length);
    }
    real_close(fd);
}
