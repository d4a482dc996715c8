// The generator windows' texts: estimates for every threshold and table row, the total label,
// when "Yes" and the list are offered, the hints and the information texts.

#include "generator_texts.h"

#include <gtest/gtest.h>

#include <string>

namespace marlek {
namespace {

struct EstimateCase {
    int kind;
    int n;
    std::int64_t perFile;
    std::string expected;
};

class EstimateText : public ::testing::TestWithParam<EstimateCase> {};

TEST_P(EstimateText, FollowsTheFixedTableAndThresholds) {
    const EstimateCase &c = GetParam();
    EXPECT_EQ(estimateText(c.kind, c.n, c.perFile), c.expected)
        << "kind " << c.kind << ", n " << c.n;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EstimateText,
    ::testing::Values(
        EstimateCase{6, 0, 400000, ""}, EstimateCase{6, 19, 400000, ""},
        EstimateCase{6, 20, 400000, "File Size > 1 Megs\r\nProcessing > 1 Minute"},
        EstimateCase{6, 22, 400000, "File Size > 1 Megs\r\nProcessing > 1 Minute"},
        EstimateCase{6, 25, 400000, "File Size > 1 Megs\r\nProcessing > 1 Minute"},
        EstimateCase{6, 26, 400000,
                     "File Size > 80 Megs\r\nProcessing > 3 Minutes\r\n1 Files Saved "
                     "Automatically\r\n400,000 Combinations per File"},
        EstimateCase{6, 39, 1000000,
                     "File Size > 240 Megs\r\nProcessing > 7 Minutes\r\n4 Files Saved "
                     "Automatically\r\n1,000,000 Combinations per File"},
        EstimateCase{6, 49, 400000,
                     "File Size > 750 Megs\r\nProcessing > 25 Minutes\r\n35 Files Saved "
                     "Automatically\r\n400,000 Combinations per File"},
        EstimateCase{6, 50, 400000,
                     "File Size > 1000 Megs\r\nProcessing > 45 Minutes\r\n40 Files Saved "
                     "Automatically\r\n400,000 Combinations per File"},
        EstimateCase{6, 56, 400000,
                     "File Size > 2000 Megs\r\nProcessing > 60 Minutes\r\n82 Files Saved "
                     "Automatically\r\n400,000 Combinations per File"},
        EstimateCase{6, 60, 200000,
                     "File Size > 2000 Megs\r\nProcessing > 60 Minutes\r\n251 Files Saved "
                     "Automatically\r\n200,000 Combinations per File"},
        EstimateCase{5, 22, 400000, ""},
        EstimateCase{5, 23, 400000, "File Size > 2 Megs\r\nProcessing > 1 Minute"},
        EstimateCase{5, 29, 400000, "File Size > 4 Megs\r\nProcessing > 1 Minute"},
        EstimateCase{5, 31, 400000, "File Size > 4 Megs\r\nProcessing > 1 Minute"},
        EstimateCase{5, 39, 200000,
                     "File Size > 30 Megs\r\nProcessing > 2 Minutes\r\n3 Files Saved "
                     "Automatically\r\n200,000 Combinations per File"},
        EstimateCase{5, 47, 400000,
                     "File Size > 60 Megs\r\nProcessing > 4 Minutes\r\n4 Files Saved "
                     "Automatically\r\n400,000 Combinations per File"},
        EstimateCase{5, 54, 300000,
                     "File Size > 120 Megs\r\nProcessing > 6 Minutes\r\n11 Files Saved "
                     "Automatically\r\n300,000 Combinations per File"}));

TEST(GeneratorTexts, LoadTimeEstimateIsTheWindowsOwnTextNotTheTables) {
    EXPECT_EQ(loadEstimateText(6, 42), "File Size > 200 Megs\r\nProcessing > 7 Minutes");
    EXPECT_EQ(loadEstimateText(5, 42), "File Size > 22 Megs\r\nProcessing > 2 Minutes");
    EXPECT_EQ(loadEstimateText(6, 19), "");
    EXPECT_EQ(loadEstimateText(5, 22), "");
}

TEST(GeneratorTexts, TotalLabelGroupsTheTotalAndLeavesZeroEmpty) {
    EXPECT_EQ(fieldTotalText(49, 13983816), "49 Numbers      13,983,816  Total Combinations");
    EXPECT_EQ(fieldTotalText(42, 5245786), "42 Numbers      5,245,786  Total Combinations");
    EXPECT_EQ(fieldTotalText(4, 0), "4 Numbers        Total Combinations");
}

TEST(GeneratorTexts, YesAndTheListFollowTheirThresholds) {
    EXPECT_TRUE(fullWheelOffered(6, 0));
    EXPECT_TRUE(fullWheelOffered(6, 19));
    EXPECT_FALSE(fullWheelOffered(6, 20));
    EXPECT_TRUE(fullWheelOffered(5, 22));
    EXPECT_FALSE(fullWheelOffered(5, 23));
    EXPECT_FALSE(perFileChoiceShown(6, 25));
    EXPECT_TRUE(perFileChoiceShown(6, 26));
    EXPECT_FALSE(perFileChoiceShown(5, 31));
    EXPECT_TRUE(perFileChoiceShown(5, 32));
}

TEST(GeneratorTexts, Hints) {
    EXPECT_EQ(backgroundHint(42.0), "Play all 42 Numbers in your Lotto");
    EXPECT_EQ(fullWheelHint(15.0), "Play these 15 Numbers");
    EXPECT_EQ(cancelHint(), "Return to Menu");
    EXPECT_EQ(saveAsHint(13983816, 400000), "Saving 13,983,816 Total Combinations to 35 Files");
    EXPECT_EQ(saveAsHint(5245786, 200000), "Saving 5,245,786 Total Combinations to 27 Files");
    EXPECT_EQ(saveAsHint(0, 400000), "Saving  Total Combinations to 0 Files");
}

TEST(GeneratorTexts, InformationTextsHaveFourteenLinesWithoutAFinalLineEnd) {
    const std::string pick6 = informationText(6);
    EXPECT_EQ(pick6.substr(0, 23), "What is Just for Fun?\r\n");
    EXPECT_NE(
        pick6.find("\r\nNow View All Lotto Combinations from 1 to 50 Million Combinations\r\n"),
        std::string::npos);
    EXPECT_NE(
        pick6.find("\r\nYou Can Stop Program Anytime by Pressing Ctrl+Alt+Delete End Task\r\n"),
        std::string::npos);
    EXPECT_EQ(pick6.substr(pick6.size() - 38), "\r\nGood Luck in All Your Lotto Pursuits");
    const std::string pick5 = informationText(5);
    EXPECT_NE(pick5.find("\r\nThis is Not Practical-thats why It's Just for Fun\r\n"),
              std::string::npos);
    EXPECT_EQ(pick5.find("50 Million"), std::string::npos);
    for (const std::string &text : {pick6, pick5}) {
        std::size_t breaks = 0;
        for (std::size_t at = text.find("\r\n"); at != std::string::npos;
             at = text.find("\r\n", at + 2))
            ++breaks;
        EXPECT_EQ(breaks, 13u);
    }
}

TEST(GeneratorTexts, TheTwoWindowsValues) {
    EXPECT_STREQ(generatorKind(6).caption, "Pick 6 Lotto        Play All Combinations");
    EXPECT_STREQ(generatorKind(5).caption, "Pick 5 Lotto        Play All Combinations");
    EXPECT_STREQ(generatorKind(6).title, "Win it All\r\n\r\nPlay All the Lotto 6 Combinations");
    EXPECT_STREQ(generatorKind(5).title, "Win it All\r\n\r\nPlay All the Lotto 5 Combinations");
    EXPECT_EQ(generatorKind(6).fullWheelMode, 8);
    EXPECT_EQ(generatorKind(5).fullWheelMode, 7);
    EXPECT_THROW(generatorKind(7), std::invalid_argument);
}

} // namespace
} // namespace marlek
