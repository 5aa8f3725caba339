// Preloaded into the save helper by the fault tests: the disk refuses to
// flush, as a pulled USB stick or a failing disk does. BARMEN_FAIL_FLUSH says
// what: "files" fails fsync and fdatasync on plain files, "folders" on folders,
// "folders-after-rename" on folders once a rename has gone through.
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool renamed = false;

bool refuse(int fd)
{
    const char *what = std::getenv("BARMEN_FAIL_FLUSH");
    struct stat st {};
    if (!what || fstat(fd, &st) != 0)
        return false;
    return (std::strcmp(what, "files") == 0 && S_ISREG(st.st_mode))
           || (std::strcmp(what, "folders") == 0 && S_ISDIR(st.st_mode))
           || (std::strcmp(what, "folders-after-rename") == 0 && S_ISDIR(st.st_mode) && renamed);
}

template <typename Call>
Call real(const char *name)
{
    return reinterpret_cast<Call>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" int fsync(int fd)
{
    if (refuse(fd)) {
        errno = EIO;
        return -1;
    }
    static const auto next = real<int (*)(int)>("fsync");
    return next(fd);
}

extern "C" int rename(const char *from, const char *to)
{
    static const auto next = real<int (*)(const char *, const char *)>("rename");
    const int rc = next(from, to);
    renamed = renamed || rc == 0;
    return rc;
}

extern "C" int fdatasync(int fd)
{
    if (refuse(fd)) {
        errno = EIO;
        return -1;
    }
    static const auto next = real<int (*)(int)>("fdatasync");
    return next(fd);
}
