#pragma once
// Files the commands write. Every failure throws IoFailure (commands.h) with a message that names
// the path as the user gave it and the operating system's reason, e.g.
// "cannot write \"out/report.txt\": No space left on device".

#include <filesystem>
#include <string>
#include <string_view>

namespace marlek::cli {

// A file written through a large buffer straight to its path (created or replaced).
class FileWriter {
public:
    FileWriter() = default;
    explicit FileWriter(const std::filesystem::path &path) { open(path); }
    ~FileWriter(); // closes without a word: for unwinding after an error
    FileWriter(const FileWriter &) = delete;
    FileWriter &operator=(const FileWriter &) = delete;

    // Creates or replaces the file. Throws IoFailure when it cannot be created.
    void open(const std::filesystem::path &path);
    bool isOpen() const { return m_fd >= 0; }
    const std::filesystem::path &path() const { return m_path; }

    void write(std::string_view bytes) {
        if (bytes.size() <= m_buffer.capacity() - m_buffer.size())
            m_buffer.append(bytes);
        else
            writeSlow(bytes);
    }
    // One line of a saved text: the line, then CR LF.
    void writeLine(std::string_view line) {
        write(line);
        write("\r\n");
    }
    // Writes out what the buffer holds and has the system put it on disk.
    void sync();
    // Writes out what the buffer holds and closes the file; throws IoFailure on any failure.
    void close();

private:
    friend class AtomicOutputFile;
    void adopt(int fd, const std::filesystem::path &shownPath);
    void writeSlow(std::string_view bytes);
    void flushBuffer();
    [[noreturn]] void fail(const char *what, int error);

    int m_fd = -1;
    std::filesystem::path m_path;
    std::string m_buffer;
};

// A file written completely or not at all: the bytes go to a temporary file in the target's
// folder, and commit() renames it over the target. Without commit() (a failure, an exception) the
// temporary file is removed and an existing target stays exactly as it was. A target that is not
// a regular file (/dev/null, a pipe) is written in place, since it cannot be replaced.
class AtomicOutputFile {
public:
    explicit AtomicOutputFile(const std::filesystem::path &target);
    ~AtomicOutputFile();
    AtomicOutputFile(const AtomicOutputFile &) = delete;
    AtomicOutputFile &operator=(const AtomicOutputFile &) = delete;

    void write(std::string_view bytes) { m_file.write(bytes); }
    void writeLine(std::string_view line) { m_file.writeLine(line); }
    // Finishes the file and puts it in place of the target; throws IoFailure on any failure.
    void commit();

private:
    std::filesystem::path m_target;    // as the user gave it, for messages
    std::filesystem::path m_finalPath; // the target with symbolic links followed
    std::filesystem::path m_tempPath;  // empty when writing in place
    FileWriter m_file;
    bool m_committed = false;
};

// The message of a failed operation on a path: "cannot <what> \"<path>\": <reason>".
std::string ioMessage(const char *what, const std::filesystem::path &path, int error);

} // namespace marlek::cli
