#pragma once

// Helpers for the fault tests: throw-away folders, running a program in one
// under a file-size limit or as the unprivileged user through setpriv, and
// staging copies of programs where that user can reach them.

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>
#include <chrono>
#include <thread>

namespace barmen::fault {

namespace fs = std::filesystem;

// The user the permission cases run as: root reads and writes whatever it likes.
inline constexpr uid_t nobody = 65534;

inline bool isRoot() { return geteuid() == 0; }

// setpriv's full path, or empty when it is not installed.
inline std::string setprivPath()
{
    const char *path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "/usr/bin:/bin");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        const std::string candidate = dir + "/setpriv";
        if (!dir.empty() && access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

inline std::string readAll(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeAll(const fs::path &file, const std::string &bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

inline std::set<std::string> listing(const fs::path &folder)
{
    std::set<std::string> names;
    std::error_code ec;
    for (const fs::directory_entry &e : fs::directory_iterator(folder, ec))
        names.insert(e.path().filename().string());
    return names;
}

// A fresh folder in the temporary folder, removed with all it holds.
struct TempFolder {
    fs::path path;

    TempFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "barmen-fault-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            path = pattern;
    }
    ~TempFolder()
    {
        std::error_code ec;
        if (path.empty())
            return;
        // Give back the rights the cases took away, so everything can go.
        chmod(path.c_str(), 0700);
        for (fs::recursive_directory_iterator it(path, ec), end; it != end; it.increment(ec))
            chmod(it->path().c_str(), it->is_directory(ec) ? 0700 : 0600);
        fs::remove_all(path, ec);
    }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    fs::path operator/(const std::string &name) const { return path / name; }
    bool valid() const { return !path.empty(); }

    // Hands the folder and all it holds to the unprivileged user.
    void giveToNobody() const
    {
        std::error_code ec;
        if (lchown(path.c_str(), nobody, nobody) != 0)
            return;
        for (fs::recursive_directory_iterator it(path, ec), end; it != end; it.increment(ec))
            if (lchown(it->path().c_str(), nobody, nobody) != 0)
                return;
    }
};

// Copies of programs, and of the leak checker's suppressions they run under,
// in a folder that the unprivileged user can read wherever the build lies.
struct Stage {
    TempFolder folder;
    std::vector<std::string> environment;

    Stage()
    {
        chmod(folder.path.c_str(), 0755);
        environment.push_back("HOME=" + folder.path.string());
        if (const char *lsan = std::getenv("LSAN_OPTIONS")) {
            std::string options = lsan;
            const std::string key = "suppressions=";
            if (const std::size_t at = options.find(key); at != std::string::npos) {
                const std::size_t from = at + key.size();
                const std::size_t to = options.find(':', from);
                const fs::path copy = folder / "lsan.supp";
                std::error_code ec;
                fs::copy_file(options.substr(from, to == std::string::npos ? to : to - from), copy,
                              fs::copy_options::overwrite_existing, ec);
                chmod(copy.c_str(), 0644);
                options.replace(from, to == std::string::npos ? std::string::npos : to - from, copy.string());
            }
            environment.push_back("LSAN_OPTIONS=" + options);
        }
    }

    fs::path add(const fs::path &program)
    {
        const fs::path copy = folder / program.filename().string();
        std::error_code ec;
        fs::copy_file(program, copy, fs::copy_options::overwrite_existing, ec);
        chmod(copy.c_str(), 0755);
        return copy;
    }
};

struct RunOptions {
    fs::path folder;                          // the current folder of the program
    bool asNobody = false;                    // through setpriv; only root can do it
    std::optional<rlim_t> fileSizeLimit;      // bytes; the program itself must survive writing past it
    std::vector<std::string> environment;     // NAME=VALUE additions
};

// Starts a program; its standard output and error go to the returned descriptor.
inline pid_t spawn(const std::vector<std::string> &args, const RunOptions &options, int &output)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return -1;
    std::vector<std::string> argv = args;
    if (options.asNobody)
        argv.insert(argv.begin(), {setprivPath(), "--reuid=65534", "--regid=65534", "--clear-groups"});
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFds[1], 1);
        dup2(pipeFds[1], 2);
        close(pipeFds[0]);
        close(pipeFds[1]);
        if (chdir(options.folder.c_str()) != 0)
            _exit(126);
        if (options.fileSizeLimit) {
            const rlimit limit{*options.fileSizeLimit, *options.fileSizeLimit};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
                _exit(126);
        }
        if (options.asNobody)
            unsetenv("XDG_RUNTIME_DIR");
        for (const std::string &e : options.environment)
            putenv(const_cast<char *>(e.c_str()));
        std::vector<char *> raw;
        for (std::string &a : argv)
            raw.push_back(a.data());
        raw.push_back(nullptr);
        execv(raw[0], raw.data());
        _exit(127);
    }
    close(pipeFds[1]);
    output = pipeFds[0];
    return pid;
}

struct Outcome {
    int exitCode = -1;   // -1 when it did not exit by itself
    int signal = 0;
    std::string output;
};

inline Outcome wait(pid_t pid, int output)
{
    Outcome o;
    char buffer[4096];
    for (ssize_t n; (n = read(output, buffer, sizeof buffer)) > 0;)
        o.output.append(buffer, std::size_t(n));
    close(output);
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status))
        o.exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        o.signal = WTERMSIG(status);
    return o;
}

inline Outcome run(const std::vector<std::string> &args, const RunOptions &options)
{
    int output = -1;
    const pid_t pid = spawn(args, options, output);
    if (pid < 0)
        return {};
    return wait(pid, output);
}

// Runs a program, killing it after five seconds: whatever is still running
// then has hung, and hung says so.
inline Outcome runBounded(const std::vector<std::string> &args, const RunOptions &options, bool &hung)
{
    int output = -1;
    const pid_t pid = spawn(args, options, output);
    hung = false;
    if (pid < 0)
        return {};
    bool ended = false;
    for (int i = 0; i < 500 && !ended; ++i) {
        siginfo_t info{};
        ended = waitid(P_PID, id_t(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid;
        if (!ended)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!ended)
        kill(pid, SIGKILL);
    hung = !ended;
    return wait(pid, output);
}

} // namespace barmen::fault
