#include "document_file.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace marlek {
namespace {

using test::readFileBytes;
using test::TempDir;
using test::writeFileBytes;

QString qpath(const std::filesystem::path &path) {
    return QString::fromStdString(path.string());
}

TEST(SaveLinesToFile, WritesEachLineWithCrLfAndNothingElse) {
    TempDir dir;
    const std::vector<std::string> lines = {"Marlek's Pick 5 Lotto", "", "  3  11"};
    QString reason;
    ASSERT_TRUE(saveLinesToFile(qpath(dir / "report"), lines, &reason)) << reason.toStdString();
    EXPECT_EQ(readFileBytes(dir / "report"), "Marlek's Pick 5 Lotto\r\n\r\n  3  11\r\n");

    ASSERT_TRUE(saveLinesToFile(qpath(dir / "empty.txt"), {}, &reason));
    EXPECT_TRUE(std::filesystem::exists(dir / "empty.txt"));
    EXPECT_EQ(std::filesystem::file_size(dir / "empty.txt"), 0u);
}

TEST(SaveLinesToFile, ReplacesAnExistingFileWholly) {
    TempDir dir;
    writeFileBytes(dir / "r.txt", std::string(100000, 'x'));
    ASSERT_TRUE(saveLinesToFile(qpath(dir / "r.txt"), std::vector<std::string>{"new"}, nullptr));
    EXPECT_EQ(readFileBytes(dir / "r.txt"), "new\r\n");
}

TEST(SaveLinesToFile, LargeReportsAreWrittenCompletely) {
    TempDir dir;
    std::vector<std::string> lines;
    std::string expected;
    for (int i = 0; i < 40000; ++i) { // past 32767 lines and past many write chunks
        lines.push_back("Lotto Ticket   " + std::to_string(i + 1) + "    01  02  03  04  05  06");
        expected += lines.back() + "\r\n";
    }
    ASSERT_TRUE(saveLinesToFile(qpath(dir / "big.txt"), lines, nullptr));
    EXPECT_EQ(readFileBytes(dir / "big.txt"), expected);
}

TEST(SaveLinesToFile, UnwritablePlacesFailWithTheSystemsReason) {
    TempDir dir;
    writeFileBytes(dir / "plain", "a file, not a folder");
    const struct {
        QString path;
        const char *reasonPart;
    } cases[] = {
        {qpath(dir / "missing" / "r.txt"), "No such file or directory"},
        {qpath(dir / "plain" / "r.txt"), "Not a directory"},
        {qpath(dir.path()), "folder"},
        {QStringLiteral("/dev/full"), "No space left on device"},
    };
    for (const auto &c : cases) {
        QString reason;
        EXPECT_FALSE(saveLinesToFile(c.path, std::vector<std::string>{"line"}, &reason))
            << c.path.toStdString();
        EXPECT_TRUE(reason.contains(QString::fromLatin1(c.reasonPart)))
            << c.path.toStdString() << ": " << reason.toStdString();
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
    EXPECT_EQ(readFileBytes(dir / "plain"), "a file, not a folder");
}

// The program's one rule for links: a link to a file is followed and the file replaced whole, a
// link to nothing is refused and left as it is.
TEST(SaveLinesToFile, FollowsALinkToAFileAndRefusesALinkToNothing) {
    TempDir dir;
    writeFileBytes(dir / "real.txt", "old");
    std::filesystem::create_symlink(dir / "real.txt", dir / "link.txt");
    std::filesystem::create_symlink(dir / "gone.txt", dir / "dangling.txt");
    ASSERT_TRUE(saveLinesToFile(qpath(dir / "link.txt"), std::vector<std::string>{"new"}, nullptr));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.txt"));
    EXPECT_EQ(readFileBytes(dir / "real.txt"), "new\r\n");

    QString reason;
    EXPECT_FALSE(
        saveLinesToFile(qpath(dir / "dangling.txt"), std::vector<std::string>{"x"}, &reason));
    EXPECT_EQ(reason, QString::fromStdString("It is a link to \"" + (dir / "gone.txt").string() +
                                             "\", which does not exist"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "dangling.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir / "gone.txt"));
}

TEST(SaveLinesToFile, AWriteThatFailsPartWayLeavesTheOldFileIntact) {
    TempDir dir;
    const std::string old = "the report saved yesterday\r\n";
    writeFileBytes(dir / "r.txt", old);
    std::vector<std::string> lines(20000, "Lotto Ticket   1    01  02  03  04  05  06");

    // A file size limit of 4 KiB, in a child so the limit does not reach the test run.
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        QString reason;
        const bool saved = saveLinesToFile(qpath(dir / "r.txt"), lines, &reason);
        const bool reasonGiven = reason.contains(QStringLiteral("too large"), Qt::CaseInsensitive);
        if (saved || !reasonGiven)
            std::fprintf(stderr, "saved %d, reason \"%s\"\n", saved, qPrintable(reason));
        _exit(!saved && reasonGiven ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the save did not fail with the system's reason";
    EXPECT_EQ(readFileBytes(dir / "r.txt"), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1)
        << "a temporary file was left behind";
}

} // namespace
} // namespace marlek
