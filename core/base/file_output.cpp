#include "file_output.h"

#include "shown_text.h"

#include <cerrno>
#include <climits>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <random>
#include <system_error>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace marlek {

// Writes one buffer at a time on a thread of its own, so that making the next megabyte of text
// and handing the last one to the system overlap: a long run then takes little longer than the
// writing alone.
class BackgroundWriter {
public:
    BackgroundWriter() : m_thread([this] { run(); }) {}
    ~BackgroundWriter() {
        {
            const std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }
    BackgroundWriter(const BackgroundWriter &) = delete;
    BackgroundWriter &operator=(const BackgroundWriter &) = delete;

    // Starts writing the bytes and returns at once; they must stay put until wait().
    void start(int fd, const char *data, std::size_t size) {
        {
            const std::lock_guard lock(m_mutex);
            m_fd = fd;
            m_data = data;
            m_size = size;
            m_pending = true;
        }
        m_changed.notify_all();
    }

    // Waits until the write under way is done; returns 0 or its errno.
    int wait() {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_pending; });
        return std::exchange(m_error, 0);
    }

private:
    static int writeAll(int fd, const char *data, std::size_t size) {
        while (size > 0) {
            const ssize_t written = ::write(fd, data, size);
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                return errno;
            }
            data += written;
            size -= static_cast<std::size_t>(written);
        }
        return 0;
    }

    void run() {
        std::unique_lock lock(m_mutex);
        while (true) {
            m_changed.wait(lock, [this] { return m_pending || m_stop; });
            if (!m_pending)
                return;
            const int fd = m_fd;
            const char *data = m_data;
            const std::size_t size = m_size;
            lock.unlock();
            const int error = writeAll(fd, data, size);
            lock.lock();
            m_error = error;
            m_pending = false;
            m_changed.notify_all();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_pending = false;
    bool m_stop = false;
    int m_fd = -1;
    const char *m_data = nullptr;
    std::size_t m_size = 0;
    int m_error = 0;
    std::thread m_thread; // last: it starts once everything it uses is in place
};

namespace {

// The stop signals held back while a temporary file is created and registered, so a signal never
// finds a file that it cannot know of.
class StopSignalsHeld {
public:
    StopSignalsHeld() {
        sigset_t held;
        sigemptyset(&held);
        for (const int signal : {SIGINT, SIGTERM, SIGHUP})
            sigaddset(&held, signal);
        ::pthread_sigmask(SIG_BLOCK, &held, &m_old);
    }
    ~StopSignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &m_old, nullptr); }
    StopSignalsHeld(const StopSignalsHeld &) = delete;
    StopSignalsHeld &operator=(const StopSignalsHeld &) = delete;

private:
    sigset_t m_old;
};

// A new file of a short random name in the folder: ".marlek-" and six letters or digits, so a
// target name of 255 bytes still leaves room. The file gets the mode a plain new file would get.
int createTemporaryFile(const std::string &folder, std::string &path) {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = ".marlek-";
        for (int i = 0; i < 6; ++i)
            name += kLetters[pick(random)];
        path = folder + "/" + name;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// Pipes and devices cannot be synced; that is no failure of the write.
bool syncFailed(int fd) {
    return ::fsync(fd) != 0 && errno != EINVAL && errno != EROFS;
}

} // namespace

FileError::FileError(const std::string &message) : std::runtime_error(message) {}

FileError::FileError(const std::string &action, const std::string &path, const std::string &reason)
    : std::runtime_error("cannot " + action + " " + quotedText(path) + ": " + reason), m_path(path),
      m_reason(reason) {}

FileError::FileError(const std::string &action, const std::string &path, int error)
    : FileError(action, path, systemReason(error)) {}

std::string systemReason(int error) {
    return std::generic_category().message(error);
}

std::string folderOf(const std::string &path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

int syncFolder(const std::string &folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int error = syncFailed(fd) ? errno : 0;
    ::close(fd);
    return error;
}

SaveTarget resolveSaveTarget(const std::string &path, LinkRule rule) {
    SaveTarget target{path, path, false};
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return target; // a new file: creating it tells what is wrong, if anything is
    if (S_ISLNK(info.st_mode) && rule == LinkRule::follow) {
        struct stat pointed {};
        if (::stat(path.c_str(), &pointed) != 0) {
            if (errno != ENOENT)
                throw FileError("write", path, errno);
            std::error_code ignored;
            const std::string pointsTo = std::filesystem::read_symlink(path, ignored).string();
            throw FileError("write", path,
                            "It is a link to " + quotedText(pointsTo) + ", which does not exist");
        }
        info = pointed;
        if (S_ISREG(info.st_mode)) {
            std::error_code error;
            target.finalPath = std::filesystem::canonical(path, error).string();
            if (error)
                throw FileError("write", path, error.value());
            return target;
        }
    }
    if (S_ISDIR(info.st_mode))
        throw FileError("write", path, EISDIR);
    // A device or a pipe cannot be replaced: it is written into. The numbered files replace
    // whatever is there.
    target.inPlace = !S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode) && rule == LinkRule::follow;
    return target;
}

std::optional<FileIdentity> fileIdentity(const std::string &path, bool followLinks) {
    struct stat info {};
    if ((followLinks ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info)) != 0)
        return std::nullopt;
    return FileIdentity{info.st_dev, info.st_ino};
}

FolderLock::FolderLock(const std::string &folder) {
    m_fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0)
        return;
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        m_busy = errno == EWOULDBLOCK;
        ::close(std::exchange(m_fd, -1));
    }
}

FolderLock::~FolderLock() {
    if (m_fd >= 0)
        ::close(m_fd); // the lock goes with the descriptor
}

OutputFile::OutputFile()
    : m_buffers{std::make_unique<char[]>(kBufferBytes), std::make_unique<char[]>(kBufferBytes)},
      m_buffer(m_buffers[0].get()), m_writer(std::make_unique<BackgroundWriter>()) {}

OutputFile::OutputFile(const std::string &path) : OutputFile() {
    open(path);
}

OutputFile::~OutputFile() {
    discard();
}

void OutputFile::open(const std::string &path, LinkRule rule) {
    open(resolveSaveTarget(path, rule));
}

void OutputFile::open(const SaveTarget &target) {
    discard();
    throwIfStopRequested();
    m_target = target;
    m_used = 0;
    if (target.inPlace) {
        m_fd = ::open(target.finalPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (m_fd < 0)
            throw FileError("create", target.shownPath, errno);
        return;
    }
    const StopSignalsHeld held;
    m_fd = createTemporaryFile(folderOf(target.finalPath), m_tempPath);
    if (m_fd < 0) {
        const int error = errno;
        m_tempPath.clear();
        throw FileError("create", target.shownPath, error);
    }
    m_registration.hold(m_tempPath);
    // A replaced file keeps its permissions.
    struct stat old {};
    if (::stat(target.finalPath.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(m_fd, old.st_mode & 07777);
}

void OutputFile::write(std::string_view bytes) {
    while (!bytes.empty()) {
        if (m_used == kBufferBytes)
            flush();
        const std::size_t part = std::min(bytes.size(), kBufferBytes - m_used);
        std::memcpy(m_buffer + m_used, bytes.data(), part);
        m_used += part;
        bytes.remove_prefix(part);
    }
}

void OutputFile::writeLine(std::string_view line) {
    write(line);
    write("\r\n");
}

void OutputFile::flush() {
    throwIfStopRequested();
    if (m_used == 0)
        return;
    waitForWriter();
    m_writer->start(m_fd, m_buffer, m_used);
    m_current ^= 1;
    m_buffer = m_buffers[m_current].get();
    m_used = 0;
}

void OutputFile::waitForWriter() {
    if (const int error = m_writer->wait())
        throw FileError("write", m_target.shownPath, error);
}

void OutputFile::closeFile() {
    const int fd = std::exchange(m_fd, -1);
    // close() is not tried again on EINTR: on Linux the descriptor is gone either way. Late
    // write errors (a full quota, a network file system) show up here.
    if (::close(fd) != 0 && errno != EINTR)
        throw FileError("write", m_target.shownPath, errno);
}

void OutputFile::commit(FolderSync folderSync) {
    try {
        flush();
        waitForWriter();
        // On disk before it replaces the old file, so a power loss leaves one or the other.
        if (syncFailed(m_fd))
            throw FileError("write", m_target.shownPath, errno);
        closeFile();
        if (m_tempPath.empty())
            return;
        throwIfStopRequested(); // the signal has removed the temporary file already
        if (::rename(m_tempPath.c_str(), m_target.finalPath.c_str()) != 0) {
            const int error = errno;
            throwIfStopRequested();
            throw FileError("replace", m_target.shownPath, error);
        }
        m_registration.release();
        m_tempPath.clear();
        // The rename itself on disk, so a file announced as saved is there after a power loss.
        if (folderSync == FolderSync::now) {
            if (const int error = syncFolder(folderOf(m_target.finalPath)))
                throw FileError("sync the folder of", m_target.shownPath, error);
        }
    } catch (...) {
        discard();
        throw;
    }
}

void OutputFile::discard() noexcept {
    m_writer->wait(); // nothing may still be writing into the file; its failure is being handled
    m_used = 0;
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
    if (!m_tempPath.empty())
        ::unlink(m_tempPath.c_str());
    m_registration.release();
    m_tempPath.clear();
}

} // namespace marlek
