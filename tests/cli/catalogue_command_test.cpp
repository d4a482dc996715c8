// marlek-lotto-cli catalogue: the rows of a catalogue with their codes, and its usage errors.

#include "catalogue_rows.h"
#include "commands.h"

#include <gtest/gtest.h>

#include <sstream>

namespace marlek::cli {
namespace {

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result runCli(const std::vector<std::string> &args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = run(args, Io{out, err});
    return {status, out.str(), err.str()};
}

TEST(CatalogueCommand, PrintsCodeTabTextPerRow) {
    const Result result = runCli({"catalogue", "--kind", "5"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(result.out.starts_with(
        "31\t    $     1          1    Ticket        5  Numbers        3 of 5\n"
        "31\t    $     1          1    Ticket        5  Numbers        4 of 5\n"));
    EXPECT_TRUE(result.out.ends_with("\n19\t    $2002   2002   Tickets   14  Numbers"
                                     "                5\n21\tPlay More Numbers Click Here\n"));
}

// Every order of both kinds prints the rows the catalogue window lists, in the same order.
TEST(CatalogueCommand, EveryOrderMatchesTheWindowsRows) {
    const std::pair<const char *, CatalogueOrder> orders[] = {
        {nullptr, CatalogueOrder::Initial},       {"initial", CatalogueOrder::Initial},
        {"cost", CatalogueOrder::CostTickets},    {"numbers", CatalogueOrder::Numbers},
        {"guarantee", CatalogueOrder::Guarantee},
    };
    for (int kind : {5, 6}) {
        for (const auto &[name, order] : orders) {
            std::vector<std::string> args = {"catalogue", "--kind", std::to_string(kind)};
            if (name)
                args.insert(args.end(), {"--order", name});
            std::string expected;
            for (const CatalogueRow &row : catalogueRows(kind, order))
                expected += std::to_string(row.itemData) + '\t' + std::string(row.text) + '\n';
            const Result result = runCli(args);
            EXPECT_EQ(result.status, 0);
            EXPECT_EQ(result.out, expected) << kind << " " << (name ? name : "(default)");
        }
    }
    // Pick 6 opens with its Cost/Tickets order: 37 lines.
    const Result pick6 = runCli({"catalogue", "--kind", "6"});
    EXPECT_EQ(std::count(pick6.out.begin(), pick6.out.end(), '\n'), 37);
}

TEST(CatalogueCommand, BadKindOrOrderIsAUsageError) {
    const std::vector<std::vector<std::string>> cases = {
        {"catalogue"},
        {"catalogue", "--kind", "7"},
        {"catalogue", "--kind", "five"},
        {"catalogue", "--kind"},
        {"catalogue", "--kind", "5", "--order", "price"},
        {"catalogue", "--kind", "5", "--order"},
        {"catalogue", "--kind", "5", "--order", "Cost"},
        {"catalogue", "--kind", "5", "extra"},
    };
    for (const auto &args : cases) {
        const Result result = runCli(args);
        EXPECT_EQ(result.status, 2) << args.back();
        EXPECT_EQ(result.out, "") << args.back();
        EXPECT_TRUE(result.err.starts_with("marlek-lotto-cli: ")) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    EXPECT_NE(runCli({"catalogue", "--kind", "5", "--order", "price"}).err.find("price"),
              std::string::npos);
}

} // namespace
} // namespace marlek::cli
