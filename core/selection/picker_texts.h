#pragma once
// Texts of the number picker, built from the wheel it plays and the draw.

#include "report_request.h"

#include <span>
#include <string>

namespace marlek {

// "Pick 5 Wheels        Pick 10  Numbers 4 Tickets"; the kind is left out for an unknown mode.
std::string pickerCaption(const WheelChoice &choice);

// Tool tips of "Random" and "Yes".
std::string randomToolTip(int count);
std::string yesToolTip(int count);

// The first line written above the draw: "                Play these  10  Numbers?".
std::string drawHeading(int count);

// The drawn numbers on one line, each written as a space, its digits and a space.
std::string drawnNumbersLine(std::span<const std::int16_t> numbers);

// What the scroll bar's label shows at start and after a change to `value` for a wheel of N
// numbers: the value only when it leaves two numbers to spare, otherwise nothing (the label keeps
// its text). While the thumb is dragged the label shows any value.
inline constexpr const char *kFieldLabelAtStart = "49 ";
bool fieldLabelFollowsChange(int value, int count);

// Choosing one's own numbers: the first line on the surface while `checked` of the N boxes are
// checked ("Check 7 Numbers", "Check 2 more Numbers", "Uncheck 1 Number"), the draw's heading once
// exactly N are; and the tool tip of "Yes", which says why it cannot play yet.
std::string chooseHeading(int count, int checked);
std::string chooseYesToolTip(int count, int checked);
// Tool tip of "Choose".
std::string chooseToolTip(int count);

// What a key wheel's picker adds to the draw's heading, naming the played numbers that become the
// keys (the first `keys` of them): "   Key Number 2 on Every Ticket"; nothing without keys.
std::string keyNumbersNote(std::span<const std::int16_t> played, int keys);

// The message when a wheel has more numbers than a draw can serve.
std::string tooManyNumbersMessage(int count);

} // namespace marlek
