#include "generator_texts.h"

#include "number_text.h"

#include <stdexcept>

namespace marlek {
namespace {

const std::string kCrLf = "\r\n";

constexpr GeneratorKind kPick6{6,
                               "Form4",
                               "Pick 6 Lotto        Play All Combinations",
                               "Win it All\r\n\r\nPlay All the Lotto 6 Combinations",
                               19,
                               25,
                               "File Size > 200 Megs\r\nProcessing > 7 Minutes",
                               8};

constexpr GeneratorKind kPick5{5,
                               "Form5",
                               "Pick 5 Lotto        Play All Combinations",
                               "Win it All\r\n\r\nPlay All the Lotto 5 Combinations",
                               22,
                               31,
                               "File Size > 22 Megs\r\nProcessing > 2 Minutes",
                               7};

struct EstimateRow {
    int from;
    int to;
    SizeEstimate estimate;
};

constexpr std::array<EstimateRow, 6> kPick6Estimates{{{20, 25, {1, 1}},
                                                      {26, 38, {80, 3}},
                                                      {39, 46, {240, 7}},
                                                      {47, 49, {750, 25}},
                                                      {50, 55, {1000, 45}},
                                                      {56, 60, {2000, 60}}}};

constexpr std::array<EstimateRow, 5> kPick5Estimates{
    {{23, 28, {2, 1}}, {29, 31, {4, 1}}, {32, 46, {30, 2}}, {47, 53, {60, 4}}, {54, 60, {120, 6}}}};

constexpr std::array<const char *, 14> kPick6Information{
    "What is Just for Fun?",
    "This has Never Been Done in Lotto Software",
    "For years People have wanted to View All Combinations",
    "Now It's Been Done",
    "Now View All Lotto Combinations from 1 to 50 Million Combinations",
    "--Depending on Your Number Selection--",
    "These Text Files can be from 1 Meg to over 1 Gig in Size",
    "Also it can take 1 Minute to over 1 Hour to Create these Files",
    "Time Measured on 2 GHZ with 2 Gigs of Ram",
    "Notepad and WordPad work for Small Files < 10 Megs",
    "MS Word is needed for Large Files",
    "You Can Stop Program Anytime by Pressing Ctrl+Alt+Delete End Task",
    "You Asked for It and Now It's Here",
    "Good Luck in All Your Lotto Pursuits"};

constexpr std::array<const char *, 14> kPick5Information{
    "What is Just for Fun?",
    "This has Never Been Done in Lotto Software",
    "Now View All Combinations",
    "Play All your States Lotto Numbers",
    "This is Not Practical-thats why It's Just for Fun",
    "Due to the Extreme Amount of Combinations",
    "These Text Files are Automatically Saved to Many Files",
    "Just Pick Your Lotto's Total Numbers and Play",
    "Time Measured on 2 GHZ with 2 Gigs of Ram",
    "Notepad and WordPad work for Small Files < 10 Megs",
    "MS Word is needed for Large Files",
    "You Can Stop Program Anytime by Pressing Ctrl+Alt+Delete End Task",
    "You Asked for It and Now It's Here",
    "Good Luck in All Your Lotto Pursuits"};

// The field size as the hints write it: the shared floating value in plain decimal ("42").
std::string fieldSizeText(double genFieldSize) {
    return plain(static_cast<std::int64_t>(genFieldSize));
}

} // namespace

const GeneratorKind &generatorKind(int kind) {
    if (kind == 6)
        return kPick6;
    if (kind == 5)
        return kPick5;
    throw std::invalid_argument("lotto kind must be 5 or 6");
}

std::optional<SizeEstimate> sizeEstimate(int kind, int fieldSize) {
    auto find = [fieldSize](const auto &rows) -> std::optional<SizeEstimate> {
        for (const EstimateRow &row : rows)
            if (fieldSize >= row.from && fieldSize <= row.to)
                return row.estimate;
        return std::nullopt;
    };
    return kind == 6 ? find(kPick6Estimates) : find(kPick5Estimates);
}

std::string estimateText(int kind, int fieldSize, std::int64_t perFile) {
    const std::optional<SizeEstimate> estimate = sizeEstimate(kind, fieldSize);
    if (fieldSize <= generatorKind(kind).estimateAbove || !estimate)
        return {};
    const std::string size = "File Size > " + plain(estimate->megabytes) + " Megs" + kCrLf;
    if (estimate->minutes == 1)
        return size + "Processing > 1 Minute";
    const std::int64_t files = filesNeeded(combinations(fieldSize, kind), perFile);
    return size + "Processing > " + plain(estimate->minutes) + " Minutes" + kCrLf + plain(files) +
           " Files Saved Automatically" + kCrLf + grouped(perFile) + " Combinations per File";
}

std::string loadEstimateText(int kind, int fieldSize) {
    const GeneratorKind &values = generatorKind(kind);
    return fieldSize > values.estimateAbove ? values.loadEstimate : std::string();
}

std::string fieldTotalText(int fieldSize, std::int64_t total) {
    return plain(fieldSize) + " Numbers  " + "    " + grouped(total) + "  Total Combinations";
}

bool fullWheelOffered(int kind, int fieldSize) {
    return fieldSize <= generatorKind(kind).estimateAbove;
}

bool perFileChoiceShown(int kind, int fieldSize) {
    return fieldSize > generatorKind(kind).perFileAbove;
}

std::string backgroundHint(double genFieldSize) {
    return "Play all " + fieldSizeText(genFieldSize) + " Numbers in your Lotto";
}

std::string fullWheelHint(double genFieldSize) {
    return "Play these " + fieldSizeText(genFieldSize) + " Numbers";
}

std::string cancelHint() {
    return "Return to Menu";
}

std::string saveAsHint(std::int64_t total, std::int64_t perFile) {
    return "Saving " + grouped(total) + " Total Combinations to " +
           plain(filesNeeded(total, perFile)) + " Files";
}

std::string informationText(int kind) {
    const auto &lines = kind == 5 ? kPick5Information : kPick6Information;
    std::string text;
    for (const char *line : lines) {
        if (!text.empty())
            text += kCrLf;
        text += line;
    }
    return text;
}

} // namespace marlek
