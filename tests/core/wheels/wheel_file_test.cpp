// The wheel file: what is written reads back the same, and every kind of wrong file is refused
// with the line that is wrong.

#include "wheel_file.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace marlek {
namespace {

std::string fileOf(const PlainWheel &wheel) {
    std::string text;
    writeWheelFile(wheel, [&text](std::string_view line) { (text += line) += '\n'; });
    return text;
}

PlainWheel read(const std::string &text) {
    std::istringstream in(text);
    return readWheelFile(in);
}

TEST(WheelFile, WritesTheHeaderAndOneTicketALineAndReadsItBack) {
    const PlainWheel wheel = plainWheelOf(*findWheel(6, 28)); // 1 2 3 4 5 6 / 2 3 4 5 6 7
    const std::string text = fileOf(wheel);
    EXPECT_EQ(text, "6 7 3 6\n1 2 3 4 5 6\n2 3 4 5 6 7\n");
    EXPECT_EQ(read(text), wheel);

    const PlainWheel big = plainWheelOf(*findWheel(5, 14)); // 150 tickets over 26 numbers
    EXPECT_EQ(read(fileOf(big)), big);
}

TEST(WheelFile, AKeyWheelCarriesItsKeysInAFifthHeaderNumber) {
    const PlainWheel wheel = keyWheelOver(plainWheelOf(*findWheel(6, 28)), 2);
    const std::string text = fileOf(wheel);
    EXPECT_EQ(text, "8 9 5 8 2\n1 2 3 4 5 6 7 8\n1 2 4 5 6 7 8 9\n");
    EXPECT_EQ(read(text), wheel);
    EXPECT_EQ(read("6 7 3 6 0\n1 2 3 4 5 6\n").keys, 0); // written as four numbers, taken as five
}

TEST(WheelFile, TakesCrLfRunsOfSpacesAndNoLastLineEnd) {
    const PlainWheel wheel = read("5 6 4 5\r\n1 2 3 4 5\r\n  2  3 4 5 6 ");
    EXPECT_EQ(wheel.kind, 5);
    EXPECT_EQ(wheel.numbers, 6);
    EXPECT_EQ(wheel.guarantee, (Guarantee{4, 5}));
    EXPECT_EQ(wheel.tickets, (std::vector<NumberSet>{0b011111, 0b111110}));
    // Lines of up to 200 characters, the CR not counted.
    const std::string longest = "1 2 3 4 5" + std::string(191, ' ');
    EXPECT_EQ(read("5 6 4 5\r\n" + longest + "\r\n" + longest).tickets.size(), 2u);
    EXPECT_THROW(read("5 6 4 5\n" + longest + " \r\n"), WheelFileError);
    EXPECT_THROW(read("5 6 4 5\n" + longest + " "), WheelFileError);
}

struct Malformed {
    const char *what;
    std::string text;
    std::string message;
};

TEST(WheelFile, RefusesEveryKindOfMalformedFileNamingTheLine) {
    using namespace std::string_literals;
    const std::vector<Malformed> cases = {
        {"empty", "",
         "the file is empty: a wheel file begins with a line of k N t m, e.g. "
         "\"6 20 3 6\""},
        {"short header", "6 20 3\n1 2 3 4 5 6\n",
         "line 1: the header needs 4 numbers, k N t m (numbers a ticket, numbers played, the "
         "guarantee's t and m, e.g. \"6 20 3 6\"), not 3"},
        {"word in header", "6 twenty 3 6\n", "line 1: \"twenty\" is not a whole number"},
        {"kind", "9 20 3 6\n", "line 1: a ticket holds 1 to 8 numbers, not 9"},
        {"too many numbers", "6 50 3 6\n",
         "line 1: a wheel of 6 numbers a ticket plays 6 to 49 numbers, not 50"},
        {"t above k", "5 20 6 6\n",
         "line 1: the guarantee's matches (t) must be from 1 to 5, not 6"},
        {"m below t", "6 20 4 3\n",
         "line 1: the guarantee's drawn numbers (m) must be from 4 to 20, not 3"},
        {"no tickets", "6 20 3 6\n",
         "line 2: the file ends after its header; a wheel needs at least one ticket"},
        {"too few numbers", "6 20 3 6\n1 2 3 4 5 6\n1 2 3 4 5\n",
         "line 3: 6 numbers needed, 5 given"},
        {"too many", "6 20 3 6\n1 2 3 4 5 6 7\n", "line 2: 6 numbers needed, 7 given"},
        {"out of range", "6 20 3 6\n1 2 3 4 5 21\n", "line 2: 21 is not a number from 1 to 20"},
        {"zero", "6 20 3 6\n0 2 3 4 5 6\n", "line 2: 0 is not a number from 1 to 20"},
        {"descending", "6 20 3 6\n1 2 3 9 5 6\n", "line 2: the numbers must ascend (5 follows 9)"},
        {"repeated", "6 20 3 6\n1 2 3 3 5 6\n", "line 2: 3 is given twice"},
        {"sign", "6 20 3 6\n1 2 3 4 5 +6\n", "line 2: \"+6\" is not a whole number"},
        {"comma", "6 20 3 6\n1,2,3,4,5,6\n", "line 2: \"1,2,3,4,5,6\" is not a whole number"},
        {"tab", "6 20 3 6\n1 2 3 4 5\t6\n", "line 2: \"5\\t6\" is not a whole number"},
        {"NUL", "6 20 3 6\n1 2 3 4 5 6\0\n"s, "line 2: \"6\\x00\" is not a whole number"},
        {"byte-order mark",
         "\xef\xbb\xbf"
         "6 20 3 6\n1 2 3 4 5 6\n",
         "line 1: the file begins with a byte-order mark (U+FEFF), which a wheel file does not "
         "have; save it as plain text without one"},
        {"one number a ticket", "1 5 1 1\n1 2\n", "line 2: 1 number needed, 2 given"},
        {"blank line", "6 20 3 6\n1 2 3 4 5 6\n\n7 8 9 10 11 12\n",
         "line 3: the line is empty; every line after the header holds one ticket"},
        {"long header", "6 20 3 6 1 1\n",
         "line 1: the header holds at most 5 numbers, k N t m and the count of key numbers c "
         "(e.g. \"6 20 3 6 1\"), not 6"},
        {"keys not below t", "6 20 3 6 3\n1 2 3 4 5 6\n",
         "line 1: the key numbers (c) must be from 0 to 2, fewer than the guarantee's matches "
         "(t), not 3"},
        {"key missing", "6 20 3 6 2\n1 2 3 4 5 6\n1 3 4 5 6 7\n",
         "line 3: key number 2 is missing; every ticket holds the key numbers 1 to 2"},
        {"one key missing", "6 20 3 6 1\n2 3 4 5 6 7\n",
         "line 2: key number 1 is missing; every ticket holds the key number 1"},
        {"binary", "6 20 3 6\n" + std::string(300, 'x'),
         "line 2: the line is longer than 200 characters; this is not a wheel file"},
    };
    for (const Malformed &c : cases) {
        SCOPED_TRACE(c.what);
        try {
            read(c.text);
            ADD_FAILURE() << "read without complaint";
        } catch (const WheelFileError &error) {
            EXPECT_EQ(std::string(error.what()), c.message);
        }
    }
}

} // namespace
} // namespace marlek
