#include "document_text.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace marlek {
namespace {

TEST(DocumentText, EveryLineEndsInCrLfTheLastOneToo) {
    const struct {
        std::vector<std::string> lines;
        std::string text;
    } cases[] = {
        {{}, ""},
        {{""}, "\r\n"},
        {{"Marlek's "}, "Marlek's \r\n"},
        {{"a", "", "  b  "}, "a\r\n\r\n  b  \r\n"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(linesWithCrLf(c.lines), c.text);
}

TEST(DocumentText, CopyRefusesFrom2100TicketsOn) {
    EXPECT_TRUE(copyAllowed(0));
    EXPECT_TRUE(copyAllowed(2099));
    EXPECT_FALSE(copyAllowed(2100));
    EXPECT_FALSE(copyAllowed(27132));
    EXPECT_EQ(copyRefusedMessage(),
              "     File is to Big for Clipboard\r\nYou Can Save this File to Disk");
}

TEST(DocumentText, FailureMessagesNameWhatFailedAndWhy) {
    const std::string save =
        saveFailedMessage("/no/such/folder/r.txt", "No such file or directory");
    EXPECT_NE(save.find("/no/such/folder/r.txt"), std::string::npos);
    EXPECT_NE(save.find("No such file or directory"), std::string::npos);
    EXPECT_NE(printFailedMessage("No printer is available.").find("No printer is available."),
              std::string::npos);
}

TEST(DocumentPosition, NthDocumentTakesPositionNThenClosedPositionsAreReused) {
    std::array<bool, kDocumentPositions> occupied{};
    EXPECT_EQ(documentPosition(1, occupied), 1);
    EXPECT_EQ(documentPosition(34, occupied), 34);

    // The 35th: position 34 still holds the document shown before it, the others have closed.
    occupied[33] = true;
    EXPECT_EQ(documentPosition(35, occupied), 1);
    occupied[0] = true;
    EXPECT_EQ(documentPosition(36, occupied), 2);

    occupied.fill(true);
    EXPECT_EQ(documentPosition(35, occupied), std::nullopt);
    EXPECT_EQ(documentPosition(34, occupied), std::nullopt);
    occupied[20] = false;
    EXPECT_EQ(documentPosition(1000, occupied), 21);
}

} // namespace
} // namespace marlek
