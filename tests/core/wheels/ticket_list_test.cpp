// Ticket lists as players write them: read in every plain form, refused with the line named, told
// apart from wheel files, and proven for what they keep.

#include "ticket_list.h"
#include "wheel_tables.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace marlek {
namespace {

TicketList read(const std::string &text) {
    std::istringstream in(text);
    return readTicketList(in);
}

std::variant<PlainWheel, TicketList> readEither(const std::string &text) {
    std::istringstream in(text);
    return readWheelOrTicketList(in);
}

TEST(TicketList, ReadsSpacesCommasAndDashesAndMapsTheNumbersUsedToPositions) {
    const TicketList list = read("# Saturday's syndicate\r\n"
                                 "03-11-17-25-33-40\r\n"
                                 "\r\n"
                                 "40, 42, 3, 11, 17, 25\r\n"
                                 "  3 - 11 - 17 - 25 - 33 - 42\t\r\n"
                                 "3\t11 17  33 40 42");
    EXPECT_EQ(list.kind, 6);
    EXPECT_EQ(list.numbers, (std::vector<int>{3, 11, 17, 25, 33, 40, 42}));
    // Positions: 3 is 1, 11 is 2, ... 42 is 7; a ticket written out of order is the same set.
    EXPECT_EQ(list.tickets,
              (std::vector<NumberSet>{0b0111111, 0b1101111, 0b1011111, 0b1110111}));

    const TicketList pick5 = read("1 2 3 4 99\n");
    EXPECT_EQ(pick5.kind, 5);
    EXPECT_EQ(pick5.numbers, (std::vector<int>{1, 2, 3, 4, 99}));
    EXPECT_EQ(pick5.tickets, (std::vector<NumberSet>{0b11111}));
}

struct Malformed {
    const char *what;
    std::string text;
    std::string message;
};

TEST(TicketList, RefusesEveryKindOfMalformedListNamingTheLine) {
    const std::string ticket = "1 2 3 4 5 6\n";
    const std::vector<Malformed> cases = {
        {"nothing", "", "the file holds no ticket: a ticket list holds one ticket a line, e.g. "
                        "\"01-02-03-04-05-06\""},
        {"comments only", "# none yet\n\n", "the file holds no ticket: a ticket list holds one "
                                            "ticket a line, e.g. \"01-02-03-04-05-06\""},
        {"first ticket short", "1 2 3 4\n", "line 1: a ticket holds 5 or 6 numbers, not 4"},
        {"first ticket long", "1 2 3 4 5 6 7\n", "line 1: a ticket holds 5 or 6 numbers, not 7"},
        {"sizes differ", ticket + "\n1 2 3 4 5\n", "line 3: 6 numbers needed, 5 given"},
        {"zero", ticket + "0 2 3 4 5 6\n", "line 2: 0 is not a number from 1 to 99"},
        {"above 99", "1 2 3 4 5 100\n", "line 1: 100 is not a number from 1 to 99"},
        {"repeat", "7-1-7-2-3-4\n", "line 1: 7 is given twice"},
        {"word", ticket + "1 2 3 4 5 six\n", "line 2: \"six\" is not a whole number"},
        {"decimal", "1 2 3 4 5 6.0\n", "line 1: \"6.0\" is not a whole number"},
        {"sign", "1 2 3 4 5 +6\n", "line 1: \"+6\" is not a whole number"},
        {"control character", "1 2 3 4 5 6\x1b\n", "line 1: \"6\\x1b\" is not a whole number"},
        {"double comma", "1,,2,3,4,5,6\n",
         "line 1: a comma or dash stands where a number belongs (\"1,,2,3,4,5,6\"); they go "
         "between the numbers of a ticket"},
        {"leading dash", "-1 2 3 4 5 6\n",
         "line 1: a comma or dash stands where a number belongs (\"-1 2 3 4 5 6\"); they go "
         "between the numbers of a ticket"},
        {"trailing comma", "1,2,3,4,5,6,\n",
         "line 1: a comma or dash stands where a number belongs (\"1,2,3,4,5,6,\"); they go "
         "between the numbers of a ticket"},
        {"comment after a ticket", "1 2 3 4 5 6 # mine\n", "line 1: \"#\" is not a whole number"},
        {"byte-order mark", "\xef\xbb\xbf" + ticket,
         "line 1: the file begins with a byte-order mark (U+FEFF), which a ticket list does not "
         "have; save it as plain text without one"},
        {"long line", ticket + "1 2 3 4 5 6" + std::string(200, ' ') + "\n",
         "line 2: the line is longer than 200 characters; this is not a ticket list"},
    };
    for (const Malformed &c : cases) {
        SCOPED_TRACE(c.what);
        try {
            read(c.text);
            ADD_FAILURE() << "read";
        } catch (const WheelFileError &error) {
            EXPECT_EQ(std::string(error.what()), c.message);
        }
    }
}

TEST(TicketList, RefusesTheFiftiethDifferentNumber) {
    std::string text;
    for (int first = 1; first + 5 <= 50; first += 6) // 1-6, 7-12, ... 43-48
        for (int n = first; n < first + 6; ++n)
            text += std::to_string(n) + (n + 1 < first + 6 ? " " : "\n");
    text += "44 45 46 47 48 49\n"; // 49 numbers in 9 lines
    EXPECT_EQ(read(text).numbers.size(), 49u);
    try {
        read(text + "45 46 47 48 49 70\n");
        ADD_FAILURE() << "read";
    } catch (const WheelFileError &error) {
        EXPECT_EQ(std::string(error.what()), "line 10: 70 would be the 50th different number; a "
                                             "wheel plays at most 49");
    }
}

TEST(TicketList, IsToldApartFromAWheelFileByItsFirstLine) {
    // Four numbers: a wheel file's header, with its own messages.
    const auto wheel = readEither("6 7 3 6\n1 2 3 4 5 6\n2 3 4 5 6 7\n");
    ASSERT_TRUE(std::holds_alternative<PlainWheel>(wheel));
    EXPECT_EQ(std::get<PlainWheel>(wheel), plainWheelOf(*findWheel(6, 28)));
    try {
        readEither("6 7 3 6\n1 2 3 4 5\n");
        ADD_FAILURE() << "read";
    } catch (const WheelFileError &error) {
        EXPECT_EQ(std::string(error.what()), "line 2: 6 numbers needed, 5 given");
    }
    // Five numbers out of order that make a header (keys 1): a wheel file; ascending: a ticket.
    EXPECT_TRUE(std::holds_alternative<PlainWheel>(
        readEither("5 6 3 4 1\n1 2 3 4 5\n1 3 4 5 6\n")));
    EXPECT_TRUE(std::holds_alternative<TicketList>(readEither("1 3 4 5 6\n1 2 3 4 5\n")));
    // Out of order, but no header (t above k): a ticket.
    EXPECT_TRUE(std::holds_alternative<TicketList>(readEither("5 20 6 7 1\n")));
    // Dashes, a comment or a blank first: a ticket list.
    EXPECT_TRUE(std::holds_alternative<TicketList>(readEither("#\n6 7 3 16 1 2\n")));
    EXPECT_TRUE(std::holds_alternative<TicketList>(readEither("06-07-03-16-01-02\n")));

    try {
        readEither("");
        ADD_FAILURE() << "read";
    } catch (const WheelFileError &error) {
        EXPECT_EQ(std::string(error.what()),
                  "the file is empty: a wheel file begins with a line of k N t m, e.g. "
                  "\"6 20 3 6\", and a ticket list holds one ticket a line, e.g. "
                  "\"01-02-03-04-05-06\"");
    }
}

TEST(TicketList, ProvesTheMatchesKeptForEveryCountDrawn) {
    // Two tickets over 7 numbers sharing 5: a draw holding the two numbers they do not share
    // meets each in all but one of its numbers.
    const TicketList list = read("10 20 30 40 45 49\n20 30 40 45 49 70\n");
    EXPECT_EQ(provenGuarantees(list, 2),
              (std::vector<Guarantee>{{1, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}}));
    const PlainWheel wheel = wheelOfTicketList(list, {5, 6});
    EXPECT_EQ(wheel.kind, 6);
    EXPECT_EQ(wheel.numbers, 7);
    EXPECT_EQ(wheel.tickets, list.tickets);
    EXPECT_TRUE(meetsGuarantee(wheel));

    // Two tickets apart: a draw of 2 can take one number from each.
    const TicketList apart = read("1 2 3 4 5\n6 7 8 9 10\n");
    EXPECT_EQ(provenGuarantees(apart),
              (std::vector<Guarantee>{{1, 1}, {1, 2}, {2, 3}, {2, 4}, {3, 5}}));
}

} // namespace
} // namespace marlek
