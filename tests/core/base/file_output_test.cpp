// The program's one file writer: a target is replaced whole or not at all, whatever happens while
// it is written (a failure, an exception, a stop signal); links, modes, long names, folder locks.

#include "file_output.h"
#include "stop_signals.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace marlek {
namespace {

namespace fs = std::filesystem;
using test::filesIn;
using test::readFileBytes;
using test::TempDir;
using test::writeFileBytes;

TEST(OutputFile, ReplacesTheTargetOnlyOnCommit) {
    TempDir dir;
    const auto target = dir / "out.txt";
    writeFileBytes(target, "old");
    {
        OutputFile file(target.string());
        file.writeLine("new");
        EXPECT_EQ(filesIn(dir.path()).size(), 2u); // the temporary file beside it
    }                                              // dropped without commit: as after an error
    EXPECT_EQ(readFileBytes(target), "old");
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"out.txt"});

    OutputFile file(target.string());
    file.writeLine("new");
    file.writeLine("");
    file.commit();
    EXPECT_EQ(readFileBytes(target), "new\r\n\r\n");
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"out.txt"});
}

TEST(OutputFile, WritesEveryByteAroundTheBuffersEdges) {
    TempDir dir;
    constexpr std::size_t kBuffer = OutputFile::kBufferBytes;
    for (const std::size_t size : {kBuffer - 1, kBuffer, kBuffer + 1, 3 * kBuffer + 7}) {
        std::string bytes(size, 'a');
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = static_cast<char>('a' + i % 26);
        const auto target = dir / ("edge-" + std::to_string(size));
        OutputFile file(target.string());
        file.write("<"); // a small write first, so the big one straddles the buffer
        file.write(bytes);
        char *room = file.reserve(8); // written in place, of which only the first byte counts
        std::memcpy(room, ">!!!!!!!", 8);
        file.advance(1);
        file.commit();
        EXPECT_EQ(readFileBytes(target), "<" + bytes + ">") << size;
    }
}

TEST(OutputFile, FollowsALinkToAFileAndKeepsItsMode) {
    TempDir dir;
    const auto real = dir / "real.txt";
    const auto link = dir / "link.txt";
    writeFileBytes(real, "old");
    ::chmod(real.c_str(), 0640);
    fs::create_symlink(real, link);

    OutputFile file(link.string());
    file.writeLine("new");
    file.commit();
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readFileBytes(real), "new\r\n");
    struct stat info {};
    ASSERT_EQ(::stat(real.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    const mode_t oldMask = ::umask(022);
    OutputFile fresh((dir / "fresh.txt").string());
    fresh.commit();
    ::umask(oldMask);
    ASSERT_EQ(::stat((dir / "fresh.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u); // as a plain new file, not a private temporary
}

TEST(OutputFile, ReplacesTheLinkItselfWhenToldNotToFollowIt) {
    TempDir dir;
    TempDir elsewhere;
    writeFileBytes(elsewhere / "theirs.txt", "not ours");
    fs::create_symlink(elsewhere / "theirs.txt", dir / "2.txt");

    OutputFile file;
    file.open((dir / "2.txt").string(), LinkRule::replaceLink);
    file.writeLine("ticket");
    file.commit();
    EXPECT_FALSE(fs::is_symlink(dir / "2.txt"));
    EXPECT_EQ(readFileBytes(dir / "2.txt"), "ticket\r\n");
    EXPECT_EQ(readFileBytes(elsewhere / "theirs.txt"), "not ours");
}

TEST(OutputFile, RefusesALinkToNothingAndCreatesNothing) {
    TempDir dir;
    fs::create_symlink(dir / "missing" / "r.txt", dir / "link.txt");
    try {
        OutputFile file((dir / "link.txt").string());
        FAIL() << "a link to nothing was written through";
    } catch (const FileError &error) {
        EXPECT_EQ(error.reason(), "It is a link to \"" + (dir / "missing" / "r.txt").string() +
                                      "\", which does not exist");
    }
    EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"link.txt"});
}

TEST(OutputFile, WritesTargetsWithTheLongestNamesAFolderTakes) {
    TempDir dir;
    for (const std::size_t length : {248u, 255u}) {
        const auto target = dir / std::string(length, 'r');
        OutputFile file(target.string());
        file.writeLine("report");
        file.commit();
        EXPECT_EQ(readFileBytes(target), "report\r\n") << length;
    }
}

TEST(OutputFile, ThrowsNamingThePathWhenTheDeviceIsFull) {
    OutputFile file("/dev/full");
    file.writeLine("a line");
    try {
        file.commit();
        FAIL() << "the write to /dev/full succeeded";
    } catch (const FileError &failure) {
        EXPECT_STREQ(failure.what(), "cannot write \"/dev/full\": No space left on device");
    }
}

// A stop signal removes the temporary file at once; the writing stops at its next buffer and the
// target stays as it was.
TEST(OutputFile, AStopSignalRemovesTheTemporaryFileAndStopsTheWriting) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        TempDir dir;
        const auto target = dir / "report.txt";
        writeFileBytes(target, "yesterday");
        const StopSignalScope scope;
        OutputFile file(target.string());
        file.write(std::string(OutputFile::kBufferBytes + 10, 'x'));
        ::raise(signal);
        EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"report.txt"});
        EXPECT_EQ(stopSignalReceived(), signal);
        try {
            file.write(std::string(OutputFile::kBufferBytes, 'y'));
            file.commit();
            FAIL() << "the writing went on after " << signalName(signal);
        } catch (const StopRequested &stop) {
            EXPECT_EQ(stop.signal(), signal);
        }
        EXPECT_EQ(readFileBytes(target), "yesterday");
        EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"report.txt"});
    }
    EXPECT_EQ(stopSignalReceived(), 0); // the scope has ended
}

// Where Ctrl+C finishes a search early, it cancels the work and leaves the file to be written;
// SIGTERM and SIGHUP still stop the writing and remove the temporary file.
TEST(OutputFile, CtrlCThatFinishesEarlyCancelsTheWorkAndKeepsTheFile) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        TempDir dir;
        const auto target = dir / "wheel.txt";
        const StopSignalScope scope(StopSignalScope::CtrlC::finishesEarly);
        OutputFile file(target.string());
        EXPECT_FALSE(workCancelled());
        ::raise(signal);
        EXPECT_TRUE(workCancelled());
        file.writeLine("6 20 3 6");
        if (signal == SIGINT) {
            EXPECT_EQ(stopSignalReceived(), 0);
            file.commit();
            EXPECT_EQ(readFileBytes(target), "6 20 3 6\r\n");
        } else {
            EXPECT_EQ(stopSignalReceived(), signal);
            EXPECT_THROW(file.commit(), StopRequested);
            EXPECT_TRUE(filesIn(dir.path()).empty());
        }
    }
    EXPECT_FALSE(workCancelled()); // the scope has ended
}

TEST(FolderLock, RefusesASecondLockOnTheSameFolderUntilTheFirstEnds) {
    TempDir dir;
    {
        const FolderLock first(dir.path().string());
        EXPECT_FALSE(first.isBusy());
        const FolderLock second((dir / ".").string()); // another name of the same folder
        EXPECT_TRUE(second.isBusy());
    }
    const FolderLock again(dir.path().string());
    EXPECT_FALSE(again.isBusy());
    const FolderLock missing((dir / "no-such-folder").string());
    EXPECT_FALSE(missing.isBusy()); // not locked; the writing reports what is wrong
}

TEST(FileIdentity, TellsTheSameFileByDeviceAndInodeNotByName) {
    TempDir dir;
    writeFileBytes(dir / "a.txt", "a");
    fs::create_hard_link(dir / "a.txt", dir / "b.txt");
    fs::create_symlink("a.txt", dir / "c.txt");
    writeFileBytes(dir / "d.txt", "a");
    EXPECT_EQ(fileIdentity((dir / "a.txt").string()), fileIdentity((dir / "b.txt").string()));
    EXPECT_EQ(fileIdentity((dir / "a.txt").string()), fileIdentity((dir / "c.txt").string()));
    EXPECT_NE(fileIdentity((dir / "a.txt").string()),
              fileIdentity((dir / "c.txt").string(), false));
    EXPECT_NE(fileIdentity((dir / "a.txt").string()), fileIdentity((dir / "d.txt").string()));
    EXPECT_FALSE(fileIdentity((dir / "e.txt").string()));
}

} // namespace
} // namespace marlek
