#include "commands.h"
#include "odds_rows.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace marlek::cli {
namespace {

using ::testing::HasSubstr;

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

CliResult runOdds(const std::vector<std::string> &args) {
    std::ostringstream out, err;
    const int status = run(args, {out, err});
    return {status, out.str(), err.str()};
}

TEST(OddsCommand, PrintsTheHeaderThenEveryItemOfTheWindowList) {
    for (int kind : {5, 6}) {
        SCOPED_TRACE(kind);
        const CliResult result = runOdds({"odds", "--kind", std::to_string(kind)});
        ASSERT_EQ(result.status, 0) << result.err;
        std::string expected = "Numbers          Combinations\n";
        for (const std::string &item : oddsListItems(kind))
            expected += item + "\n";
        EXPECT_EQ(result.out, expected);
        EXPECT_EQ(result.err, "");
    }
    const CliResult pick5 = runOdds({"odds", "--kind", "5"});
    EXPECT_THAT(pick5.out,
                ::testing::StartsWith("Numbers          Combinations\n"
                                      "Not all Lottos Listed\n"
                                      "        5                                     1\n"));
    EXPECT_THAT(pick5.out, ::testing::EndsWith("      60                     5,461,512\n"));
    EXPECT_EQ(std::count(pick5.out.begin(), pick5.out.end(), '\n'), 58);
}

TEST(OddsCommand, BadKindIsAUsageErrorWithNothingPrinted) {
    const std::vector<std::vector<std::string>> cases = {{"odds"},
                                                         {"odds", "--kind"},
                                                         {"odds", "--kind", "7"},
                                                         {"odds", "--kind", "x"},
                                                         {"odds", "--kind", "5", "--wheel", "3"}};
    for (const auto &args : cases) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const CliResult result = runOdds(args);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_THAT(result.err, HasSubstr("marlek-lotto-cli: "));
    }
    EXPECT_THAT(runOdds({"odds", "--kind", "4"}).err, HasSubstr("--kind"));
}

TEST(OddsCommand, FailedOutputEndsWithStatusOne) {
    std::ostream broken(nullptr); // every write fails, as on a full disk
    std::ostringstream err;
    EXPECT_EQ(run({"odds", "--kind", "6"}, {broken, err}), 1);
    EXPECT_THAT(err.str(), HasSubstr("cannot write to standard output"));
}

} // namespace
} // namespace marlek::cli
