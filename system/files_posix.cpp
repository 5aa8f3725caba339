#include "system/files.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace barmen::system {

namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int get() const { return m_fd; }
    explicit operator bool() const { return m_fd >= 0; }
    // Closes now and says whether the close itself succeeded.
    int close()
    {
        const int rc = ::close(m_fd);
        m_fd = -1;
        return rc == 0 ? 0 : errno;
    }

private:
    int m_fd;
};

Other otherKind(mode_t mode)
{
    if (S_ISFIFO(mode))
        return Other::Pipe;
    if (S_ISSOCK(mode))
        return Other::Socket;
    return Other::Device;
}

std::string folderOf(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string absolute(const std::string &path)
{
    if (!path.empty() && path.front() == '/')
        return path;
    char here[PATH_MAX];
    if (!::getcwd(here, sizeof here))
        return path;
    return std::string(here) + "/" + path;
}

std::string resolved(const std::string &path)
{
    char real[PATH_MAX];
    return ::realpath(path.c_str(), real) ? std::string(real) : std::string();
}

// A link that another user planted in a folder everybody may write, which
// the kernel itself refuses to follow for a process that is not its owner.
bool foreign(const std::string &path, const struct stat &link)
{
    struct stat folder {};
    if (::stat(folderOf(path).c_str(), &folder) != 0)
        return false;
    const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
    return shared && link.st_uid != ::geteuid() && link.st_uid != folder.st_uid;
}

// Writes every byte, however the system splits the write.
int writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return ENOSPC;
        bytes.remove_prefix(std::size_t(n));
    }
    return 0;
}

int flushFolder(const std::string &folder)
{
    const Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd)
        return errno;
    // Some file systems cannot flush a folder at all; that is no failure of the save.
    if (::fsync(fd.get()) != 0 && errno != EINVAL && errno != EROFS)
        return errno;
    return 0;
}

} // namespace

Found lookAt(const std::string &path)
{
    Found found;
    struct stat link {};
    if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        found.throughLink = true;
        found.foreignLink = foreign(path, link);
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISREG(st.st_mode))
            found.kind = Found::Plain;
        else if (S_ISDIR(st.st_mode))
            found.kind = Found::Folder;
        else {
            found.kind = Found::Other;
            found.other = otherKind(st.st_mode);
        }
        return found;
    }
    const int error = errno;
    if (found.throughLink)
        found.kind = error == ELOOP ? Found::LoopingLink : Found::DanglingLink;
    else if (error == ENOENT)
        found.kind = Found::Missing;
    else {
        found.kind = Found::Unreachable;
        found.problem = fromErrno(error);
    }
    return found;
}

Read readFile(const std::string &path, std::size_t limit)
{
    Read read;
    // Without blocking: a pipe or a device that has taken the file's place
    // would otherwise keep the game waiting for good.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!fd) {
        const int error = errno;
        const Found found = lookAt(path);
        read.kind = found.kind == Found::Plain ? Found::Unreachable : found.kind;
        read.other = found.other;
        read.problem = fromErrno(error);
        if (read.kind == Found::Missing && error != ENOENT)
            read.kind = Found::Unreachable;
        return read;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        read.kind = Found::Unreachable;
        read.problem = fromErrno(errno);
        return read;
    }
    if (S_ISDIR(st.st_mode)) {
        read.kind = Found::Folder;
        return read;
    }
    if (!S_ISREG(st.st_mode)) {
        read.kind = Found::Other;
        read.other = otherKind(st.st_mode);
        return read;
    }
    read.kind = Found::Plain;

    // The reported size is only a hint: files under /proc say 0 and never end.
    std::size_t capacity = std::min<std::size_t>(st.st_size > 0 ? std::size_t(st.st_size) + 1 : 65536, limit + 1);
    std::string bytes(capacity, '\0');
    std::size_t have = 0;
    for (;;) {
        if (have == bytes.size()) {
            if (bytes.size() > limit)
                break;
            bytes.resize(std::min(bytes.size() * 2, limit + 1));
        }
        // The byte past the limit is asked for with room for more: some files
        // refuse a read of a single byte (/proc/self/pagemap reads only whole
        // 8-byte entries), and only whether there is more counts here.
        char probe[4096];
        const bool probing = have == limit;
        const ssize_t n = probing ? ::read(fd.get(), probe, sizeof probe)
                                  : ::read(fd.get(), bytes.data() + have, bytes.size() - have);
        if (n < 0 && errno == EINTR)
            continue;
        if (probing && n > 0) {
            ++have;
            break;
        }
        if (n < 0) {
            // Nothing to read yet, or no plain reading at all, is a file that is
            // not made to be read through (a log that waits, a table of pages).
            read.problem = errno == EAGAIN || errno == EINVAL ? Problem{Failure::NotPlainFile} : fromErrno(errno);
            return read;
        }
        if (n == 0)
            break;
        have += std::size_t(n);
    }
    read.overLimit = have > limit;
    bytes.resize(std::min(have, limit));
    read.bytes = std::move(bytes);
    return read;
}

Written replaceFile(const std::string &path, std::string_view bytes)
{
    const std::string target = linkTarget(path);
    const std::string folder = folderOf(target);
    const std::string name = target.substr(target.rfind('/') + 1);

    // A new name beside the save, never one that is there already.
    std::random_device seed;
    std::string temporary;
    int fd = -1;
    int error = 0;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temporary = folder + "/." + name + "." + std::to_string(seed() % 1000000000u) + ".tmp";
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        error = errno;
        if (fd < 0 && error != EEXIST)
            break;
    }
    if (fd < 0)
        return {Written::Create, fromErrno(error)};
    Descriptor file(fd);
    // The new save keeps the old one's permissions; a first save has the
    // player's usual ones already, as open() took the umask off 0666.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0)
        ::fchmod(file.get(), old.st_mode & 07777);

    auto giveUp = [&](Written::Stage stage, int why) {
        file.close();
        ::unlink(temporary.c_str());
        return Written{stage, fromErrno(why)};
    };
    if (const int why = writeAll(file.get(), bytes))
        return giveUp(Written::Write, why);
    // Only a file that is on the disk may replace the old save.
    if (::fsync(file.get()) != 0)
        return giveUp(Written::Flush, errno);
    if (const int why = file.close())
        return giveUp(Written::Flush, why);
    if (const int why = flushFolder(folder)) {
        ::unlink(temporary.c_str());
        return {Written::Flush, fromErrno(why)};
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int why = errno;
        ::unlink(temporary.c_str());
        return {Written::Replace, fromErrno(why)};
    }
    if (const int why = flushFolder(folder))
        return {Written::Flush, fromErrno(why)};
    return {};
}

Written writeInPlace(const std::string &path, std::string_view bytes)
{
    // Not blocking: had a pipe taken the file's place since it was looked at,
    // opening it would wait for a reader. Never through a link.
    Descriptor fd(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY));
    if (!fd)
        return {Written::Create, fromErrno(errno)};
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return {Written::Write, fromErrno(errno)};
    if (!S_ISREG(st.st_mode))
        return {Written::Write, {Failure::NotPlainFile}};
    if (const int why = writeAll(fd.get(), bytes))
        return {Written::Write, fromErrno(why)};
    if (::ftruncate(fd.get(), off_t(bytes.size())) != 0)
        return {Written::Write, fromErrno(errno)};
    if (::fsync(fd.get()) != 0)
        return {Written::Flush, fromErrno(errno)};
    if (const int why = fd.close())
        return {Written::Flush, fromErrno(why)};
    return {};
}

void failWritesPastFileSizeLimit()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

bool mayWrite(const std::string &path)
{
    return ::access(path.c_str(), W_OK) == 0;
}

bool onlyWritableInPlace(const std::string &path)
{
    return ::access(folderOf(absolute(path)).c_str(), W_OK) != 0 && ::access(path.c_str(), W_OK) == 0;
}

std::string linkTarget(const std::string &path)
{
    std::string at = absolute(path);
    for (int hops = 0; hops < 40; ++hops) {
        char target[PATH_MAX];
        const ssize_t n = ::readlink(at.c_str(), target, sizeof target - 1);
        if (n < 0)
            return at;
        const std::string next(target, std::size_t(n));
        at = next.front() == '/' ? next : folderOf(at) + "/" + next;
    }
    return at;
}

bool insideCurrentFolder(const std::string &path)
{
    const std::string here = resolved(".");
    const std::string folder = resolved(folderOf(linkTarget(path)));
    if (here.empty() || folder.empty())
        return false;
    return folder == here || folder.starts_with(here == "/" ? here : here + "/");
}

} // namespace barmen::system
