// Preloaded into a test's child process: counts the writes, syncs and renames
// it makes on files below a folder, and makes one of them fail, as a failing
// or full disk would.
//
//   WARDIX_FAULT_ROOT   only calls on paths below this folder count
//   WARDIX_FAULT_SPARE  one path below it whose calls never count (the task log)
//   WARDIX_FAULT_MATCH  if set, only calls on paths holding this text count
//   WARDIX_FAULT_AT     the call that fails, from 1; 0 or unset: none fails
//   WARDIX_FAULT_ERRNO  "EIO" (default) or "ENOSPC"
//   WARDIX_FAULT_COUNT  at exit, the number of calls counted is written here
//   WARDIX_FAULT_LOG    the failed call's kind and path are written here
//   WARDIX_FAULT_TRACE  every counted call's number, kind and path are added here
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdatomic.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/sendfile.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

static atomic_long g_calls;
static long g_failAt;
static int g_errno = EIO;
static char g_root[PATH_MAX];
static char g_spare[PATH_MAX];
static char g_match[PATH_MAX];
static int g_ready;

__attribute__((constructor)) static void FaultSetUp(void)
{
    const char* root = getenv("WARDIX_FAULT_ROOT");
    const char* at = getenv("WARDIX_FAULT_AT");
    const char* code = getenv("WARDIX_FAULT_ERRNO");
    const char* spare = getenv("WARDIX_FAULT_SPARE");
    const char* match = getenv("WARDIX_FAULT_MATCH");
    if (!root || !realpath(root, g_root))
        return;
    if (spare)
        snprintf(g_spare, sizeof g_spare, "%s", spare);
    if (match)
        snprintf(g_match, sizeof g_match, "%s", match);
    g_failAt = at ? atol(at) : 0;
    if (code && strcmp(code, "ENOSPC") == 0)
        g_errno = ENOSPC;
    g_ready = 1;
}

__attribute__((destructor)) static void FaultTearDown(void)
{
    const char* countFile = getenv("WARDIX_FAULT_COUNT");
    if (!g_ready || !countFile)
        return;
    FILE* out = fopen(countFile, "w");
    if (out) {
        fprintf(out, "%ld\n", atomic_load(&g_calls));
        fclose(out);
    }
}

static int IsBelowRoot(const char* path)
{
    const size_t length = strlen(g_root);
    if (g_spare[0] && strcmp(path, g_spare) == 0)
        return 0;
    if (g_match[0] && !strstr(path, g_match))
        return 0;
    return strncmp(path, g_root, length) == 0 && (path[length] == '/' || path[length] == '\0');
}

static int PathCounts(const char* path)
{
    if (!g_ready || !path)
        return 0;
    char absolute[PATH_MAX];
    if (path[0] != '/') {
        if (!getcwd(absolute, sizeof absolute))
            return 0;
        strncat(absolute, "/", sizeof absolute - strlen(absolute) - 1);
        strncat(absolute, path, sizeof absolute - strlen(absolute) - 1);
        path = absolute;
    }
    return IsBelowRoot(path);
}

static int FdCounts(int fd, char* path, size_t size)
{
    if (!g_ready || fd < 0)
        return 0;
    char link[64];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = readlink(link, path, size - 1);
    if (length <= 0)
        return 0;
    path[length] = '\0';
    return IsBelowRoot(path);
}

// True when this counted call is the one to fail; errno is then set.
static int FailsNow(const char* kind, const char* path)
{
    const long call = atomic_fetch_add(&g_calls, 1) + 1;
    const char* traceFile = getenv("WARDIX_FAULT_TRACE");
    FILE* trace = traceFile ? fopen(traceFile, "a") : NULL;
    if (trace) {
        fprintf(trace, "%ld %s %s\n", call, kind, path);
        fclose(trace);
    }
    if (call != g_failAt)
        return 0;
    const char* logFile = getenv("WARDIX_FAULT_LOG");
    FILE* log = logFile ? fopen(logFile, "w") : NULL;
    if (log) {
        fprintf(log, "%ld %s %s\n", call, kind, path);
        fclose(log);
    }
    errno = g_errno;
    return 1;
}

#define REAL(name) ((__typeof__(&name))dlsym(RTLD_NEXT, #name))

#define FD_CALL(kind, fd, failed, call)                                                                               \
    do {                                                                                                              \
        char path_[PATH_MAX];                                                                                         \
        if (FdCounts(fd, path_, sizeof path_) && FailsNow(kind, path_))                                              \
            return failed;                                                                                            \
        return call;                                                                                                  \
    } while (0)

ssize_t write(int fd, const void* buffer, size_t count)
{
    FD_CALL("write", fd, -1, REAL(write)(fd, buffer, count));
}

ssize_t pwrite(int fd, const void* buffer, size_t count, off_t offset)
{
    FD_CALL("write", fd, -1, REAL(pwrite)(fd, buffer, count, offset));
}

ssize_t pwrite64(int fd, const void* buffer, size_t count, off64_t offset)
{
    FD_CALL("write", fd, -1, REAL(pwrite64)(fd, buffer, count, offset));
}

ssize_t writev(int fd, const struct iovec* vectors, int count)
{
    FD_CALL("write", fd, -1, REAL(writev)(fd, vectors, count));
}

ssize_t sendfile(int out, int in, off_t* offset, size_t count)
{
    FD_CALL("write", out, -1, REAL(sendfile)(out, in, offset, count));
}

ssize_t sendfile64(int out, int in, off64_t* offset, size_t count)
{
    FD_CALL("write", out, -1, REAL(sendfile64)(out, in, offset, count));
}

ssize_t copy_file_range(int in, off64_t* inOffset, int out, off64_t* outOffset, size_t count, unsigned flags)
{
    FD_CALL("write", out, -1, REAL(copy_file_range)(in, inOffset, out, outOffset, count, flags));
}

int fsync(int fd)
{
    FD_CALL("fsync", fd, -1, REAL(fsync)(fd));
}

int fdatasync(int fd)
{
    FD_CALL("fdatasync", fd, -1, REAL(fdatasync)(fd));
}

int syncfs(int fd)
{
    FD_CALL("syncfs", fd, -1, REAL(syncfs)(fd));
}

int rename(const char* from, const char* to)
{
    if (PathCounts(to) && FailsNow("rename", to))
        return -1;
    return REAL(rename)(from, to);
}

int renameat(int fromDir, const char* from, int toDir, const char* to)
{
    if (toDir == AT_FDCWD && PathCounts(to) && FailsNow("rename", to))
        return -1;
    return REAL(renameat)(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags)
{
    if (toDir == AT_FDCWD && PathCounts(to) && FailsNow("rename", to))
        return -1;
    return REAL(renameat2)(fromDir, from, toDir, to, flags);
}
