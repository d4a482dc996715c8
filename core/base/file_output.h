#pragma once
// Files written so they are never half written, lost or mixed. Every file goes to a short
// temporary name in its target's folder, is synced, and is renamed over the target only when it is
// complete; the folder is synced after the rename. A failure, an exception or a stop signal removes
// the temporary file, and the target stays exactly as it was. The command-line tool, the
// combination files writer and the document windows' Save As all write through OutputFile.
//
// Links: a link to a regular file is followed and its target replaced whole (LinkRule::follow);
// the numbered files of a run never follow a link, the link itself is replaced
// (LinkRule::replaceLink). A link to nothing is refused: writing through it would create a file
// somewhere the player never chose, replacing it would lose the link.

#include "stop_signals.h"

#include <cstddef>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include <sys/types.h>

namespace marlek {

// A failed operation on a file. what() is "cannot <action> \"<path>\": <reason>".
class FileError : public std::runtime_error {
public:
    // A failure that has its own whole message.
    explicit FileError(const std::string &message);
    // The failure of `action` ("create", "write", ...) on the path as the user gave it; `reason` is
    // the operating system's text for errno, or a sentence of its own.
    FileError(const std::string &action, const std::string &path, const std::string &reason);
    FileError(const std::string &action, const std::string &path, int error);

    const std::string &path() const { return m_path; }
    const std::string &reason() const { return m_reason; }

private:
    std::string m_path;
    std::string m_reason;
};

// The operating system's text for an errno value ("No space left on device").
std::string systemReason(int error);

enum class LinkRule {
    follow,      // a link to a regular file is followed: the file it points to is replaced
    replaceLink, // whatever the name is (a link too) is replaced by the new file
};

// Where a file goes, found before anything is written.
struct SaveTarget {
    std::string shownPath; // as the user gave it, for messages
    std::string finalPath; // where the new file lands (a followed link's target)
    bool inPlace = false;  // a device or a pipe (/dev/null): written into, not replaced
};

// Throws FileError for a folder or a link to nothing.
SaveTarget resolveSaveTarget(const std::string &path, LinkRule rule);

// The identity of a file or folder, by device and inode, never by name.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    friend bool operator==(const FileIdentity &, const FileIdentity &) = default;
};
// stat() (links followed) or, with followLinks false, lstat(); nothing when it does not exist.
std::optional<FileIdentity> fileIdentity(const std::string &path, bool followLinks = true);

// The folder part of a path, "." for a bare name.
std::string folderOf(const std::string &path);

// Puts the folder's entries (the renames into it) on disk; returns 0 or the errno of the failure.
int syncFolder(const std::string &folder);

// A lock on a folder, held while a run writes its files there, so two runs never mix their files.
// Another process (or another run in this one) that tries the same folder is refused at once.
class FolderLock {
public:
    // Takes the lock; isBusy() tells whether another run holds it. A folder that cannot be opened
    // or locked (missing, a network file system without locks) is not locked, and the writing
    // then reports its own failure, if any.
    explicit FolderLock(const std::string &folder);
    ~FolderLock();
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    bool isBusy() const { return m_busy; }

private:
    int m_fd = -1;
    bool m_busy = false;
};

class BackgroundWriter;

// One file written through two large buffers: one fills while a thread of its own hands the other
// to the system, so making the text and writing it overlap. Failures throw FileError with the
// path as the user gave it; a stop signal throws StopRequested at the next full buffer.
class OutputFile {
public:
    // The largest room reserve() may ask for.
    static constexpr std::size_t kBufferBytes = std::size_t{1} << 20;

    OutputFile();
    // Opens the file at once, links followed (as a document's Save As does).
    explicit OutputFile(const std::string &path);
    ~OutputFile(); // discard()
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    // Starts a new file (the file before must be committed or discarded).
    void open(const std::string &path, LinkRule rule = LinkRule::follow);
    void open(const SaveTarget &target);

    void write(std::string_view bytes);
    // One line of a saved text: the line, then CR LF.
    void writeLine(std::string_view line);
    // The hot path of long runs: room for `size` bytes (at most kBufferBytes) at the end of the
    // buffer, written in place, of which advance() then keeps `used`.
    char *reserve(std::size_t size) {
        if (kBufferBytes - m_used < size)
            flush();
        return m_buffer + m_used;
    }
    void advance(std::size_t used) { m_used += used; }

    // Writes out the rest, syncs the file, puts it in place of its target and syncs the folder.
    // Throws FileError (the temporary file is then gone) or StopRequested. A caller that writes
    // many files into one folder may sync the folder once, after the last (syncFolder()).
    enum class FolderSync { now, byCaller };
    void commit(FolderSync folderSync = FolderSync::now);
    // Drops the file being written: the temporary file goes, the target stays as it was.
    void discard() noexcept;

private:
    void flush();
    void waitForWriter();
    void closeFile(); // throws FileError

    std::unique_ptr<char[]> m_buffers[2];
    char *m_buffer = nullptr; // the one that fills
    int m_current = 0;
    std::size_t m_used = 0;
    int m_fd = -1;
    SaveTarget m_target;
    std::string m_tempPath; // empty when writing in place
    TemporaryFileRegistration m_registration;
    std::unique_ptr<BackgroundWriter> m_writer;
};

} // namespace marlek
