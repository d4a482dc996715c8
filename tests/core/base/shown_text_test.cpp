// A user's bytes in a message: every character visible, nothing that steers a terminal, nothing
// that cuts the message short.

#include "shown_text.h"

#include <gtest/gtest.h>

#include <string>

namespace marlek {
namespace {

TEST(ShownText, EscapesWhatIsInvisibleOrSteersATerminalAndKeepsTheRest) {
    using namespace std::string_literals;
    struct Case {
        std::string bytes;
        std::string shown;
    };
    const Case cases[] = {
        {"wheel 20.txt", "wheel 20.txt"},
        {"a\nb\rc\td", "a\\nb\\rc\\td"},
        {"5\x1b[2J\x7f", "5\\x1b[2J\\x7f"},
        {"6\0 7"s, "6\\x00 7"}, // NUL: the rest is still there
        {"\xc2\x9b"
         "31m",
         "\\u009b31m"},                                             // C1 CSI, as UTF-8
        {"\xc2\x85|\xc2\x9f|\xc2\xa0", "\\u0085|\\u009f|\xc2\xa0"}, // C1 ends at U+009F
        {"\x9b"
         "31m",
         "\\x9b31m"}, // a C1 byte alone is no UTF-8
        {"\xef\xbb\xbf"
         "6",
         "<byte-order mark U+FEFF>6"},
        {"r\xc3\xa9sum\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xb2",
         "r\xc3\xa9sum\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xb2"},
        {"\xe2\x80\xae"
         "txt.exe",
         "\\u202etxt.exe"}, // turns the text around
        {"a\xe2\x80\xa8"
         "b",
         "a\\u2028b"}, // a line separator
        {"\xff\xfe", "\\xff\\xfe"},
        {"\xc3", "\\xc3"},                   // cut short
        {"\xc0\xaf", "\\xc0\\xaf"},          // overlong "/"
        {"\xed\xa0\x80", "\\xed\\xa0\\x80"}, // a surrogate
        {"\\n stays", "\\n stays"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(shownText(c.bytes), c.shown) << c.shown;
        EXPECT_EQ(shownText(c.shown), c.shown) << "shown twice: " << c.shown;
    }
    EXPECT_EQ(quotedText("a\nb"), "\"a\\nb\"");
}

} // namespace
} // namespace marlek
