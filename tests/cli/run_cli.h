#pragma once
// Runs marlek-lotto-cli in-process and keeps what it wrote, or as a real process that a test can
// limit, stop with a signal, or run twice at once.

#include "commands.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace marlek::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline CliResult runCli(const std::vector<std::string> &args) {
    std::ostringstream out;
    std::ostringstream err;
    CliResult result;
    result.status = cli::run(args, {out, err, false});
    result.out = out.str();
    result.err = err.str();
    return result;
}

#ifdef MARLEK_CLI_PROGRAM
// The real program in a process of its own, standard output and error into files (or standard
// output into `stdoutPath`, e.g. /dev/full).
struct CliProcessOptions {
    std::string stdoutPath;               // default: a file of its own
    rlim_t fileSizeLimit = RLIM_INFINITY; // RLIMIT_FSIZE, the smallest fixture of a full disk
    bool hideLeaks = false;               // under strace LeakSanitizer cannot run
    std::vector<std::string> wrapper;     // e.g. strace and its options
};

inline CliProcessOptions withFileSizeLimit(rlim_t bytes) {
    CliProcessOptions options;
    options.fileSizeLimit = bytes;
    return options;
}

class CliProcess {
public:
    CliProcess(const std::vector<std::string> &args, const std::filesystem::path &logFolder,
               CliProcessOptions options = {})
        : m_outPath(options.stdoutPath.empty() ? (logFolder / "stdout").string()
                                               : options.stdoutPath),
          m_errPath((logFolder / "stderr").string()), m_ownOut(options.stdoutPath.empty()) {
        std::vector<std::string> command = options.wrapper;
        command.push_back(MARLEK_CLI_PROGRAM);
        command.insert(command.end(), args.begin(), args.end());
        m_pid = ::fork();
        if (m_pid == 0) {
            const int out = ::open(m_outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            const int err = ::open(m_errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            ::dup2(out, STDOUT_FILENO);
            ::dup2(err, STDERR_FILENO);
            const rlimit limit{options.fileSizeLimit, options.fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            if (options.hideLeaks)
                ::setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
            std::vector<char *> argv;
            for (std::string &word : command)
                argv.push_back(word.data());
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::execvp(argv[0], argv.data());
            std::_Exit(127);
        }
    }
    ~CliProcess() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    CliProcess(const CliProcess &) = delete;
    CliProcess &operator=(const CliProcess &) = delete;

    pid_t pid() const { return m_pid; }

    // Waits for the end: the exit status, or 128 + the signal that ended it without a word.
    CliResult wait() {
        int status = 0;
        ::waitpid(std::exchange(m_pid, -1), &status, 0);
        CliResult result;
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (m_ownOut) // a device given for standard output (/dev/full) is not read back
            result.out = readAll(m_outPath);
        result.err = readAll(m_errPath);
        return result;
    }

private:
    static std::string readAll(const std::string &path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    std::string m_outPath;
    std::string m_errPath;
    bool m_ownOut;
    pid_t m_pid = -1;
};

inline CliResult runCliProcess(const std::vector<std::string> &args,
                               const std::filesystem::path &logFolder,
                               CliProcessOptions options = {}) {
    return CliProcess(args, logFolder, std::move(options)).wait();
}
#endif

// Waits (up to a minute) until the condition holds; false when it never did.
inline bool waitUntil(const std::function<bool()> &condition) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (std::chrono::steady_clock::now() < end) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

} // namespace marlek::test
