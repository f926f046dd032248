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

/* A wrapper that counts the call as `kind` and hands it on: `params` is the parameter
 * list, `args` the same names as the call's arguments. */
#define WRAP(kind, type, name, params, args)                                               \
    type name params                                                                       \
    {                                                                                      \
        Count(kind);                                                                       \
        REAL(type(*) params, name)                                                         \
        return real_##name args;                                                           \
    }

/* ---- open ---- */

/* open's mode is there only when the flags create a file. */
#define WRAP_OPEN(name, params, args)                                                      \
    int name params                                                                        \
    {                                                                                      \
        va_list arguments;                                                                 \
        va_start(arguments, flags);                                                        \
        const mode_t mode = ModeArgument(flags, arguments);                                \
        va_end(arguments);                                                                 \
        Count(kOpen);                                                                      \
        REAL(int(*) params, name)                                                          \
        return real_##name args;                                                           \
    }
WRAP_OPEN(open, (const char* path, int flags, ...), (path, flags, mode))
WRAP_OPEN(open64, (const char* path, int flags, ...), (path, flags, mode))
WRAP_OPEN(openat, (int directory, const char* path, int flags, ...), (directory, path, flags, mode))
WRAP_OPEN(openat64, (int directory, const char* path, int flags, ...),
          (directory, path, flags, mode))

/* The fortified entry points a -D_FORTIFY_SOURCE build calls instead. */
int __open_2(const char* path, int flags);
int __open64_2(const char* path, int flags);
int __openat_2(int directory, const char* path, int flags);
int __openat64_2(int directory, const char* path, int flags);
WRAP(kOpen, int, __open_2, (const char* path, int flags), (path, flags))
WRAP(kOpen, int, __open64_2, (const char* path, int flags), (path, flags))
WRAP(kOpen, int, __openat_2, (int directory, const char* path, int flags), (directory, path, flags))
WRAP(kOpen, int, __openat64_2, (int directory, const char* path, int flags),
     (directory, path, flags))

WRAP(kOpen, int, creat, (const char* path, mode_t mode), (path, mode))
WRAP(kOpen, int, creat64, (const char* path, mode_t mode), (path, mode))
WRAP(kOpen, FILE*, fopen, (const char* path, const char* mode), (path, mode))
WRAP(kOpen, FILE*, fopen64, (const char* path, const char* mode), (path, mode))
WRAP(kOpen, int, mkstemp, (char* pattern), (pattern))
WRAP(kOpen, int, mkstemp64, (char* pattern), (pattern))
WRAP(kOpen, int, mkostemp, (char* pattern, int flags), (pattern, flags))
WRAP(kOpen, int, mkostemp64, (char* pattern, int flags), (pattern, flags))
WRAP(kOpen, int, mkstemps, (char* pattern, int suffixLength), (pattern, suffixLength))
WRAP(kOpen, int, mkstemps64, (char* pattern, int suffixLength), (pattern, suffixLength))
WRAP(kOpen, int, mkostemps, (char* pattern, int suffixLength, int flags),
     (pattern, suffixLength, flags))
WRAP(kOpen, int, mkostemps64, (char* pattern, int suffixLength, int flags),
     (pattern, suffixLength, flags))
WRAP(kOpen, FILE*, tmpfile, (void), ())
WRAP(kOpen, FILE*, tmpfile64, (void), ())

/* ---- write ---- */

WRAP(kWrite, ssize_t, write, (int fd, const void* data, size_t size), (fd, data, size))
WRAP(kWrite, ssize_t, pwrite, (int fd, const void* data, size_t size, off_t offset),
     (fd, data, size, offset))
WRAP(kWrite, ssize_t, pwrite64, (int fd, const void* data, size_t size, off_t offset),
     (fd, data, size, offset))
WRAP(kWrite, ssize_t, writev, (int fd, const struct iovec* pieces, int count), (fd, pieces, count))
WRAP(kWrite, ssize_t, pwritev, (int fd, const struct iovec* pieces, int count, off_t offset),
     (fd, pieces, count, offset))
WRAP(kWrite, ssize_t, pwritev64, (int fd, const struct iovec* pieces, int count, off_t offset),
     (fd, pieces, count, offset))
WRAP(kWrite, ssize_t, sendfile, (int to, int from, off_t* offset, size_t count),
     (to, from, offset, count))
WRAP(kWrite, ssize_t, sendfile64, (int to, int from, off_t* offset, size_t count),
     (to, from, offset, count))
WRAP(kWrite, ssize_t, copy_file_range,
     (int from, off64_t* fromOffset, int to, off64_t* toOffset, size_t count, unsigned int flags),
     (from, fromOffset, to, toOffset, count, flags))

/* ---- sync ---- */

WRAP(kSync, int, fsync, (int fd), (fd))
WRAP(kSync, int, fdatasync, (int fd), (fd))
WRAP(kSync, int, syncfs, (int fd), (fd))
WRAP(kSync, int, sync_file_range, (int fd, off64_t offset, off64_t count, unsigned int flags),
     (fd, offset, count, flags))

void sync(void)
{
    Count(kSync);
    REAL(void (*)(void), sync)
    real_sync();
}

/* ---- rename ---- */

WRAP(kRename, int, rename, (const char* from, const char* to), (from, to))
WRAP(kRename, int, renameat, (int fromDirectory, const char* from, int toDirectory, const char* to),
     (fromDirectory, from, toDirectory, to))

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

WRAP(kLink, int, link, (const char* from, const char* to), (from, to))
WRAP(kLink, int, linkat,
     (int fromDirectory, const char* from, int toDirectory, const char* to, int flags),
     (fromDirectory, from, toDirectory, to, flags))
WRAP(kLink, int, symlink, (const char* target, const char* path), (target, path))
WRAP(kLink, int, symlinkat, (const char* target, int directory, const char* path),
     (target, directory, path))

/* ---- unlink ---- */

WRAP(kUnlink, int, unlink, (const char* path), (path))
WRAP(kUnlink, int, remove, (const char* path), (path))
WRAP(kUnlink, int, rmdir, (const char* path), (path))
WRAP(kUnlink, int, unlinkat, (int directory, const char* path, int flags), (directory, path, flags))

/* ---- mkdir ---- */

WRAP(kMkdir, int, mkdir, (const char* path, mode_t mode), (path, mode))
WRAP(kMkdir, int, mkdirat, (int directory, const char* path, mode_t mode), (directory, path, mode))

/* ---- truncate ---- */

WRAP(kTruncate, int, ftruncate, (int fd, off_t size), (fd, size))
WRAP(kTruncate, int, ftruncate64, (int fd, off_t size), (fd, size))
WRAP(kTruncate, int, truncate, (const char* path, off_t size), (path, size))
WRAP(kTruncate, int, truncate64, (const char* path, off_t size), (path, size))
WRAP(kTruncate, int, fallocate, (int fd, int mode, off_t offset, off_t length),
     (fd, mode, offset, length))
WRAP(kTruncate, int, fallocate64, (int fd, int mode, off_t offset, off_t length),
     (fd, mode, offset, length))
WRAP(kTruncate, int, posix_fallocate, (int fd, off_t offset, off_t length), (fd, offset, length))
WRAP(kTruncate, int, posix_fallocate64, (int fd, off_t offset, off_t length), (fd, offset, length))

/* ---- close ---- */

WRAP(kClose, int, close, (int fd), (fd))
WRAP(kClose, int, fclose, (FILE* stream), (stream))

/* ---- attr: modes, owners, times ---- */

WRAP(kAttr, int, fchmod, (int fd, mode_t mode), (fd, mode))
WRAP(kAttr, int, chmod, (const char* path, mode_t mode), (path, mode))
WRAP(kAttr, int, fchmodat, (int directory, const char* path, mode_t mode, int flags),
     (directory, path, mode, flags))
WRAP(kAttr, int, fchown, (int fd, uid_t owner, gid_t group), (fd, owner, group))
WRAP(kAttr, int, chown, (const char* path, uid_t owner, gid_t group), (path, owner, group))
WRAP(kAttr, int, lchown, (const char* path, uid_t owner, gid_t group), (path, owner, group))
WRAP(kAttr, int, fchownat, (int directory, const char* path, uid_t owner, gid_t group, int flags),
     (directory, path, owner, group, flags))
WRAP(kAttr, int, utimensat,
     (int directory, const char* path, const struct timespec times[2], int flags),
     (directory, path, times, flags))
WRAP(kAttr, int, futimens, (int fd, const struct timespec times[2]), (fd, times))
WRAP(kAttr, int, utime, (const char* path, const struct utimbuf* times), (path, times))
WRAP(kAttr, int, utimes, (const char* path, const struct timeval times[2]), (path, times))

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
