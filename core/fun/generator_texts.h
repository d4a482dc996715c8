#pragma once
// The generator windows' texts and decisions, apart from the widgets: what the labels say for a
// field size n and a count of combinations per file P, when "Yes" and the list are offered, the
// status-bar hints and the information text. Line breaks inside a text are CR LF.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace marlek {

// The values in which the Pick 6 window (Form4) and the Pick 5 window (Form5) differ.
struct GeneratorKind {
    int kind;               // k: 6 or 5
    const char *objectName; // "Form4" or "Form5"
    const char *caption;
    const char *title;        // Label2
    int estimateAbove;        // estimates shown, and "Yes" disabled, above this n
    int perFileAbove;         // the list of P values shown above this n
    const char *loadEstimate; // Label1 right after loading (not taken from the table)
    int fullWheelMode;        // wheelMode set by "Yes": 8 or 7
};

// kind 6 or 5.
const GeneratorKind &generatorKind(int kind);

// The choices of P, in the list's order; the third is chosen when the window opens.
inline constexpr std::array<std::int64_t, 9> kPerFileChoices{200000, 300000, 400000, 500000, 600000,
                                                             700000, 800000, 900000, 1000000};
inline constexpr int kStartPerFileIndex = 2;
inline constexpr int kStartFieldSize = 42;

// A rough estimate of the files of a run, from a fixed table (not computed from the total).
struct SizeEstimate {
    int megabytes;
    int minutes;
};
std::optional<SizeEstimate> sizeEstimate(int kind, int fieldSize);

// Label1 after a change of n or P: empty up to the threshold; two lines while the time is one
// minute; four lines with the count of files and P otherwise.
std::string estimateText(int kind, int fieldSize, std::int64_t perFile);

// Label1 right after loading: the load-time text above the threshold, else empty.
std::string loadEstimateText(int kind, int fieldSize);

// Lblpick: "49 Numbers      13,983,816  Total Combinations".
std::string fieldTotalText(int fieldSize, std::int64_t total);

bool fullWheelOffered(int kind, int fieldSize);   // "Yes" enabled
bool perFileChoiceShown(int kind, int fieldSize); // Combo1 and Label4 shown

// Status-bar hints over the window's background, "Yes", "Cancel" and "Save As".
std::string backgroundHint(double genFieldSize);
std::string fullWheelHint(double genFieldSize);
std::string cancelHint();
std::string saveAsHint(std::int64_t total, std::int64_t perFile);

// The 14 lines of the information text joined with CR LF (no line end after the last). The Pick 6
// window and the read-me window show the same text.
std::string informationText(int kind);

} // namespace marlek
