#include "output_file.h"

#include "commands.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace marlek::cli {
namespace {

constexpr std::size_t kBufferSize = 1 << 20;

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

} // namespace

std::string ioMessage(const char *what, const std::filesystem::path &path, int error) {
    return std::string("cannot ") + what + " \"" + path.string() + "\": " + std::strerror(error);
}

FileWriter::~FileWriter() {
    if (m_fd >= 0)
        ::close(m_fd);
}

void FileWriter::open(const std::filesystem::path &path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        throw IoFailure(ioMessage("create", path, errno));
    adopt(fd, path);
}

void FileWriter::adopt(int fd, const std::filesystem::path &shownPath) {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
    m_path = shownPath;
    m_buffer.clear();
    m_buffer.reserve(kBufferSize);
}

void FileWriter::writeSlow(std::string_view bytes) {
    flushBuffer();
    if (bytes.size() < m_buffer.capacity()) {
        m_buffer.append(bytes);
        return;
    }
    m_buffer.assign(bytes); // larger than the buffer: one pass through it
    flushBuffer();
}

void FileWriter::flushBuffer() {
    const char *data = m_buffer.data();
    std::size_t left = m_buffer.size();
    while (left > 0) {
        const ssize_t written = ::write(m_fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            fail("write", errno);
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    m_buffer.clear();
}

void FileWriter::sync() {
    flushBuffer();
    // Pipes and devices cannot be synced (EINVAL); that is no failure of the write.
    if (::fsync(m_fd) != 0 && errno != EINVAL && errno != EROFS)
        fail("write", errno);
}

void FileWriter::close() {
    if (m_fd < 0)
        return;
    flushBuffer();
    const int fd = m_fd;
    m_fd = -1;
    // close() is not tried again on EINTR: on Linux the descriptor is gone either way.
    if (::close(fd) != 0 && errno != EINTR)
        throw IoFailure(ioMessage("write", m_path, errno));
}

void FileWriter::fail(const char *what, int error) {
    ::close(m_fd);
    m_fd = -1;
    m_buffer.clear();
    throw IoFailure(ioMessage(what, m_path, error));
}

AtomicOutputFile::AtomicOutputFile(const std::filesystem::path &target)
    : m_target(target), m_finalPath(target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            throw IoFailure(ioMessage("write", target, EISDIR));
        if (!S_ISREG(info.st_mode)) {
            m_file.open(target); // a device or a pipe: nothing to replace, write straight to it
            return;
        }
        std::error_code error;
        const std::filesystem::path resolved = std::filesystem::canonical(target, error);
        if (!error)
            m_finalPath = resolved; // replace the file a link points to, not the link
    }

    // The temporary file sits beside the target, so the final rename never crosses file systems.
    const std::filesystem::path folder = m_finalPath.parent_path();
    std::string hiddenName = ".";
    hiddenName += m_finalPath.filename().string();
    hiddenName += ".XXXXXX";
    std::string pattern = (folder / hiddenName).string();
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        throw IoFailure(ioMessage("create", target, errno));
    m_tempPath = pattern;
    // mkostemp makes the file private; give it the mode a plain new file (or the old one) would
    // have.
    const mode_t mode =
        ::stat(m_finalPath.c_str(), &info) == 0 ? (info.st_mode & 07777) : (0666 & ~currentUmask());
    ::fchmod(fd, mode);
    m_file.adopt(fd, target);
}

AtomicOutputFile::~AtomicOutputFile() {
    if (!m_committed && !m_tempPath.empty())
        ::unlink(m_tempPath.c_str());
}

void AtomicOutputFile::commit() {
    if (!m_tempPath.empty())
        m_file
            .sync(); // on disk before it replaces the old file, so a crash leaves one or the other
    m_file.close();
    if (!m_tempPath.empty() && ::rename(m_tempPath.c_str(), m_finalPath.c_str()) != 0)
        throw IoFailure(ioMessage("replace", m_target, errno));
    m_committed = true;
}

} // namespace marlek::cli
