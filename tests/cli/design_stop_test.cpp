// marlek-lotto-cli design stopped by a signal while it searches: Ctrl+C still writes the wheel
// found by then, SIGTERM and SIGHUP write nothing; no temporary file is left either way.

#include "run_cli.h"
#include "temp_dir.h"

#include "wheel_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sstream>

namespace marlek {
namespace {

namespace fs = std::filesystem;
using test::filesIn;
using test::readFileBytes;
using test::TempDir;

// A ticket budget far below any wheel that keeps the guarantee: the search looks for the best
// coverage until its day is over, so only the signal ends it.
std::vector<std::string> endlessDesign(const fs::path &out) {
    return {"design",    "--kind", "6",         "--numbers", "24",    "--guarantee", "3/6",
            "--tickets", "5",      "--seconds", "86400",     "--out", out.string()};
}

bool holdsATemporaryFile(const fs::path &dir) {
    for (const std::string &name : filesIn(dir))
        if (name.starts_with(".marlek-"))
            return true;
    return false;
}

TEST(DesignStop, SigtermAndSighupRemoveTheTemporaryFileAndLeaveTheOldWheel) {
    for (const int signal : {SIGTERM, SIGHUP}) {
        TempDir dir;
        TempDir logs;
        const fs::path out = dir / "wheel.txt";
        test::writeFileBytes(out, "my old wheel\r\n");
        test::CliProcess design(endlessDesign(out), logs.path());
        ASSERT_TRUE(test::waitUntil([&] { return holdsATemporaryFile(dir.path()); }));
        ::kill(design.pid(), signal);
        const test::CliResult result = design.wait();
        EXPECT_EQ(result.status, 128 + signal);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "marlek-lotto-cli: stopped by " +
                                  std::string(signal == SIGTERM ? "SIGTERM" : "SIGHUP") +
                                  " before \"" + out.string() +
                                  "\" was written; it is left as it was\n");
        EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"wheel.txt"});
        EXPECT_EQ(readFileBytes(out), "my old wheel\r\n");
    }
}

// Ctrl+C ends the search and writes its wheel, or, when it comes before the first wheel, says so
// and writes nothing.
TEST(DesignStop, CtrlCEndsTheSearchAndWritesTheWheelFoundByThen) {
    TempDir dir;
    TempDir logs;
    const fs::path out = dir / "wheel.txt";
    test::CliProcess design(endlessDesign(out), logs.path());
    ASSERT_TRUE(test::waitUntil([&] { return holdsATemporaryFile(dir.path()); }));
    ::kill(design.pid(), SIGINT);
    const test::CliResult result = design.wait();
    if (result.status == 1) {
        EXPECT_EQ(result.err, "marlek-lotto-cli: design: interrupted before the first wheel was "
                              "found\n");
        EXPECT_TRUE(filesIn(dir.path()).empty());
        return;
    }
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find(" for 3 of 6 over 24 numbers"), std::string::npos) << result.out;
    EXPECT_TRUE(result.out.ends_with("(stopped early)\n")) << result.out;
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"wheel.txt"});
    std::istringstream file(readFileBytes(out));
    const PlainWheel wheel = readWheelFile(file);
    EXPECT_GE(wheel.tickets.size(), 1u);
    EXPECT_LE(wheel.tickets.size(), 5u);
}

} // namespace
} // namespace marlek
